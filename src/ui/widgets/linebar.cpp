#include "widgets/linebar.h"

#include "look/objectnames.h"
#include "theme/palette.h"
#include "theme/theme.h"

#include <QAccessible>
#include <QPainter>

namespace vornal {

LineBar::LineBar(QWidget* parent) : QWidget(parent) {
    setObjectName(ObjectNames::kLine1);
    setAccessibleName(QStringLiteral("Line length"));
    setMinimumHeight(8);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void LineBar::setLengthTwips(int twips) {
    const int before = characters();
    m_twips = std::max(0, twips);
    update();
    if (characters() != before && QAccessible::isActive()) {
        QAccessibleValueChangeEvent changed(this, characters());
        QAccessible::updateAccessibility(&changed);
    }
}

void LineBar::setColour(quint32 colour) {
    m_colour = colour;
    update();
}

QSize LineBar::sizeHint() const {
    return {400, 8};
}

void LineBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(ThemeColours::kLineBarTrack);
    p.drawRoundedRect(rect(), 3, 3);
    // 69 characters fill the bar, so the warning colours line up with its end.
    const qreal full = qreal(kFullLine) * kTwipsPerCharacter;
    const qreal w = std::min<qreal>(width(), width() * m_twips / full);
    if (w > 0) {
        p.setBrush(Theme::fromColourValue(m_colour));
        p.drawRoundedRect(QRectF(0, 0, w, height()), 3, 3);
    }
}

} // namespace vornal
