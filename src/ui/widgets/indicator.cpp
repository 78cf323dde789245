#include "widgets/indicator.h"

#include "theme/theme.h"

#include <QAccessible>
#include <QPainter>
#include <QPixmap>

namespace vornal {

Indicator::Indicator(const QString& objectName, const QString& tip, const Theme& theme, QWidget* parent)
    : Indicator(objectName, tip, tip, theme, parent) {}

Indicator::Indicator(const QString& objectName, const QString& tip, const QString& accessibleName,
                     const Theme& theme, QWidget* parent)
    : QLabel(parent), m_theme(theme) {
    setObjectName(objectName);
    setToolTip(tip);
    setAccessibleName(accessibleName);
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
    if (picture == kUnknown) {
        p.setPen(QPen(colour.darker(140), 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(3, 3, 12, 12));
    } else {
        p.setPen(QPen(colour.darker(140), 1.2));
        p.setBrush(colour);
        p.drawEllipse(QRectF(2, 2, 14, 14));
    }
    p.end();
    setPixmap(pixmap);
    if (QAccessible::isActive()) {
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent state(this, changed);
        QAccessible::updateAccessibility(&state);
        QAccessibleValueChangeEvent value(this, isOn() ? 1 : 0);
        QAccessible::updateAccessibility(&value);
    }
}

QString Indicator::stateText() const {
    return m_picture == 1          ? QStringLiteral("active")
           : m_picture == 8        ? QStringLiteral("changed")
           : m_picture == kUnknown ? QStringLiteral("unknown")
                                   : QStringLiteral("idle");
}

} // namespace vornal
