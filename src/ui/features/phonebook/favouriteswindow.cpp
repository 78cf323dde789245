#include "features/phonebook/favouriteswindow.h"

#include "display/interfacecommands.h"
#include "look/objectnames.h"
#include "phonebookfile.h"
#include "serial/seriallink.h"
#include "slotdialler.h"
#include "theme/palette.h"
#include "userdialogs.h"

#include <QBoxLayout>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>

namespace vornal {

namespace {

PhonebookListWindow::Texts favouritesTexts(const ProgramFolder& folder) {
    PhonebookListWindow::Texts t;
    t.objectName = ObjectNames::kFrmPresets;
    t.title = QStringLiteral(" Vornal Phonebook ");
    t.heading = QStringLiteral("Vornal Phonebook ");
    t.help =
        QStringLiteral("Check the box to add the subscriber to the Favourite List. Uncheck to remove the "
                       "subscriber from the list.  Click Save to save your choices. The list will be saved "
                       "here: ") +
        QDir::fromNativeSeparators(folder.root()) +
        QStringLiteral("/phonebook.txt to be used with the Vornal USB / RS232 interface");
    t.helpName = ObjectNames::kLblHelp;
    t.saveCaption = QStringLiteral("Save");
    t.saveTip = QStringLiteral("Saves the changes made");
    t.previewTip = QStringLiteral("Re order the List");
    t.exitTip = QStringLiteral("Closes the window");
    t.tickedColour = ThemeColours::kFavouriteTicked;
    return t;
}

} // namespace

FavouritesWindow::FavouritesWindow(const ProgramFolder& folder, UserDialogs& dialogs, SerialLink& link,
                                   InterfaceCommands& commands, QWidget* parent)
    : PhonebookListWindow(favouritesTexts(folder), &PhonebookEntry::Check, {PhonebookListModel::Check},
                          folder, dialogs, parent),
      m_link(link), m_commands(commands) {
    m_lblCalling = makeButton(ObjectNames::kLblCalling, QStringLiteral("Call"),
                              QStringLiteral("Calls the selected Member"));
    buttonRow()->insertWidget(0, m_lblCalling);
    connect(m_lblCalling, &QPushButton::clicked, this, &FavouritesWindow::CallSelected);
    loadList();
}

void FavouritesWindow::save() {
    PhonebookFile file(phonebookPath());
    const MarkedPhonebookList::Saved written = m_list.save(file);
    if (!written) {
        m_dialogs.critical(QStringLiteral("The favourites could not be saved.\n") + written.error);
        return;
    }
    loadList();
    emit saved();
}

void FavouritesWindow::CallSelected() {
    if (!rowShown()) {
        emit beep();
        m_dialogs.message(
            {QString::fromLatin1(kNoSelection), QString(), DialogButtons::Ok, DialogIcon::None, {}});
        return;
    }
    if (!m_link.isOpen()) {
        emit beep();
        m_dialogs.message({QString::fromLatin1(SlotDialler::kPortClosed),
                           QString(),
                           DialogButtons::Ok,
                           DialogIcon::None,
                           {}});
        return;
    }
    // The number and name as stored, with their padding blanks.
    const QString number = field(PhonebookListModel::Number)->text();
    const QString name = field(PhonebookListModel::Name)->text();
    hide();
    done(QDialog::Accepted);
    m_commands.CallNumber(number, name);
}

} // namespace vornal
