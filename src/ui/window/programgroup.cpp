#include "window/programgroup.h"

#include "look/objectnames.h"
#include "widgets/buttonkit.h"

#include <QGridLayout>
#include <QPushButton>

namespace vornal {

ProgramGroup::ProgramGroup(QWidget* parent) : QGroupBox(QStringLiteral("Program"), parent) {
    setObjectName(ObjectNames::kGroupProgram);
    m_buttons = new QGridLayout(this);
    m_buttons->setContentsMargins(2, 2, 2, 2);
    m_buttons->setSpacing(2);
    QPushButton* edit = addButton(ObjectNames::kLblEditConfig, QStringLiteral("Edit Config"),
                                  QStringLiteral("Invokes The Configuration Editor"));
    connect(edit, &QPushButton::clicked, this, &ProgramGroup::editConfigurationRequested);
    QPushButton* exit =
        addButton(ObjectNames::kLblExit, QStringLiteral("EXIT"), QStringLiteral("EXIT Program"));
    connect(exit, &QPushButton::clicked, this, &ProgramGroup::exitRequested);
}

QPushButton* ProgramGroup::addButton(const QString& name, const QString& caption, const QString& tip) {
    return appendCommandButton(m_buttons, name, caption, tip);
}

} // namespace vornal
