#include "features/punch/punchpicture.h"

#include "look/objectnames.h"
#include "theme/palette.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace vornal {

PunchPicture::PunchPicture(QWidget* parent) : QWidget(parent) {
    setObjectName(ObjectNames::kPicPunch);
    setAccessibleName(QStringLiteral("Tape preview"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    fitWidth();
}

void PunchPicture::clear() {
    m_dots.clear();
    fitWidth();
    update();
}

void PunchPicture::draw(const QList<TapeDot>& dots) {
    if (dots.isEmpty())
        return;
    m_dots += dots;
    fitWidth();
    update();
}

void PunchPicture::DrawGlyphs(const QString& text) {
    draw(TapeGeometry::glyphDots(text));
}

void PunchPicture::DrawFeedHoles(qsizetype count) {
    draw(TapeGeometry::feedHoleDots(count));
}

void PunchPicture::fitWidth() {
    setFixedSize(std::min(TapeGeometry::pictureWidth(m_dots), QWIDGETSIZE_MAX), TapeGeometry::kPictureHeight);
}

void PunchPicture::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = event->rect();
    painter.fillRect(area, ThemeColours::kPunchPaper);
    painter.setRenderHint(QPainter::Antialiasing);
    // Only the dots that reach into the area: a long tape is mostly out of view.
    int penWidth = -1;
    for (const TapeDot& dot : std::as_const(m_dots)) {
        const int reach = dot.width / 2 + 1;
        if (dot.x + reach < area.left() || dot.x - reach > area.right())
            continue;
        if (dot.width != penWidth) {
            penWidth = dot.width;
            painter.setPen(QPen(ThemeColours::kPunchDots, penWidth, Qt::SolidLine, Qt::RoundCap));
        }
        painter.drawPoint(QPointF(dot.x + 0.5, dot.y + 0.5));
    }
}

} // namespace vornal
