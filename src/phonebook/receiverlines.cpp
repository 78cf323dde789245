#include "receiverlines.h"

namespace vornal {

QString ReceiverLines::numberText(const QString& number) {
    QString digits;
    for (const QChar c : number) {
        if (c == QLatin1Char(' '))
            continue;
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return QString();
        if (digits == QLatin1String("0"))
            digits.clear();
        digits.append(c);
    }
    return digits;
}

bool ReceiverLines::isSent(const PhonebookEntry& entry) {
    return entry.RsGr2 == 1 && !numberText(entry.Number).isEmpty();
}

QStringList ReceiverLines::lines(const QStringList& numbers) {
    QStringList out;
    out.reserve(numbers.size() + 1);
    for (const QString& number : numbers)
        out.append(number + QLatin1Char(','));
    out.append((numbers.isEmpty() ? QString() : numbers.constLast()) + QLatin1Char('+'));
    return out;
}

QString ReceiverLines::fileText(const QStringList& lines) {
    QString text;
    for (const QString& line : lines)
        text += line + QLatin1String("\r\n");
    return text;
}

} // namespace vornal
