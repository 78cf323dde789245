#pragma once

#include "directorydownload.h"
#include "files/programfolder.h"
#include "marktable.h"
#include "phonebooklistmodel.h"
#include "phonebookwriter.h"
#include "socketlayer.h"

#include <QDate>
#include <QObject>
#include <QString>

namespace vornal {

class Clock;
class HostResolver;
class PhonebookFile;
class UserDialogs;

// What the update window does, without its widgets: Retrieve (the marks of the old
// phonebook, the download into the list), the merge of the marks into each row, the
// sorting, and the writer. The window shows what this announces.
class PhonebookUpdate : public QObject {
    Q_OBJECT
public:
    static constexpr quint32 kRed = 255;
    static constexpr quint32 kGreen = 65280;
    static constexpr quint32 kMagenta = 16711935;
    static constexpr quint32 kBlack = 0;
    static constexpr const char* kIdleText = "Press Retrieve to start download";
    static constexpr const char* kSavingText = " Saving Updated Data - please wait ";
    static constexpr const char* kSortingText = " Sorting Phonebook - please wait";
    static constexpr const char* kCompleteText =
        " Update complete - press EXIT to close window. A Phonebook.csv File was generated to be used with "
        "Microsoft Excel for personal use";
    static constexpr const char* kSaveFailedText = " Saving failed - the phonebook was not changed";
    static constexpr const char* kDownloadFailedText = " Download failed - the phonebook was not changed";
    static constexpr const char* kCsvFailedText = " Update complete - but phonebook.csv could not be written";
    static constexpr const char* kBackupFailedText =
        " Update complete - but phonebook-backup.txt could not be written";
    static constexpr const char* kCsvAndBackupFailedText =
        " Update complete - but phonebook.csv and phonebook-backup.txt could not be written";

    struct Options {
        quint16 port = DirectoryFrames::kPort;
        // The pause after sorting by name, in seconds.
        double sortPause = 2.0;
        SocketLayer::Timeouts timeouts;
    };

    PhonebookUpdate(QString directoryServer, ProgramFolder folder, UserDialogs& dialogs, Clock& clock,
                    HostResolver& resolver, QObject* parent = nullptr);
    PhonebookUpdate(QString directoryServer, ProgramFolder folder, UserDialogs& dialogs, Clock& clock,
                    HostResolver& resolver, const Options& options, QObject* parent = nullptr);

    // The update list's ten columns: "ID", "Number", "Name", "Check", "RsGr1" to
    // "RsGr5" and "Change Date".
    static PhonebookListModel::Headers listHeaders();

    PhonebookListModel& list() { return m_list; }
    // The favourites (Check) and the broadcast receivers (RsGr2) of the phonebook as
    // Retrieve or LoadMarks last read it, by record position.
    const MarkTable& favouriteMarks() const { return m_favouriteMarks; }
    const QString& directoryServer() const { return m_server; }
    QString statusText() const { return m_statusText; }
    quint32 statusColour() const { return m_statusColour; }
    bool buttonsEnabled() const { return m_buttonsEnabled; }
    // A download or a save is running.
    bool busy() const { return m_busy; }

    // The "Retrieve" action: marks, empty list, download, and on a clean end the save.
    // True when the new phonebook was written.
    bool Retrieve();
    // Reloads the mark tables and lists from the phonebook.
    void LoadMarks();
    // Adds the row of a downloaded subscriber, with its marks carried over.
    void BuildRow(const QString& number, const QString& name);
    void SortByName();
    // A click on a column header: ascending by that column; ignored while busy.
    void sortByColumn(int column);
    // Sorts, then writes the phonebook, its export and its backup from the list as it
    // stands (also the hidden "save" command). True when the phonebook was written.
    bool WritePhonebook();
    // The hidden "New Phonebook" command: 500 generated rows.
    void newPhonebook();

signals:
    void statusChanged(const QString& text, quint32 colour);
    void buttonsEnabledChanged(bool enabled);
    // The number and name of the record being received.
    void currentRecord(const QString& number, const QString& name);
    void marksLoaded(const QStringList& favourites, const QStringList& broadcastReceivers);
    // The phonebook file was replaced.
    void phonebookChanged();

private:
    // The save after a sort; announces the outcome and enables the buttons again.
    bool write();
    // Reads both mark tables from the phonebook, which is opened (a missing file is
    // created empty) and closed again. False when it could not be opened, with the text
    // that says why in failure; the tables are then empty.
    bool readMarks(QString* failure);
    void setStatus(const QString& text, quint32 colour);
    void setButtonsEnabled(bool enabled);
    QString today();

    QString m_server;
    ProgramFolder m_folder;
    UserDialogs& m_dialogs;
    Clock& m_clock;
    Options m_options;
    SocketLayer m_layer;
    DirectoryDownload m_download;
    MarkTable m_favouriteMarks;
    MarkTable m_broadcastMarks;
    PhonebookWriter m_writer;
    PhonebookListModel m_list;
    QString m_statusText = QString::fromLatin1(kIdleText);
    quint32 m_statusColour = kBlack;
    bool m_buttonsEnabled = true;
    bool m_busy = false;
    QDate m_dateOfText;
    QString m_dateText;
};

} // namespace vornal
