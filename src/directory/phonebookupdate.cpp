#include "phonebookupdate.h"

#include "clock.h"
#include "delay.h"
#include "phonebookfile.h"
#include "socketwait.h"
#include "userdialogs.h"

#include <QRandomGenerator>

namespace vornal {

PhonebookUpdate::PhonebookUpdate(QString directoryServer, ProgramFolder folder, UserDialogs& dialogs,
                                 Clock& clock, HostResolver& resolver, QObject* parent)
    : PhonebookUpdate(std::move(directoryServer), std::move(folder), dialogs, clock, resolver, Options{},
                      parent) {}

PhonebookUpdate::PhonebookUpdate(QString directoryServer, ProgramFolder folder, UserDialogs& dialogs,
                                 Clock& clock, HostResolver& resolver, const Options& options,
                                 QObject* parent)
    : QObject(parent), m_server(std::move(directoryServer)), m_folder(std::move(folder)), m_dialogs(dialogs),
      m_clock(clock), m_options(options), m_layer(dialogs, resolver), m_download(m_layer, dialogs),
      m_writer(m_folder), m_list(listHeaders()) {
    m_layer.setTimeouts(m_options.timeouts);
    connect(&m_download, &DirectoryDownload::recordDecoded, this,
            [this](const DirectoryEntry& e) { BuildRow(e.number, e.name); });
}

PhonebookListModel::Headers PhonebookUpdate::listHeaders() {
    return {{{QStringLiteral("ID"), 600},
             {QStringLiteral("Number"), 1000},
             {QStringLiteral("Name"), 3100},
             {QStringLiteral("Check"), 800},
             {QStringLiteral("RsGr1"), 800},
             {QStringLiteral("RsGr2"), 800},
             {QStringLiteral("RsGr3"), 800},
             {QStringLiteral("RsGr4"), 800},
             {QStringLiteral("RsGr5"), 800},
             {QStringLiteral("Change Date"), 1200}}};
}

bool PhonebookUpdate::readMarks(QString* failure) {
    m_favouriteMarks.clear();
    m_broadcastMarks.clear();
    // A long phonebook is read beside the window's events, into tables of its own.
    bool opened = false;
    MarkTable favourites;
    MarkTable receivers;
    runBesideEvents([&] {
        PhonebookFile file(m_folder);
        opened = file.Open();
        if (!opened) {
            *failure = file.openFailureText();
            return;
        }
        const QList<PhonebookEntry> entries = file.readAll();
        file.Close();
        favourites = MarkTable::fromEntries(entries, &PhonebookEntry::Check);
        receivers = MarkTable::fromEntries(entries, &PhonebookEntry::RsGr2);
    });
    if (!opened)
        return false;
    m_favouriteMarks = std::move(favourites);
    m_broadcastMarks = std::move(receivers);
    return true;
}

void PhonebookUpdate::setStatus(const QString& text, quint32 colour) {
    m_statusText = text;
    m_statusColour = colour;
    emit statusChanged(text, colour);
}

void PhonebookUpdate::setButtonsEnabled(bool enabled) {
    m_buttonsEnabled = enabled;
    emit buttonsEnabledChanged(enabled);
}

QString PhonebookUpdate::today() {
    const QDate date = m_clock.now().date();
    if (date != m_dateOfText || m_dateText.isEmpty()) {
        m_dateOfText = date;
        m_dateText = date.toString(QStringLiteral("dd.MM.yyyy"));
    }
    return m_dateText;
}

bool PhonebookUpdate::Retrieve() {
    if (m_busy)
        return false;
    m_busy = true;
    setButtonsEnabled(false);
    QString failure;
    if (!readMarks(&failure)) {
        // Without the old marks the update would drop every favourite and receiver.
        emit marksLoaded({}, {});
        m_busy = false;
        setButtonsEnabled(true);
        m_dialogs.message({failure, {}, DialogButtons::Ok, DialogIcon::Critical, {}});
        return false;
    }
    emit marksLoaded(m_favouriteMarks.numbers(), m_broadcastMarks.numbers());
    {
        // The rows of a long list are let go beside the window's events.
        QList<PhonebookListModel::Row> old = m_list.rows();
        m_list.clear();
        runBesideEvents([&old] { old = {}; });
    }
    setStatus(QStringLiteral(" Retrieving Subscribers List from ") + m_server +
                  QStringLiteral(" Please wait ... "),
              kRed);
    const bool clean = m_download.DownloadDirectory(m_server.trimmed(), m_options.port);
    m_list.flush();
    if (!clean) {
        // Failed: nothing is saved, but the window can be closed or the download tried
        // again. The message box has said why.
        setStatus(QString::fromLatin1(kDownloadFailedText), kRed);
        m_busy = false;
        setButtonsEnabled(true);
        return false;
    }
    setStatus(QString::fromLatin1(kSavingText), kGreen);
    const bool written = write();
    m_busy = false;
    return written;
}

void PhonebookUpdate::LoadMarks() {
    QString failure;
    if (!readMarks(&failure))
        m_dialogs.message({failure, {}, DialogButtons::Ok, DialogIcon::Critical, {}});
    emit marksLoaded(m_favouriteMarks.numbers(), m_broadcastMarks.numbers());
}

void PhonebookUpdate::BuildRow(const QString& number, const QString& name) {
    emit currentRecord(number, name);
    const QString zero = QStringLiteral("0");
    const QString one = QStringLiteral("1");
    PhonebookListModel::Row row;
    row[PhonebookListModel::Number] = number;
    row[PhonebookListModel::Name] = name;
    row[PhonebookListModel::Check] = m_favouriteMarks.containsNumber(number) ? one : zero;
    row[PhonebookListModel::RsGr1] = zero;
    row[PhonebookListModel::RsGr2] = m_broadcastMarks.containsNumber(number) ? one : zero;
    row[PhonebookListModel::RsGr3] = zero;
    row[PhonebookListModel::RsGr4] = zero;
    row[PhonebookListModel::RsGr5] = zero;
    row[PhonebookListModel::ChangeDate] = today();
    m_list.appendRow(row);
}

void PhonebookUpdate::SortByName() {
    setStatus(QString::fromLatin1(kSortingText), kMagenta);
    m_list.flush();
    // The sort of a long list is computed and its rows are put in order beside the
    // window's events, from a copy; the list then only takes the sorted rows, and the
    // rows it held are let go beside the events again.
    QList<int> order;
    QList<PhonebookListModel::Row> sorted;
    {
        const QList<PhonebookListModel::Row> rows = m_list.rows();
        runBesideEvents([&] {
            order = PhonebookListModel::sortOrder(rows, PhonebookListModel::Name);
            sorted = PhonebookListModel::permuted(rows, order);
        });
    }
    if (order.size() == m_list.rowCount() && sorted.size() == order.size()) {
        QList<PhonebookListModel::Row> old = m_list.reorder(order, std::move(sorted));
        runBesideEvents([&old] { old = {}; });
    } else {
        m_list.sortByColumn(PhonebookListModel::Name);
    }
    Delay(m_options.sortPause);
}

void PhonebookUpdate::sortByColumn(int column) {
    // While a download or a save runs the list stays in the order of the names, the
    // order the phonebook must be written in; a click during the pause after the sort
    // would otherwise decide the order of the file.
    if (!m_busy)
        m_list.sortByColumn(column);
}

bool PhonebookUpdate::WritePhonebook() {
    if (m_busy)
        return false;
    m_busy = true;
    setButtonsEnabled(false);
    const bool written = write();
    m_busy = false;
    return written;
}

bool PhonebookUpdate::write() {
    SortByName();
    // The files are made and written beside the window's events, from a copy of the
    // rows; each replaces its old file only once it is complete.
    const QList<PhonebookListModel::Row> rows = m_list.rows();
    const auto inBackground = [](const std::function<FileResult()>& step) {
        FileResult result;
        runBesideEvents([&] { result = step(); });
        return result;
    };
    if (const FileResult written = inBackground([&] { return m_writer.writePhonebook(rows); }); !written) {
        setStatus(QString::fromLatin1(kSaveFailedText), kRed);
        setButtonsEnabled(true);
        m_dialogs.message({QStringLiteral("ERROR: The new phonebook could not be saved; the old phonebook is "
                                          "unchanged.\n") +
                               written.error,
                           {},
                           DialogButtons::Ok,
                           DialogIcon::Critical,
                           {}});
        return false;
    }
    const FileResult csv = inBackground([&] { return m_writer.writeCsv(rows); });
    if (csv)
        setStatus(QString::fromLatin1(kCompleteText), kBlack);
    else
        setStatus(QString::fromLatin1(kCsvFailedText), kRed);
    setButtonsEnabled(true);
    const FileResult backup = inBackground([&] { return m_writer.copyBackup(); });
    if (!backup)
        setStatus(QString::fromLatin1(csv ? kBackupFailedText : kCsvAndBackupFailedText), kRed);
    emit phonebookChanged();
    if (!csv)
        m_dialogs.message({QStringLiteral("ERROR: The export could not be written.\n") + csv.error,
                           {},
                           DialogButtons::Ok,
                           DialogIcon::Critical,
                           {}});
    if (!backup)
        m_dialogs.message(
            {QStringLiteral("ERROR: The backup of the phonebook could not be written.\n") + backup.error,
             {},
             DialogButtons::Ok,
             DialogIcon::Critical,
             {}});
    return true;
}

void PhonebookUpdate::newPhonebook() {
    // The list a running download or save is filling or writing stays as it is.
    if (m_busy)
        return;
    QList<PhonebookListModel::Row> rows;
    rows.reserve(500);
    const QString zero = QStringLiteral("0");
    for (int id = 1; id <= 500; ++id) {
        PhonebookListModel::Row row;
        row[PhonebookListModel::ID] = QString::number(id);
        row[PhonebookListModel::Number] = QString::number(QRandomGenerator::global()->bounded(5000));
        row[PhonebookListModel::Name] = QStringLiteral("Name");
        for (int c = PhonebookListModel::Check; c <= PhonebookListModel::RsGr5; ++c)
            row[size_t(c)] = zero;
        row[PhonebookListModel::ChangeDate] = today();
        rows.append(row);
    }
    m_list.setRows(std::move(rows));
}

} // namespace vornal
