#include "directoryupdateaction.h"

#include "core/userdialogs.h"
#include "frmupdate.h"
#include "phonebookpanels.h"
#include "terminalwindow.h"

#include <QPushButton>

namespace vornal {

DirectoryUpdateAction::DirectoryUpdateAction(TerminalWindow& window) : QObject(&window), m_window(window) {
    setObjectName(QStringLiteral("directoryUpdate"));
}

void DirectoryUpdateAction::OpenUpdate() {
    const TerminalServices& services = m_window.services();
    const DialogAnswer answer =
        services.dialogs.message({QString::fromLatin1(kWarning), QString::fromLatin1(kWarningTitle),
                                  DialogButtons::YesNo, DialogIcon::Critical, DialogAnswer::No});
    if (answer != DialogAnswer::Yes)
        return;
    PhonebookUpdate update(m_window.state().config.DirectoryServer, services.folder, services.dialogs,
                           services.clock, m_resolver ? *m_resolver : m_systemResolver, m_options);
    connect(&update, &PhonebookUpdate::phonebookChanged, this, [this] {
        if (PhonebookPanels* panels = PhonebookPanels::of(m_window))
            panels->lblRefresh_Click();
    });
    FrmUpdate window(update, &m_window);
    window.exec();
}

DirectoryUpdateAction& installDirectoryUpdate(TerminalWindow& window) {
    auto* action = new DirectoryUpdateAction(window);
    QPushButton* button =
        window.addProgramButton(QStringLiteral("lblUpdate"), QStringLiteral("Update"),
                                QStringLiteral("Update the Phonebook from the directory server"));
    QObject::connect(button, &QPushButton::clicked, action, &DirectoryUpdateAction::OpenUpdate);
    return *action;
}

} // namespace vornal
