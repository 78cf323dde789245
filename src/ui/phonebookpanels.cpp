#include "phonebookpanels.h"

#include "callslotspanel.h"
#include "localnumberseditor.h"
#include "terminalwindow.h"

#include "core/userdialogs.h"
#include "phonebook/favouriteslots.h"
#include "phonebook/localnumbers.h"
#include "phonebook/phonebookfile.h"
#include "phonebook/slotdialler.h"

#include <QPushButton>
#include <QScrollArea>
#include <QTimer>

namespace vornal {

namespace {

const char* const kObjectName = "phonebookPanels";

QStringList localCaptions(const LocalNumbers::Entries& entries) {
    QStringList captions;
    for (const LocalNumberEntry& e : entries)
        captions.append(LocalNumbers::displayCaption(e));
    return captions;
}

} // namespace

PhonebookPanels::PhonebookPanels(TerminalWindow& window)
    : QObject(&window), m_window(window),
      m_dialler(std::make_unique<SlotDialler>(window.services().link, window.services().dialogs,
                                              window.commands())) {
    setObjectName(QString::fromLatin1(kObjectName));
    m_favourites = new CallSlotsPanel(CallSlotsPanel::favourites());
    m_localCalls = new CallSlotsPanel(CallSlotsPanel::localCalls());
    m_localEditor = new LocalNumbersEditor;
    window.addPanel(m_favourites);
    window.addPanel(m_localCalls);
    window.addPanel(m_localEditor);

    QPushButton* show = window.addCallButton(QStringLiteral("lblPhonebookShow"), QStringLiteral("Favorites"),
                                             QStringLiteral("Invokes the Favorites List"));
    QPushButton* refresh = window.addCallButton(QStringLiteral("lblRefresh"), QStringLiteral("Refresh Lists"),
                                                QStringLiteral("Refreshes all the Lists after changes"));
    QPushButton* local =
        window.addCallButton(QStringLiteral("lblLocalNumbersShow"), QStringLiteral("Local Numbers"),
                             QStringLiteral("Invokes the Local Numbers List"));
    QPushButton* edit = window.addCallButton(QStringLiteral("lblEditLocal"), QStringLiteral("Edit Local Nr."),
                                             QStringLiteral("Invokes the Local Numbers Editor"));
    connect(show, &QPushButton::clicked, this, &PhonebookPanels::showFavourites);
    connect(refresh, &QPushButton::clicked, this, &PhonebookPanels::lblRefresh_Click);
    connect(local, &QPushButton::clicked, this, &PhonebookPanels::showLocalNumbers);
    connect(edit, &QPushButton::clicked, this, &PhonebookPanels::editLocalNumbers);

    connect(m_favourites, &CallSlotsPanel::slotClicked, this, &PhonebookPanels::dialFavourite);
    connect(m_favourites, &CallSlotsPanel::exitClicked, this, &PhonebookPanels::hideFavourites);
    connect(m_localCalls, &CallSlotsPanel::slotClicked, this, &PhonebookPanels::dialLocalNumber);
    connect(m_localCalls, &CallSlotsPanel::exitClicked, this, &PhonebookPanels::hideLocalNumbers);
    connect(m_localEditor, &LocalNumbersEditor::exitClicked, this, &PhonebookPanels::exitLocalNumbersEditor);
}

PhonebookPanels::~PhonebookPanels() = default;

PhonebookPanels* PhonebookPanels::of(TerminalWindow& window) {
    return window.findChild<PhonebookPanels*>(QString::fromLatin1(kObjectName), Qt::FindDirectChildrenOnly);
}

void PhonebookPanels::lblRefresh_Click() {
    if (m_window.onLoadPresets)
        m_window.onLoadPresets();
    PhonebookFile file(m_window.services().folder);
    const FavouriteSlots::Fill fill = FavouriteSlots::fill(file);
    m_favourites->setCaptions(fill.captions);
    if (!fill.opened)
        m_window.services().dialogs.critical(file.openFailureText());
}

void PhonebookPanels::showFavourites() {
    lblRefresh_Click();
    m_favourites->show();
    reveal(m_favourites);
}

void PhonebookPanels::hideFavourites() {
    m_favourites->hide();
}

void PhonebookPanels::showLocalNumbers() {
    m_localCalls->setCaptions(localCaptions(LocalNumbers::LoadLocalNumbers(localNumbersPath())));
    m_localCalls->show();
    reveal(m_localCalls);
}

void PhonebookPanels::hideLocalNumbers() {
    m_localCalls->hide();
}

void PhonebookPanels::editLocalNumbers() {
    const LocalNumbers::Entries entries = LocalNumbers::LoadLocalNumbers(localNumbersPath());
    m_localEditor->setEntries(entries);
    m_localCalls->setCaptions(localCaptions(entries));
    m_localEditor->show();
    m_favourites->hide();
    reveal(m_localEditor);
}

void PhonebookPanels::exitLocalNumbersEditor() {
    QString error;
    if (!LocalNumbers::SaveLocalNumbers(localNumbersPath(), m_localEditor->entries(), &error)) {
        // The editor stays open, so nothing typed is lost.
        m_window.services().dialogs.critical(
            QStringLiteral("The local numbers could not be saved to %1:\n%2").arg(localNumbersPath(), error));
        return;
    }
    m_localEditor->hide();
    lblRefresh_Click();
}

void PhonebookPanels::dialFavourite(int i) {
    m_dialler->dial(m_favourites->caption(i), FavouriteSlots::kDialWidth);
}

void PhonebookPanels::dialLocalNumber(int i) {
    m_dialler->dial(m_localCalls->caption(i), LocalNumbers::kDialWidth);
}

QString PhonebookPanels::localNumbersPath() const {
    return m_window.services().folder.file(QString::fromLatin1(LocalNumbers::kFileName));
}

void PhonebookPanels::reveal(QWidget* panel) {
    // Once the column has laid the panel out, scroll it into view.
    auto* column = m_window.findChild<QScrollArea*>(QStringLiteral("sidePanels"));
    if (!column)
        return;
    QTimer::singleShot(0, panel, [column, panel] {
        if (panel->isVisible())
            column->ensureWidgetVisible(panel, 0, 0);
    });
}

PhonebookPanels& installPhonebookPanels(TerminalWindow& window) {
    if (PhonebookPanels* existing = PhonebookPanels::of(window))
        return *existing;
    return *new PhonebookPanels(window);
}

} // namespace vornal
