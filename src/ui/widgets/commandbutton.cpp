#include "widgets/commandbutton.h"

#include <QGridLayout>
#include <QPushButton>

namespace vornal {

QPushButton* makeCommandButton(const QString& name, const QString& caption, const QString& tip) {
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    button->setToolTip(tip);
    button->setAccessibleDescription(tip);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

QPushButton* appendCommandButton(QGridLayout* grid, const QString& name, const QString& caption,
                                 const QString& tip) {
    int count = 0;
    for (int i = 0; i < grid->count(); ++i)
        count += grid->itemAt(i)->widget() != nullptr;
    QPushButton* button = makeCommandButton(name, caption, tip);
    grid->addWidget(button, count / 2, count % 2);
    return button;
}

} // namespace vornal
