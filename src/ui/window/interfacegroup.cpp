#include "window/interfacegroup.h"

#include "widgets/buttonkit.h"

#include "display/interfacecommands.h"

#include <QGridLayout>
#include <QPushButton>

namespace vornal {

namespace {

// The box's commands as the Interface group shows them, in order.
struct CommandButton {
    InterfaceCommands::Command command;
    const char* name;
    const char* caption;
    const char* tip;
};
const CommandButton kCommandButtons[] = {
    {InterfaceCommands::Command::CloseConnection, "LblCloseConnection", "Close Call", "Closes Call"},
    {InterfaceCommands::Command::Werda, "lblWerda", "Werda", "Who Is"},
    {InterfaceCommands::Command::IAm, "lblIAm", "I Am", "I am"},
    {InterfaceCommands::Command::GoAhead, "lblGoAhead", "Go Ahead", "Go Ahead"},
    {InterfaceCommands::Command::Bell, "lblBell", "Bell", "Rings Bell"},
    {InterfaceCommands::Command::Zi, "lblZi", "Figures", "Change to Figures"},
    {InterfaceCommands::Command::Bu, "lblBu", "Letters", "Change to Characters"},
    {InterfaceCommands::Command::CR, "lblCR", "CR only", "Send Cariage Return only"},
    {InterfaceCommands::Command::LineFeed, "lblLineFeed", "LF only", "Send Line Feed only"},
    {InterfaceCommands::Command::Msg, "LblMsg", "Messages", "Shows recorded messages"},
    {InterfaceCommands::Command::NextMessage, "lblNexMessage", "Next Msg", "Next recorded messages"},
    {InterfaceCommands::Command::CancelMsg, "lblCancelMsg", "Cancel Msg", "Cancell recorded messages"},
    {InterfaceCommands::Command::LoKal, "lblLoKal", "LoKal", "Sets Terminal in Local Mode"},
    {InterfaceCommands::Command::Status, "lblStatus", "Status", "Check Hardware Status"},
    {InterfaceCommands::Command::Konfig, "lblKonfig", "Configuration",
     "Opens the configuration dialog of the VI39 / Rovozaru."},
};

} // namespace

InterfaceGroup::InterfaceGroup(InterfaceCommands& commands, QWidget* parent)
    : QGroupBox(QStringLiteral("Interface"), parent) {
    setObjectName(QStringLiteral("groupInterface"));
    auto* grid = new QGridLayout(this);
    grid->setSpacing(4);
    QPushButton* call = makeButton(ButtonKind::Command, QStringLiteral("LblCall"), QStringLiteral("Call"),
                                   QStringLiteral("Initiate Call"));
    connect(call, &QPushButton::clicked, &commands, &InterfaceCommands::Call);
    grid->addWidget(call, 0, 0);
    int i = 1;
    for (const CommandButton& c : kCommandButtons) {
        QPushButton* button = makeButton(ButtonKind::Command, QString::fromLatin1(c.name),
                                         QString::fromLatin1(c.caption), QString::fromLatin1(c.tip));
        grid->addWidget(button, i / 2, i % 2);
        const InterfaceCommands::Command command = c.command;
        connect(button, &QPushButton::clicked, &commands, [&commands, command] { commands.run(command); });
        ++i;
    }
    QPushButton* clear = makeButton(ButtonKind::Command, QStringLiteral("lblClear"),
                                    QStringLiteral("Clear Text"), QStringLiteral("Clears text window"));
    connect(clear, &QPushButton::clicked, &commands, &InterfaceCommands::clearText);
    grid->addWidget(clear, i / 2 + 1, 0, 1, 2);
}

} // namespace vornal
