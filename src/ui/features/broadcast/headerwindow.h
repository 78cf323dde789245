#pragma once

#include "broadcastheader.h"
#include "files/programfolder.h"
#include "phonebooklistmodel.h"

#include <QDialog>

class QListWidget;
class QPushButton;
class QTreeView;

namespace vornal {

class UserDialogs;

// The broadcast header generator: builds the header that lists the receivers, three to
// a line, writes it to "\RSHeader.txt" and previews it in the teleprinter font, beside
// the phonebook with the receivers ticked. Made afresh for every opening, so every
// opening generates the header anew. "EXIT" asks for the receivers file in the editor
// (editRequested) and closes the window when the editor returns.
class HeaderWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kTitle = " Vornal Header Rundsenden List ";

    HeaderWindow(ProgramFolder folder, QString titleSuffix, UserDialogs& dialogs, QWidget* parent = nullptr);

    // The lvwHeader columns: "ID", "Number", "Name", "Numero", "Nome"; the list's other
    // columns are not shown at all.
    static PhonebookListModel::Headers headers();

    // "Elaborate", and once when the window opens. The files are read and written
    // beside the window's events; a click on "Elaborate" meanwhile is ignored.
    void GenerateHeader();
    // "EXIT".
    void exitToEditor();

    QListWidget* preview() const { return m_lstRSend; }
    PhonebookListModel& list() { return m_list; }

signals:
    void editRequested(const QString& path);

private:
    // The header list's rows, in file order: every record's ID, and the number and name
    // of the receivers.
    static QList<PhonebookListModel::Row> listRows(const BroadcastHeader::Written& written);

    ProgramFolder m_folder;
    QString m_titleSuffix;
    UserDialogs& m_dialogs;
    PhonebookListModel m_list;
    QListWidget* m_lstRSend = nullptr;
    QTreeView* m_lvwHeader = nullptr;
    QPushButton* m_cmdHeader = nullptr;
    QPushButton* m_lblExit = nullptr;
    bool m_generating = false;
};

} // namespace vornal
