#include "features/broadcast/receiverswindow.h"

#include "theme/palette.h"
#include "theme/theme.h"

#include "broadcastreceivers.h"
#include "look/objectnames.h"
#include "phonebookfile.h"
#include "receiverlines.h"
#include "socketwait.h"
#include "userdialogs.h"

#include <QBoxLayout>
#include <QListWidget>

namespace vornal {

namespace {

PhonebookListWindow::Texts receiversTexts() {
    PhonebookListWindow::Texts t;
    t.objectName = ObjectNames::kFrmCirculair;
    t.title = QStringLiteral(" Vornal Rundsenden List ");
    t.heading = QStringLiteral("Vornal Rundenden Receivers");
    t.help = QStringLiteral("Click the CheckBox to add the subscriber to the RSend Receiver List. Uncheck to "
                            "remove the subscriber from the list.  Click Save to save your choices. ");
    t.helpName = ObjectNames::kLblRsHelp;
    t.saveCaption = QStringLiteral("Save Receivers List");
    t.saveTip = QStringLiteral("Seves the selected receivers");
    t.previewTip = QStringLiteral("Re order the list");
    t.exitTip = QStringLiteral("Close the window");
    t.tickedColour = ThemeColours::kReceiverTicked;
    t.withDate = true;
    return t;
}

} // namespace

ReceiversWindow::ReceiversWindow(ProgramFolder folder, UserDialogs& dialogs, QWidget* parent)
    : PhonebookListWindow(receiversTexts(), &PhonebookEntry::RsGr2,
                          {PhonebookListModel::RsGr1, PhonebookListModel::RsGr2}, std::move(folder), dialogs,
                          parent) {
    m_lstRSend = new QListWidget;
    m_lstRSend->setObjectName(ObjectNames::kLstRSend);
    m_lstRSend->setToolTip(QStringLiteral("Receivers List for Rundsenden Service"));
    m_lstRSend->setAccessibleDescription(m_lstRSend->toolTip());
    m_lstRSend->setAccessibleName(QStringLiteral("Receivers"));
    m_lstRSend->setFixedWidth(Theme::twipsToPixels(1800, this));
    besideList()->addWidget(m_lstRSend);
    loadList();
}

void ReceiversWindow::save() {
    // The receivers file is written beside the window's events, which may click "Save
    // Receivers List" again (after a tick); the save under way is the one asked for.
    if (m_saving)
        return;
    m_saving = true;
    PhonebookFile phonebook(phonebookPath());
    const BroadcastReceivers::Saved saved = BroadcastReceivers::save(
        m_list, phonebook, m_folder.file(QString::fromLatin1(ReceiverLines::kFileName)), m_folder.writer(),
        runBesideEvents);
    m_saving = false;
    if (!saved) {
        m_list.setSaveEnabled(true);
        m_dialogs.critical(QStringLiteral("The receivers list could not be saved.\n") + saved.error);
        return;
    }
    m_lstRSend->clear();
    m_lstRSend->addItems(saved.shown);
    if (!saved.leftOut.isEmpty())
        m_dialogs.warning(QStringLiteral("These receivers are marked but not in the receivers list, because "
                                         "their numbers hold more than digits:\n") +
                          saved.leftOut.join(QLatin1Char('\n')));
    accept();
}

} // namespace vornal
