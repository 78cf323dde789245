#include "theme/fonts.h"

#include <QFontDatabase>
#include <QFontInfo>

namespace vornal {

QFont teleprinterFont(qreal pointSize, qreal fallbackPointSize) {
    QFont font(QString::fromLatin1(kTeleprinterFamily));
    font.setPointSizeF(pointSize);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if (QFontInfo(font).family() == QLatin1String(kTeleprinterFamily))
        return font;
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (fallbackPointSize > 0)
        fixed.setPointSizeF(fallbackPointSize);
    return fixed;
}

QFont teleprinterSlotFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(8.5);
    return font;
}

} // namespace vornal
