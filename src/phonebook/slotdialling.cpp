#include "slotdialling.h"

namespace vornal {

QString slotDialNumber(QStringView caption, int width) {
    QString digits;
    for (QChar c : caption.left(width)) {
        if (c == QLatin1Char(' '))
            continue;
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        if (digits.isEmpty() && c == QLatin1Char('0'))
            continue;
        digits.append(c);
    }
    return digits.isEmpty() ? QStringLiteral("0") : digits;
}

QString slotLabelText(const QString& caption) {
    return QStringLiteral("    ") + caption;
}

} // namespace vornal
