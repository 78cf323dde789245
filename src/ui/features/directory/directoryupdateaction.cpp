#include "features/directory/directoryupdateaction.h"

#include "featurecontext.h"
#include "features/directory/updatewindow.h"
#include "platform/windowrunner.h"
#include "terminalservices.h"

#include "look/objectnames.h"
#include "programstate.h"
#include "userdialogs.h"

#include <QPushButton>

namespace vornal {

DirectoryUpdateAction::DirectoryUpdateAction(FeatureContext& context)
    : QObject(&context), m_context(context) {
    setObjectName(ObjectNames::kDirectoryUpdate);
    QPushButton* button =
        context.addProgramButton(ObjectNames::kLblUpdate, QStringLiteral("Update"),
                                 QStringLiteral("Update the Phonebook from the directory server"));
    QObject::connect(button, &QPushButton::clicked, this, &DirectoryUpdateAction::OpenUpdate);
}

void DirectoryUpdateAction::OpenUpdate() {
    const TerminalServices& services = m_context.services();
    const DialogAnswer answer =
        services.dialogs.message({QString::fromLatin1(kWarning), QString::fromLatin1(kWarningTitle),
                                  DialogButtons::YesNo, DialogIcon::Critical, DialogAnswer::No});
    if (answer != DialogAnswer::Yes)
        return;
    PhonebookUpdate update(m_context.state().config.DirectoryServer, services.folder, services.dialogs,
                           services.clock, m_systemResolver, m_options);
    connect(&update, &PhonebookUpdate::phonebookChanged, &m_context, &FeatureContext::refreshLists);
    UpdateWindow window(update, m_context.window());
    m_context.runner().run(window);
}

} // namespace vornal
