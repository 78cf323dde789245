#include "features/phonebook/phonebookwindows.h"

#include "featurecontext.h"
#include "features/broadcast/headerwindow.h"
#include "features/broadcast/receiverswindow.h"
#include "features/phonebook/favouriteswindow.h"
#include "platform/windowrunner.h"
#include "terminalservices.h"
#include "terminalsession.h"

#include "look/objectnames.h"
#include "programstate.h"

#include <QApplication>
#include <QPushButton>

namespace vornal {

PhonebookWindows::PhonebookWindows(FeatureContext& context) : QObject(&context), m_context(context) {
    setObjectName(ObjectNames::kPhonebookWindows);
    QPushButton* phonebook = context.addCallButton(ObjectNames::kLblPreset, QStringLiteral("Phonebook"),
                                                   QStringLiteral("Shows Vornal Phonebook"));
    QPushButton* receivers = context.addCallButton(ObjectNames::kLblRSendList, QStringLiteral("RS Receivers"),
                                                   QStringLiteral("Rundsenden Subscribers List"));
    QPushButton* header = context.addCallButton(ObjectNames::kLblHeader, QStringLiteral("Set RS List"),
                                                QStringLiteral("Display and sets, saves the RS list"));
    QObject::connect(phonebook, &QPushButton::clicked, this, &PhonebookWindows::showFavourites);
    QObject::connect(receivers, &QPushButton::clicked, this, &PhonebookWindows::showReceivers);
    QObject::connect(header, &QPushButton::clicked, this, &PhonebookWindows::showHeader);
}

void PhonebookWindows::showFavourites() {
    if (!m_favourites) {
        const TerminalServices& s = m_context.services();
        m_favourites = new FavouritesWindow(s.folder, s.dialogs, s.link, m_context.session().commands(),
                                            m_context.window());
        connect(m_favourites, &FavouritesWindow::saved, &m_context, &FeatureContext::refreshLists);
        connect(m_favourites, &FavouritesWindow::beep, this, [] { QApplication::beep(); });
    }
    m_context.runner().run(*m_favourites);
}

void PhonebookWindows::showReceivers() {
    if (!m_receivers) {
        const TerminalServices& s = m_context.services();
        m_receivers = new ReceiversWindow(s.folder, s.dialogs, m_context.window());
    }
    if (m_context.runner().run(*m_receivers) == QDialog::Accepted)
        showHeader();
}

void PhonebookWindows::showHeader() {
    HeaderWindow header(m_context.services().folder, m_context.state().config.TitleSuffix,
                        m_context.services().dialogs, m_context.window());
    connect(&header, &HeaderWindow::editRequested, this,
            [this](const QString& path) { m_context.openEditor(path, EditorMode::Message); });
    m_context.runner().run(header);
}

} // namespace vornal
