#include "indicator.h"

#include <QPainter>
#include <QPixmap>

namespace vornal {

Indicator::Indicator(const QString& objectName, const QString& tip, QWidget* parent) : QLabel(parent) {
    setObjectName(objectName);
    setToolTip(tip);
    setFixedSize(18, 18);
    setPicture(2);
}

void Indicator::setPicture(int picture) {
    if (picture == m_picture)
        return;
    m_picture = picture;
    const QColor colour = picture == 1   ? QColor(0x2e, 0xcc, 0x40)
                          : picture == 8 ? QColor(0xff, 0xa5, 0x00)
                                         : QColor(0x9a, 0xa3, 0xad);
    const qreal ratio = devicePixelRatioF();
    QPixmap pixmap(QSize(18, 18) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour.darker(140), 1.2));
    p.setBrush(colour);
    p.drawEllipse(QRectF(2, 2, 14, 14));
    p.end();
    setPixmap(pixmap);
    setAccessibleDescription(picture == 1 ? QStringLiteral("active") : QStringLiteral("idle"));
}

} // namespace vornal
