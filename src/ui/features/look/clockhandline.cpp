#include "features/look/clockhandline.h"

#include <QPainter>

namespace vornal {

ClockHandLine::ClockHandLine(const QString& objectName, QWidget* parent) : QWidget(parent) {
    setObjectName(objectName);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ClockHandLine::setLine(const QPointF& start, const QPointF& end) {
    if (start == m_start && end == m_end)
        return;
    m_start = start;
    m_end = end;
    update();
}

void ClockHandLine::setPen(int width, const QColor& colour) {
    m_width = width;
    m_colour = colour;
    update();
}

void ClockHandLine::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(m_colour, m_width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(m_start, m_end);
}

} // namespace vornal
