#include "features/look/paperstrip.h"

#include "theme/theme.h"

#include <QPainter>
#include <QPainterPath>

namespace vornal {

PaperStrip::PaperStrip(const QString& objectName, Qt::Edge side, const Theme& theme, QWidget* parent)
    : QWidget(parent), m_side(side), m_theme(theme) {
    setObjectName(objectName);
    setFixedWidth(kWidth);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PaperStrip::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor paper = m_theme.colour(Theme::Colour::TerminalBackground);
    // Edges and holes a shade away from the paper: towards white on dark paper.
    const bool dark = paper.lightnessF() < 0.5;
    const auto shade = [&paper, dark](double amount) {
        const QColor towards = dark ? QColor(Qt::white) : QColor(Qt::black);
        return QColor::fromRgbF(float(paper.redF() + (towards.redF() - paper.redF()) * amount),
                                float(paper.greenF() + (towards.greenF() - paper.greenF()) * amount),
                                float(paper.blueF() + (towards.blueF() - paper.blueF()) * amount));
    };
    const QColor edge = shade(dark ? 0.35 : 0.2);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);

    // The paper, rounded on the outer side only.
    QPainterPath shape;
    const qreal radius = 4;
    if (m_side == Qt::LeftEdge)
        shape.addRoundedRect(r.adjusted(0, 0, radius, 0), radius, radius);
    else
        shape.addRoundedRect(r.adjusted(-radius, 0, 0, 0), radius, radius);
    p.setClipRect(r.adjusted(-0.5, -0.5, 0.5, 0.5));
    p.setPen(QPen(edge, 1));
    p.setBrush(paper);
    p.drawPath(shape);

    // The tear line towards the text.
    const qreal tear = m_side == Qt::LeftEdge ? r.right() - 0.5 : r.left() + 0.5;
    QPen dashes(edge, 1, Qt::CustomDashLine);
    dashes.setDashPattern({2, 3});
    p.setPen(dashes);
    p.drawLine(QPointF(tear, r.top() + 3), QPointF(tear, r.bottom() - 3));

    // The feed holes down the strip.
    const QColor hole = shade(dark ? 0.2 : 0.1);
    const qreal x = r.center().x() + (m_side == Qt::LeftEdge ? -1 : 1);
    p.setPen(QPen(edge, 1));
    p.setBrush(hole);
    for (qreal y = r.top() + 12; y < r.bottom() - 6; y += 24)
        p.drawEllipse(QPointF(x, y), 3.5, 3.5);
}

} // namespace vornal
