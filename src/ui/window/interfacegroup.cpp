#include "window/interfacegroup.h"

#include "widgets/buttonkit.h"

#include "display/interfacecommands.h"
#include "look/objectnames.h"

#include <QGridLayout>
#include <QPushButton>

namespace vornal {

namespace {

// The box's commands as the Interface group shows them, in order.
// `typing`: the box waits for what the operator types next.
struct CommandButton {
    InterfaceCommands::Command command;
    QLatin1StringView name;
    const char* caption;
    const char* tip;
    bool typing;
};
const CommandButton kCommandButtons[] = {
    {InterfaceCommands::Command::CloseConnection, ObjectNames::kLblCloseConnection, "Close Call",
     "Closes Call", false},
    {InterfaceCommands::Command::Werda, ObjectNames::kLblWerda, "Werda", "Who Is", true},
    {InterfaceCommands::Command::IAm, ObjectNames::kLblIAm, "I Am", "I am", true},
    {InterfaceCommands::Command::GoAhead, ObjectNames::kLblGoAhead, "Go Ahead", "Go Ahead", true},
    {InterfaceCommands::Command::Bell, ObjectNames::kLblBell, "Bell", "Rings Bell", false},
    {InterfaceCommands::Command::Zi, ObjectNames::kLblZi, "Figures", "Change to Figures", false},
    {InterfaceCommands::Command::Bu, ObjectNames::kLblBu, "Letters", "Change to Characters", false},
    {InterfaceCommands::Command::CR, ObjectNames::kLblCR, "CR only", "Send Cariage Return only", false},
    {InterfaceCommands::Command::LineFeed, ObjectNames::kLblLineFeed, "LF only", "Send Line Feed only",
     false},
    {InterfaceCommands::Command::Msg, ObjectNames::kLblMsg, "Messages", "Shows recorded messages", true},
    {InterfaceCommands::Command::NextMessage, ObjectNames::kLblNexMessage, "Next Msg",
     "Next recorded messages", true},
    {InterfaceCommands::Command::CancelMsg, ObjectNames::kLblCancelMsg, "Cancel Msg",
     "Cancell recorded messages", false},
    {InterfaceCommands::Command::LoKal, ObjectNames::kLblLoKal, "LoKal", "Sets Terminal in Local Mode", true},
    {InterfaceCommands::Command::Status, ObjectNames::kLblStatus, "Status", "Check Hardware Status", false},
    {InterfaceCommands::Command::Konfig, ObjectNames::kLblKonfig, "Configuration",
     "Opens the configuration dialog of the VI39 / Rovozaru.", true},
};

} // namespace

InterfaceGroup::InterfaceGroup(InterfaceCommands& commands, QWidget* parent)
    : QGroupBox(QStringLiteral("Interface"), parent) {
    setObjectName(ObjectNames::kGroupInterface);
    auto* grid = new QGridLayout(this);
    grid->setSpacing(4);
    QPushButton* call = makeButton(ButtonKind::Command, ObjectNames::kLblCall, QStringLiteral("Call"),
                                   QStringLiteral("Initiate Call"));
    connect(call, &QPushButton::clicked, &commands, &InterfaceCommands::Call);
    connect(call, &QPushButton::clicked, this, &InterfaceGroup::typingWanted);
    grid->addWidget(call, 0, 0);
    int i = 1;
    for (const CommandButton& c : kCommandButtons) {
        QPushButton* button = makeButton(ButtonKind::Command, QString(c.name), QString::fromLatin1(c.caption),
                                         QString::fromLatin1(c.tip));
        grid->addWidget(button, i / 2, i % 2);
        const InterfaceCommands::Command command = c.command;
        connect(button, &QPushButton::clicked, &commands, [&commands, command] { commands.run(command); });
        if (c.typing)
            connect(button, &QPushButton::clicked, this, &InterfaceGroup::typingWanted);
        ++i;
    }
    QPushButton* clear = makeButton(ButtonKind::Command, ObjectNames::kLblClear, QStringLiteral("Clear Text"),
                                    QStringLiteral("Clears text window"));
    connect(clear, &QPushButton::clicked, &commands, &InterfaceCommands::clearText);
    grid->addWidget(clear, i / 2 + 1, 0, 1, 2);
}

} // namespace vornal
