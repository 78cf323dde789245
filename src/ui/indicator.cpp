#include "indicator.h"

#include "theme.h"

#include <QPainter>
#include <QPixmap>

namespace vornal {

Indicator::Indicator(const QString& objectName, const QString& tip, const Theme& theme, QWidget* parent)
    : QLabel(parent), m_theme(theme) {
    setObjectName(objectName);
    setToolTip(tip);
    setFixedSize(18, 18);
    setPicture(2);
}

void Indicator::setPicture(int picture) {
    if (picture == m_picture)
        return;
    m_picture = picture;
    setProperty("picture", picture);
    const QColor colour = m_theme.colour(picture == 1   ? Theme::Colour::LampActive
                                         : picture == 8 ? Theme::Colour::LampChanged
                                                        : Theme::Colour::LampIdle);
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
