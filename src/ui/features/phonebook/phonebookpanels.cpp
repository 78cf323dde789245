#include "features/phonebook/phonebookpanels.h"

#include "featurecontext.h"
#include "features/phonebook/callslotspanel.h"
#include "features/phonebook/localnumberseditor.h"
#include "terminalservices.h"
#include "terminalsession.h"
#include "widgets/panelkeys.h"

#include "favouriteslots.h"
#include "localnumbers.h"
#include "look/objectnames.h"
#include "phonebookfile.h"
#include "slotdialler.h"
#include "userdialogs.h"

#include <QPushButton>

namespace vornal {

namespace {

QStringList localCaptions(const LocalNumbers::Entries& entries) {
    QStringList captions;
    for (const LocalNumberEntry& e : entries)
        captions.append(LocalNumbers::displayCaption(e));
    return captions;
}

} // namespace

PhonebookPanels::PhonebookPanels(FeatureContext& context)
    : QObject(&context), m_context(context),
      m_dialler(std::make_unique<SlotDialler>(context.services().link, context.services().dialogs,
                                              context.session().commands())) {
    m_favourites = new CallSlotsPanel(CallSlotsPanel::favourites());
    m_localCalls = new CallSlotsPanel(CallSlotsPanel::localCalls());
    m_localEditor = new LocalNumbersEditor;
    context.addPanel(m_favourites);
    context.addPanel(m_localCalls);
    context.addPanel(m_localEditor);

    QPushButton* show = context.addCallButton(ObjectNames::kLblPhonebookShow, QStringLiteral("Favorites"),
                                              QStringLiteral("Invokes the Favorites List"));
    QPushButton* refresh = context.addCallButton(ObjectNames::kLblRefresh, QStringLiteral("Refresh Lists"),
                                                 QStringLiteral("Refreshes all the Lists after changes"));
    QPushButton* local =
        context.addCallButton(ObjectNames::kLblLocalNumbersShow, QStringLiteral("Local Numbers"),
                              QStringLiteral("Invokes the Local Numbers List"));
    QPushButton* edit = context.addCallButton(ObjectNames::kLblEditLocal, QStringLiteral("Edit Local Nr."),
                                              QStringLiteral("Invokes the Local Numbers Editor"));
    connect(show, &QPushButton::clicked, this, &PhonebookPanels::showFavourites);
    connect(refresh, &QPushButton::clicked, &context, &FeatureContext::refreshLists);
    connect(local, &QPushButton::clicked, this, &PhonebookPanels::showLocalNumbers);
    connect(edit, &QPushButton::clicked, this, &PhonebookPanels::editLocalNumbers);

    connect(m_favourites, &CallSlotsPanel::slotClicked, this, &PhonebookPanels::dialFavourite);
    connect(m_favourites, &CallSlotsPanel::exitClicked, this, &PhonebookPanels::hideFavourites);
    connect(m_localCalls, &CallSlotsPanel::slotClicked, this, &PhonebookPanels::dialLocalNumber);
    connect(m_localCalls, &CallSlotsPanel::exitClicked, this, &PhonebookPanels::hideLocalNumbers);
    connect(m_localEditor, &LocalNumbersEditor::exitClicked, this, &PhonebookPanels::exitLocalNumbersEditor);
}

PhonebookPanels::~PhonebookPanels() = default;

void PhonebookPanels::fillFavourites() {
    PhonebookFile file(m_context.services().folder);
    const FavouriteSlots::Fill fill = FavouriteSlots::fill(file);
    m_favourites->setCaptions(fill.captions);
    if (!fill.opened)
        m_context.services().dialogs.critical(file.openFailureText());
}

void PhonebookPanels::showFavourites() {
    m_context.refreshLists();
    m_favourites->show();
    m_context.revealPanel(m_favourites);
}

void PhonebookPanels::hideFavourites() {
    const bool keyboard = holdsKeyboard(m_favourites);
    m_favourites->hide();
    if (keyboard)
        m_context.focusTerminal();
}

void PhonebookPanels::showLocalNumbers() {
    m_localCalls->setCaptions(localCaptions(LocalNumbers::LoadLocalNumbers(localNumbersPath())));
    m_localCalls->show();
    m_context.revealPanel(m_localCalls);
}

void PhonebookPanels::hideLocalNumbers() {
    const bool keyboard = holdsKeyboard(m_localCalls);
    m_localCalls->hide();
    if (keyboard)
        m_context.focusTerminal();
}

void PhonebookPanels::editLocalNumbers() {
    const LocalNumbers::Entries entries = LocalNumbers::LoadLocalNumbers(localNumbersPath());
    m_localEditor->setEntries(entries);
    m_localCalls->setCaptions(localCaptions(entries));
    m_localEditor->show();
    m_favourites->hide();
    m_context.revealPanel(m_localEditor);
}

void PhonebookPanels::exitLocalNumbersEditor() {
    if (const FileResult saved = LocalNumbers::SaveLocalNumbers(localNumbersPath(), m_localEditor->entries(),
                                                                m_context.services().folder.writer());
        !saved) {
        // The editor stays open, so nothing typed is lost.
        m_context.services().dialogs.critical(
            QStringLiteral("The local numbers could not be saved; they stay in the editor.\n%1")
                .arg(saved.error));
        return;
    }
    m_localEditor->hide();
    m_context.refreshLists();
}

void PhonebookPanels::dialFavourite(int i) {
    m_dialler->dial(m_favourites->caption(i), FavouriteSlots::kDialWidth);
    // The box answers the dialling in the terminal, where the operator types next.
    m_context.focusTerminal();
}

void PhonebookPanels::dialLocalNumber(int i) {
    m_dialler->dial(m_localCalls->caption(i), LocalNumbers::kDialWidth);
    m_context.focusTerminal();
}

QString PhonebookPanels::localNumbersPath() const {
    return m_context.services().folder.file(QString::fromLatin1(LocalNumbers::kFileName));
}

} // namespace vornal
