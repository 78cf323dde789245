#include "features/look/clockface.h"

#include "look/objectnames.h"
#include "theme/theme.h"

#include <QPainter>
#include <QtMath>

namespace vornal {

ClockFace::ClockFace(const Theme& theme, QWidget* parent) : QWidget(parent), m_theme(theme) {
    setObjectName(ObjectNames::kShape1);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

QPointF ClockFace::centre() const {
    return QPointF(x() + width() / 2.0, y() + width() / 2.0);
}

void ClockFace::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal r = width() / 2.0;
    const QPointF c(r, r);
    const QColor back = m_theme.colour(Theme::Colour::HeaderBackground);
    const QColor marks = m_theme.colour(Theme::Colour::HeaderText);
    const bool brass = m_theme.skin() == Theme::Skin::Steampunk;

    // The face: a little darker than the header at its rim, with a thin ring.
    QRadialGradient face(c, r);
    face.setColorAt(0, back.lighter(135));
    face.setColorAt(1, back.darker(130));
    const QColor ring = brass ? m_theme.colour(Theme::Colour::PanelBorder) : marks;
    p.setPen(QPen(brass ? ring : QColor(ring.red(), ring.green(), ring.blue(), 90), brass ? 3 : 1.5));
    p.setBrush(face);
    p.drawEllipse(c, r - 2, r - 2);

    // Minute marks, longer and brighter every five minutes.
    for (int i = 0; i < 60; ++i) {
        const bool hour = i % 5 == 0;
        const qreal a = qDegreesToRadians(i * 6.0);
        const qreal outer = r - 5;
        const qreal inner = outer - (hour ? 7 : 3);
        QColor mark = marks;
        mark.setAlpha(hour ? 230 : 110);
        p.setPen(QPen(mark, hour ? 2 : 1, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(c + QPointF(qSin(a) * inner, -qCos(a) * inner),
                   c + QPointF(qSin(a) * outer, -qCos(a) * outer));
    }
}

} // namespace vornal
