#include "widgets/glyphicon.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

namespace vornal {

QIcon glyphIcon(const QString& glyph, const QColor& colour) {
    QIcon icon;
    for (const int size : {16, 24, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::TextAntialiasing);
        QFont font;
        font.setPixelSize(size * 7 / 8);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(colour);
        painter.drawText(pixmap.rect(), Qt::AlignCenter, glyph);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace vornal
