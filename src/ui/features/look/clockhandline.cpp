#include "features/look/clockhandline.h"

#include <QPainter>

namespace vornal {

ClockHandLine::ClockHandLine(const QString& objectName, QWidget* parent) : QWidget(parent) {
    setObjectName(objectName);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

namespace {

// What a line in this width paints: its ends' box, widened by half the pen for the
// round caps and by the antialiasing's edge.
QRect lineBounds(const QPointF& start, const QPointF& end, int width) {
    const qreal reach = width / 2.0 + 2.0;
    return QRectF(start, end).normalized().adjusted(-reach, -reach, reach, reach).toAlignedRect();
}

} // namespace

void ClockHandLine::setLine(const QPointF& start, const QPointF& end) {
    if (start == m_start && end == m_end)
        return;
    // Only where the hand was and where it is now is painted again, so that the face
    // and the other hands beneath are not repainted whole every second.
    const QRect before = lineBounds(m_start, m_end, m_width);
    m_start = start;
    m_end = end;
    update(before.united(lineBounds(m_start, m_end, m_width)));
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
