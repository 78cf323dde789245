#include "features/look/headerbutton.h"

#include <QLabel>
#include <QPushButton>

namespace vornal {

QPushButton* makeHeaderButton(const QString& name, const QString& caption, const QString& tip) {
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    button->setToolTip(tip);
    button->setAccessibleDescription(tip);
    button->setProperty("class", QStringLiteral("headerButton"));
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

QLabel* makeHeaderCaption(const QString& text) {
    auto* label = new QLabel(text);
    label->setProperty("class", QStringLiteral("headerCaption"));
    return label;
}

} // namespace vornal
