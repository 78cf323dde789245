#pragma once

#include <QColor>
#include <QPointF>
#include <QWidget>

namespace vornal {

// One hand of the analogue clock: a line from the centre outward, in its own width
// and colour, drawn over the face. The widget covers the clock and lets the mouse
// through; only the line is painted.
class ClockHandLine : public QWidget {
    Q_OBJECT
public:
    explicit ClockHandLine(const QString& objectName, QWidget* parent = nullptr);

    void setLine(const QPointF& start, const QPointF& end);
    void setPen(int width, const QColor& colour);
    QPointF start() const { return m_start; }
    QPointF end() const { return m_end; }
    int lineWidth() const { return m_width; }
    QColor colour() const { return m_colour; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPointF m_start;
    QPointF m_end;
    int m_width = 1;
    QColor m_colour;
};

} // namespace vornal
