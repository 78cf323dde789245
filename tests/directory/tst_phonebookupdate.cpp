#include "fakeclock.h"
#include "fakehostresolver.h"
#include "files/programfiles.h"
#include "files/textcodec.h"
#include "filesizelimit.h"
#include "phonebookfile.h"
#include "phonebookupdate.h"
#include "phonebookwriter.h"
#include "scopedwritefault.h"
#include "scripteddialogs.h"
#include "simulators.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <cstring>

using namespace vornal;
using namespace std::chrono_literals;

namespace {

PhonebookEntry entry(const QString& number, const QString& name, qint16 check = 0, qint16 rsGr1 = 0,
                     qint16 rsGr2 = 0) {
    PhonebookEntry e;
    e.Number = number;
    e.Name = name;
    e.Check = check;
    e.RsGr1 = rsGr1;
    e.RsGr2 = rsGr2;
    e.ChangeDate = QStringLiteral("01.01.2020");
    return e;
}

QString pad(const QString& text, int width) {
    return text.leftJustified(width, QLatin1Char(' '));
}

QString reason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

struct Fixture {
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    FakeClock clock;
    FakeHostResolver resolver;
    FaultingFileWriter files;
    std::unique_ptr<PhonebookUpdate> update;

    PhonebookUpdate& make(const QString& server = QStringLiteral("127.0.0.1"), quint16 port = 1) {
        PhonebookUpdate::Options options;
        options.port = port;
        options.sortPause = 0;
        options.timeouts = {2'000ms, 400ms};
        update = std::make_unique<PhonebookUpdate>(server, ProgramFolder(dir.path(), &files), dialogs, clock,
                                                   resolver, options);
        return *update;
    }
    QString path(QAnyStringView name) const { return dir.filePath(name.toString()); }
    void writeFile(QAnyStringView name, const QByteArray& bytes) const {
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QByteArray readFile(QAnyStringView name) const { return fileBytes(path(name), "<missing>"); }
    void writePhonebook(const QList<PhonebookEntry>& entries) const {
        QByteArray bytes;
        for (int i = 0; i < entries.size(); ++i) {
            PhonebookEntry e = entries.at(i);
            e.ID = qint16(i);
            bytes += e.toRecord();
        }
        writeFile(programFile(ProgramFiles::kPhonebook), bytes);
    }
    // Files of the folder that are none of the program's: half-written temporary ones.
    QStringList leftovers() const {
        QStringList names = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        names.removeIf([](const QString& n) {
            return n.endsWith(QLatin1String(".txt")) || n.endsWith(QLatin1String(".csv"));
        });
        return names;
    }
    QList<PhonebookEntry> phonebook() const {
        PhonebookFile file(path(programFile(ProgramFiles::kPhonebook)));
        if (!file.Open())
            return {};
        return file.readAll();
    }
    QString csv(const QString& lines) const {
        const QString p = path("directory.csv");
        QFile f(p);
        f.open(QIODevice::WriteOnly);
        f.write(TextCodec::encode(lines));
        return p;
    }
};

// The old phonebook of most cases: marks on subscribers that stay, leave and change.
QList<PhonebookEntry> oldPhonebook() {
    return {entry(QStringLiteral("12345"), QStringLiteral("MAYER"), 1),
            entry(QStringLiteral(" 22222"), QStringLiteral("ADAMS"), 0, 1, 1),
            entry(QStringLiteral("33333"), QStringLiteral("GONE"), 1, 0, 1),
            entry(QStringLiteral("44444"), QStringLiteral("DORN"), 2),
            entry(QStringLiteral("66666"), QStringLiteral("OLD ONE")),
            entry(QStringLiteral("77777"), QStringLiteral("OLD TWO"))};
}

const char* const kDirectory = "12345,MAYER\n22222,adams\n55555,Newman\n44444,DORN\n";

} // namespace

class TestPhonebookUpdate : public QObject {
    Q_OBJECT
private slots:
    void retrieveMergesMarksAndReplacesThePhonebook();
    void csvLine();
    void statusAndButtonsThroughADownload();
    void secondUpdateReadsTheMarksAgain();
    void failedDownloadLeavesTheFiles_data();
    void failedDownloadLeavesTheFiles();
    void failedWriteLeavesTheOldPhonebook_data();
    void failedWriteLeavesTheOldPhonebook();
    void failedExportOrBackupIsToldWithTheReason_data();
    void failedExportOrBackupIsToldWithTheReason();
    void writerFailuresNameTheFile_data();
    void writerFailuresNameTheFile();
    void columnClickDuringTheSaveKeepsTheNameOrder();
    void marksOfEveryRecordCount();
    void newPhonebookCommand();
    void writeBesideTheEventsKeepsTheBytes_data();
    void writeBesideTheEventsKeepsTheBytes();
};

void TestPhonebookUpdate::retrieveMergesMarksAndReplacesThePhonebook() {
    Fixture f;
    f.writePhonebook(oldPhonebook());
    DirsimProcess sim;
    QVERIFY(sim.start(
        {QStringLiteral("--csv"), f.csv(QString::fromLatin1(kDirectory)), QStringLiteral("--once")}));
    PhonebookUpdate& u = f.make(QStringLiteral("127.0.0.1"), sim.port());
    QSignalSpy marks(&u, &PhonebookUpdate::marksLoaded);
    QSignalSpy changed(&u, &PhonebookUpdate::phonebookChanged);

    QVERIFY(u.Retrieve());
    QCOMPARE(sim.exitCode(), 0);
    QCOMPARE(f.dialogs.texts(), QStringList());
    QCOMPARE(marks.size(), 1);
    QCOMPARE(marks.first().at(0).toStringList(),
             (QStringList{pad(QStringLiteral("12345"), 12), pad(QStringLiteral("33333"), 12)}));
    QCOMPARE(marks.first().at(1).toStringList(),
             (QStringList{pad(QStringLiteral(" 22222"), 12), pad(QStringLiteral("33333"), 12)}));
    QCOMPARE(changed.size(), 1);

    const QList<PhonebookEntry> now = f.phonebook();
    QCOMPARE(now.size(), 4); // cut to the downloaded records
    QCOMPARE(f.readFile(programFile(ProgramFiles::kPhonebook)).size(), 4 * 124);
    const QStringList names{QStringLiteral("adams"), QStringLiteral("DORN"), QStringLiteral("MAYER"),
                            QStringLiteral("Newman")};
    const QStringList numbers{QStringLiteral("22222"), QStringLiteral("44444"), QStringLiteral("12345"),
                              QStringLiteral("55555")};
    const QList<int> check{0, 0, 1, 0};
    const QList<int> rsGr2{1, 0, 0, 0};
    for (int i = 0; i < 4; ++i) {
        const PhonebookEntry& e = now.at(i);
        QCOMPARE(e.ID, qint16(i + 1));
        QCOMPARE(e.Name, pad(names.at(i), 40));
        QCOMPARE(e.Number, pad(numbers.at(i), 12));
        QCOMPARE(int(e.Check), check.at(i));
        QCOMPARE(int(e.RsGr2), rsGr2.at(i));
        QCOMPARE(e.RsGr1 + e.RsGr3 + e.RsGr4 + e.RsGr5, 0); // ADAMS had RsGr1 = 1
        QCOMPARE(e.ChangeDate, QStringLiteral("07.12.2026"));
    }
    QByteArray csv;
    for (int i = 0; i < 4; ++i)
        csv += PhonebookWriter::csvLine(i + 1, names.at(i), numbers.at(i));
    QCOMPARE(f.readFile(programFile(ProgramFiles::kPhonebookCsv)), csv);
    QCOMPARE(f.readFile(programFile(ProgramFiles::kPhonebookBackup)),
             f.readFile(programFile(ProgramFiles::kPhonebook)));
    QCOMPARE(f.leftovers(), QStringList());
    QCOMPARE(u.list().rowCount(), 4);
}

void TestPhonebookUpdate::csvLine() {
    QCOMPARE(PhonebookWriter::csvLine(3, QStringLiteral("MAYER"), QStringLiteral("12345")),
             QByteArray("3,MAYER") + QByteArray(35, ' ') + ",12345" + QByteArray(7, ' ') + "\r\n");
    QCOMPARE(PhonebookWriter::csvLine(12, QString(45, QLatin1Char('N')), QStringLiteral("1234567890123")),
             QByteArray("12,") + QByteArray(40, 'N') + ",123456789012\r\n");
    QCOMPARE(PhonebookWriter::csvLine(1, QStringLiteral("M\u00fcller"), QStringLiteral("1")),
             QByteArray("1,M\xfcller") + QByteArray(34, ' ') + ",1" + QByteArray(11, ' ') + "\r\n");
}

void TestPhonebookUpdate::statusAndButtonsThroughADownload() {
    Fixture f;
    DirsimProcess sim;
    QVERIFY(sim.start({QStringLiteral("--generate"), QStringLiteral("2"), QStringLiteral("--once")}));
    f.resolver.entries.insert(QStringLiteral("localhost"), HostEntry{4, {QByteArray("\x7f\0\0\1", 4)}});
    PhonebookUpdate& u = f.make(QStringLiteral("localhost"), sim.port());
    QCOMPARE(u.statusText(), QStringLiteral("Press Retrieve to start download"));
    QVERIFY(u.buttonsEnabled());
    QStringList seen;
    QObject::connect(&u, &PhonebookUpdate::statusChanged, [&](const QString& text, quint32 colour) {
        seen.append(QString::number(colour) + text);
    });
    QList<bool> enabled;
    QObject::connect(&u, &PhonebookUpdate::buttonsEnabledChanged, [&](bool on) { enabled.append(on); });
    bool disabledWhileReceiving = false;
    QObject::connect(&u, &PhonebookUpdate::currentRecord,
                     [&] { disabledWhileReceiving = !u.buttonsEnabled() && u.busy(); });
    QVERIFY(u.Retrieve());
    QCOMPARE(seen,
             (QStringList{QStringLiteral("255 Retrieving Subscribers List from localhost Please wait ... "),
                          QStringLiteral("65280 Saving Updated Data - please wait "),
                          QStringLiteral("16711935 Sorting Phonebook - please wait"),
                          QStringLiteral("0") + QString::fromLatin1(PhonebookUpdate::kCompleteText)}));
    QCOMPARE(enabled, (QList<bool>{false, true}));
    QVERIFY(disabledWhileReceiving);
    QVERIFY(!u.busy());
    // A phonebook that did not exist is created.
    QCOMPARE(f.phonebook().size(), 2);
}

void TestPhonebookUpdate::secondUpdateReadsTheMarksAgain() {
    Fixture f;
    f.writePhonebook(oldPhonebook());
    DirsimProcess sim;
    QVERIFY(sim.start({QStringLiteral("--csv"), f.csv(QString::fromLatin1(kDirectory))}));
    PhonebookUpdate& u = f.make(QStringLiteral("16777343"), sim.port());
    QVERIFY(u.Retrieve());
    QCOMPARE(f.phonebook().at(2).Check, qint16(1));

    // The favourite is taken off in between, as the favourites window does it.
    {
        PhonebookFile file(f.path(programFile(ProgramFiles::kPhonebook)));
        QVERIFY(file.Open());
        PhonebookEntry e = *file.ReadRecord(3);
        QCOMPARE(e.Name.trimmed(), QStringLiteral("MAYER"));
        e.Check = 0;
        QVERIFY(file.WriteRecord(3, e));
    }
    QVERIFY(u.Retrieve());
    const QList<PhonebookEntry> now = f.phonebook();
    QCOMPARE(now.size(), 4);
    QCOMPARE(now.at(2).Check, qint16(0));
    QCOMPARE(now.at(0).RsGr2, qint16(1));
    QVERIFY(u.favouriteMarks().numbers().isEmpty());
}

void TestPhonebookUpdate::failedDownloadLeavesTheFiles_data() {
    QTest::addColumn<QString>("server");
    QTest::addColumn<QStringList>("switches"); // empty: no simulator at all
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("rows");
    QTest::newRow("unknown name") << QStringLiteral("no-such-host.invalid") << QStringList()
                                  << QStringLiteral("ERROR: GetIp(no-such-host.invalid) failed") << 0;
    QTest::newRow("nobody listening")
        << QStringLiteral("127.0.0.1") << QStringList() << QStringLiteral("ERROR: connect = -1") << 0;
    const QString local = QStringLiteral("127.0.0.1");
    const auto fault = [](const char* kind, int after) {
        return QStringList{QStringLiteral("--fault"), QString::fromLatin1(kind),
                           QStringLiteral("--fault-after"), QString::number(after)};
    };
    QTest::newRow("wrong type") << local << fault("wrong-type", 2)
                                << QStringLiteral("Invalid code or lenght: 0x7 / 102") << 2;
    QTest::newRow("short record") << local << fault("short", 1)
                                  << QStringLiteral("Invalid code or lenght: 0x5 / 60") << 1;
    QTest::newRow("closing early") << local << fault("close", 3)
                                   << QStringLiteral("Invalid code or lenght: 0x8 / 0") << 3;
    QTest::newRow("silence") << local << fault("silence", 0)
                             << QStringLiteral("ERROR: no answer from 127.0.0.1 within 0.4 seconds") << 0;
    QTest::newRow("garbage") << local << fault("garbage", 1) << QStringLiteral("Invalid code or lenght: 0x")
                             << 1;
    QTest::newRow("drip slower than the time-out")
        << local << QStringList{QStringLiteral("--drip"), QStringLiteral("10")}
        << QStringLiteral("ERROR: no answer from 127.0.0.1 within 0.4 seconds") << 0;
}

void TestPhonebookUpdate::failedDownloadLeavesTheFiles() {
    QFETCH(QString, server);
    QFETCH(QStringList, switches);
    QFETCH(QString, message);
    QFETCH(int, rows);
    Fixture f;
    f.writePhonebook(oldPhonebook());
    f.writeFile(programFile(ProgramFiles::kPhonebookCsv), "old export\r\n");
    f.writeFile(programFile(ProgramFiles::kPhonebookBackup), "old backup");
    const QByteArray before = f.readFile(programFile(ProgramFiles::kPhonebook));

    DirsimProcess sim;
    quint16 port = 0;
    if (switches.isEmpty()) {
        DirsimProcess gone; // a port on which nobody listens any more
        QVERIFY(gone.start({}));
        port = gone.port();
    } else {
        QVERIFY(sim.start(switches + QStringList{QStringLiteral("--generate"), QStringLiteral("5")}));
        port = sim.port();
    }
    PhonebookUpdate& u = f.make(server, port);
    QVERIFY(!u.Retrieve());
    QCOMPARE(f.dialogs.texts().size(), 1);
    QVERIFY2(f.dialogs.texts().first().startsWith(message), qPrintable(f.dialogs.texts().first()));
    QCOMPARE(u.list().rowCount(), rows);
    QCOMPARE(f.readFile(programFile(ProgramFiles::kPhonebook)), before);
    QCOMPARE(f.readFile(programFile(ProgramFiles::kPhonebookCsv)), QByteArray("old export\r\n"));
    QCOMPARE(f.readFile(programFile(ProgramFiles::kPhonebookBackup)), QByteArray("old backup"));
    QCOMPARE(f.leftovers(), QStringList());
    // The window can be closed, or the download tried again.
    QVERIFY(u.buttonsEnabled());
    QVERIFY(!u.busy());
    QCOMPARE(u.statusText(), QStringLiteral(" Download failed - the phonebook was not changed"));
    QCOMPARE(u.statusColour(), PhonebookUpdate::kRed);
}

void TestPhonebookUpdate::failedWriteLeavesTheOldPhonebook_data() {
    QTest::addColumn<int>("failure");
    QTest::addColumn<int>("error");
    enum { Create, DiskFull, SizeLimit };
    QTest::newRow("temporary file cannot be made") << int(Create) << EACCES;
    QTest::newRow("disk full half way") << int(DiskFull) << ENOSPC;
    QTest::newRow("file size limit half way") << int(SizeLimit) << EFBIG;
}

void TestPhonebookUpdate::failedWriteLeavesTheOldPhonebook() {
    QFETCH(int, failure);
    QFETCH(int, error);
    Fixture f;
    f.writePhonebook(oldPhonebook().mid(0, 2));
    f.writeFile(programFile(ProgramFiles::kPhonebookCsv), "old export\r\n");
    const QByteArray before = f.readFile(programFile(ProgramFiles::kPhonebook));
    PhonebookUpdate& u = f.make();
    for (int i = 0; i < 60; ++i)
        u.BuildRow(QString::number(10000 + i), QStringLiteral("Name %1").arg(i));

    bool written = true;
    if (failure == 2) {
        // Writes past 4000 bytes fail, as on a full disk.
        const FileSizeLimit limit(4000);
        written = u.WritePhonebook();
    } else {
        const ScopedWriteFault fault(f.files,
                                     {failure == 0 ? WriteFault::Step::Create : WriteFault::Step::Write,
                                      error, 4096, programFile(ProgramFiles::kPhonebook)});
        written = u.WritePhonebook();
    }
    QVERIFY(!written);
    QCOMPARE(f.readFile(programFile(ProgramFiles::kPhonebook)), before);
    QCOMPARE(f.readFile(programFile(ProgramFiles::kPhonebookCsv)), QByteArray("old export\r\n"));
    QCOMPARE(f.dialogs.texts(),
             QStringList{QStringLiteral("ERROR: The new phonebook could not be saved; the old phonebook is "
                                        "unchanged.\n") +
                         f.path(programFile(ProgramFiles::kPhonebook)) + QStringLiteral(": ") +
                         reason(error)});
    QCOMPARE(u.statusText(), QString::fromLatin1(PhonebookUpdate::kSaveFailedText));
    QVERIFY(u.buttonsEnabled());
    QCOMPARE(f.leftovers(), QStringList());
}

void TestPhonebookUpdate::failedExportOrBackupIsToldWithTheReason_data() {
    QTest::addColumn<QString>("failing");
    QTest::addColumn<QString>("status");
    QTest::newRow("export") << programFile(ProgramFiles::kPhonebookCsv)
                            << QString::fromLatin1(PhonebookUpdate::kCsvFailedText);
    QTest::newRow("backup") << programFile(ProgramFiles::kPhonebookBackup)
                            << QString::fromLatin1(PhonebookUpdate::kBackupFailedText);
    QTest::newRow("both") << QStringLiteral("")
                          << QString::fromLatin1(PhonebookUpdate::kCsvAndBackupFailedText);
}

void TestPhonebookUpdate::failedExportOrBackupIsToldWithTheReason() {
    QFETCH(QString, failing);
    QFETCH(QString, status);
    Fixture f;
    f.writePhonebook(oldPhonebook());
    f.writeFile(programFile(ProgramFiles::kPhonebookCsv), "old export\r\n");
    f.writeFile(programFile(ProgramFiles::kPhonebookBackup), "old backup");
    PhonebookUpdate& u = f.make();
    for (int i = 0; i < 60; ++i)
        u.BuildRow(QString::number(10000 + i), QStringLiteral("Name %1").arg(i));
    const QByteArray csvBefore = f.readFile(programFile(ProgramFiles::kPhonebookCsv));
    const QByteArray backupBefore = f.readFile(programFile(ProgramFiles::kPhonebookBackup));
    {
        // The disk fills up a block into the file; with both failing, after the phonebook.
        const ScopedWriteFault fault(
            f.files, {WriteFault::Step::Write, ENOSPC, 4096, failing, failing.isEmpty() ? 1 : 0});
        QVERIFY(u.WritePhonebook());
    }
    QCOMPARE(f.phonebook().size(), 60);
    QCOMPARE(u.statusText(), status);
    QCOMPARE(u.statusColour(), PhonebookUpdate::kRed);
    QStringList expected;
    if (failing != programFile(ProgramFiles::kPhonebookBackup)) {
        QCOMPARE(f.readFile(programFile(ProgramFiles::kPhonebookCsv)), csvBefore);
        expected.append(QStringLiteral("ERROR: The export could not be written.\n") +
                        f.path(programFile(ProgramFiles::kPhonebookCsv)) + QStringLiteral(": ") +
                        reason(ENOSPC));
    }
    if (failing != programFile(ProgramFiles::kPhonebookCsv)) {
        QCOMPARE(f.readFile(programFile(ProgramFiles::kPhonebookBackup)), backupBefore);
        expected.append(QStringLiteral("ERROR: The backup of the phonebook could not be written.\n") +
                        f.path(programFile(ProgramFiles::kPhonebookBackup)) + QStringLiteral(": ") +
                        reason(ENOSPC));
    }
    QCOMPARE(f.dialogs.texts(), expected);
    QCOMPARE(f.leftovers(), QStringList());
}

// Each of the writer's files fails with the file it was at and the system's reason,
// also alone: the backup of a phonebook that is gone names the phonebook it could not read.
void TestPhonebookUpdate::writerFailuresNameTheFile_data() {
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("failing"); // where the temporary file cannot be made
    QTest::addColumn<QString>("named");
    QTest::addColumn<int>("error");
    QTest::newRow("phonebook") << QStringLiteral("phonebook") << programFile(ProgramFiles::kPhonebook)
                               << programFile(ProgramFiles::kPhonebook) << EACCES;
    QTest::newRow("export") << QStringLiteral("export") << programFile(ProgramFiles::kPhonebookCsv)
                            << programFile(ProgramFiles::kPhonebookCsv) << EACCES;
    QTest::newRow("backup") << QStringLiteral("backup") << programFile(ProgramFiles::kPhonebookBackup)
                            << programFile(ProgramFiles::kPhonebookBackup) << EACCES;
    QTest::newRow("backup without a phonebook")
        << QStringLiteral("backup") << QString() << programFile(ProgramFiles::kPhonebook) << ENOENT;
}

void TestPhonebookUpdate::writerFailuresNameTheFile() {
    QFETCH(QString, step);
    QFETCH(QString, failing);
    QFETCH(QString, named);
    QFETCH(int, error);
    Fixture f;
    if (!failing.isEmpty())
        f.writePhonebook(oldPhonebook());
    const PhonebookWriter writer(ProgramFolder(f.dir.path(), &f.files));
    const QList<PhonebookListModel::Row> rows(3);
    FileResult result;
    {
        const ScopedWriteFault fault(f.files, {WriteFault::Step::Create, error, 0,
                                               failing.isEmpty() ? QStringLiteral("none") : failing});
        result = step == QLatin1String("phonebook") ? writer.writePhonebook(rows)
                 : step == QLatin1String("export")  ? writer.writeCsv(rows)
                                                    : writer.copyBackup();
    }
    QVERIFY(!result);
    QCOMPARE(result.reason, reason(error));
    QCOMPARE(result.error, f.dir.filePath(named) + QStringLiteral(": ") + reason(error));
    QCOMPARE(f.leftovers(), QStringList());
}

void TestPhonebookUpdate::columnClickDuringTheSaveKeepsTheNameOrder() {
    Fixture f;
    PhonebookUpdate::Options options;
    options.sortPause = 0.3;
    PhonebookUpdate u(QStringLiteral("127.0.0.1"), ProgramFolder(f.dir.path()), f.dialogs, f.clock,
                      f.resolver, options);
    u.BuildRow(QStringLiteral("1"), QStringLiteral("B"));
    u.BuildRow(QStringLiteral("2"), QStringLiteral("A"));
    QTimer::singleShot(50, [&] { u.sortByColumn(PhonebookListModel::Number); });
    QVERIFY(u.WritePhonebook());
    const QList<PhonebookEntry> now = f.phonebook();
    QCOMPARE(now.size(), 2);
    QCOMPARE(now.at(0).Name.trimmed(), QStringLiteral("A"));
    // Once the save is over, the columns sort again.
    u.sortByColumn(PhonebookListModel::Number);
    QCOMPARE(u.list().row(0)[PhonebookListModel::Number], QStringLiteral("1"));
}

void TestPhonebookUpdate::marksOfEveryRecordCount() {
    // More than 801 records: marks far down the phonebook are kept too.
    Fixture f;
    QList<PhonebookEntry> entries;
    for (int i = 0; i < 1500; ++i)
        entries.append(
            entry(QString::number(20000 + i), QStringLiteral("N%1").arg(i), i == 1400, 0, i == 1499));
    f.writePhonebook(entries);
    PhonebookUpdate& u = f.make();
    u.LoadMarks();
    QCOMPARE(u.favouriteMarks().size(), 1500);
    QCOMPARE(u.favouriteMarks().numbers(), QStringList{pad(QStringLiteral("21400"), 12)});
    u.BuildRow(QStringLiteral("21400"), QStringLiteral("FAR DOWN"));
    u.BuildRow(QStringLiteral("21499"), QStringLiteral("LAST"));
    u.BuildRow(QStringLiteral("21401"), QStringLiteral("UNMARKED"));
    QCOMPARE(u.list().row(0)[PhonebookListModel::Check], QStringLiteral("1"));
    QCOMPARE(u.list().row(1)[PhonebookListModel::RsGr2], QStringLiteral("1"));
    QCOMPARE(u.list().row(2)[PhonebookListModel::Check], QStringLiteral("0"));
    QCOMPARE(u.list().row(2)[PhonebookListModel::RsGr2], QStringLiteral("0"));
}

void TestPhonebookUpdate::newPhonebookCommand() {
    Fixture f;
    PhonebookUpdate& u = f.make();
    u.newPhonebook();
    QCOMPARE(u.list().rowCount(), 500);
    for (int i = 0; i < 500; ++i) {
        const PhonebookListModel::Row& row = u.list().row(i);
        QCOMPARE(row[PhonebookListModel::ID], QString::number(i + 1));
        const int number = row[PhonebookListModel::Number].toInt();
        QVERIFY(number >= 0 && number <= 4999);
        QCOMPARE(row[PhonebookListModel::Name], QStringLiteral("Name"));
        for (int c = PhonebookListModel::Check; c <= PhonebookListModel::RsGr5; ++c)
            QCOMPARE(row[size_t(c)], QStringLiteral("0"));
        QCOMPARE(row[PhonebookListModel::ChangeDate], QStringLiteral("07.12.2026"));
    }
    // "save" writes the list as it stands.
    QVERIFY(u.WritePhonebook());
    QCOMPARE(f.phonebook().size(), 500);
}

void TestPhonebookUpdate::writeBesideTheEventsKeepsTheBytes_data() {
    QTest::addColumn<int>("rows");
    QTest::newRow("no rows") << 0;
    QTest::newRow("three rows") << 3;
    QTest::newRow("a long list") << 30'000;
}

void TestPhonebookUpdate::writeBesideTheEventsKeepsTheBytes() {
    // The sort and the files run beside the events: the same bytes as sorting and
    // writing in one go, and the files are only ever the old ones or the whole new ones.
    QFETCH(int, rows);
    Fixture f;
    f.writePhonebook(oldPhonebook());
    const QString name = programFile(ProgramFiles::kPhonebook);
    const QByteArray before = f.readFile(name);
    PhonebookUpdate& u = f.make();
    for (int i = 0; i < rows; ++i)
        u.BuildRow(QString::number(10000 + i),
                   QString::fromLatin1(i % 2 ? "NAME %1" : "name %1").arg((i * 7919) % (rows / 3 + 1)));
    QList<PhonebookListModel::Row> sorted = u.list().rows();
    std::stable_sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
        return QString::compare(a[PhonebookListModel::Name], b[PhonebookListModel::Name],
                                Qt::CaseInsensitive) < 0;
    });
    QByteArray expected;
    QByteArray csv;
    for (int k = 0; k < sorted.size(); ++k) {
        expected += PhonebookWriter::entryFor(k + 1, sorted.at(k)).toRecord();
        csv += PhonebookWriter::csvLine(k + 1, sorted.at(k)[PhonebookListModel::Name],
                                        sorted.at(k)[PhonebookListModel::Number]);
    }
    int ticks = 0;
    bool partial = false;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ++ticks;
        const QByteArray now = f.readFile(name);
        partial = partial || (now != before && now != expected);
    });
    timer.start(1);
    QVERIFY(u.WritePhonebook());
    timer.stop();
    QVERIFY(!partial);
    QCOMPARE(f.readFile(name), expected);
    QCOMPARE(f.readFile(programFile(ProgramFiles::kPhonebookCsv)), csv);
    QCOMPARE(f.readFile(programFile(ProgramFiles::kPhonebookBackup)), expected);
    QCOMPARE(f.leftovers(), QStringList());
    for (int k = 0; k < sorted.size(); ++k)
        QCOMPARE(u.list().row(k), sorted.at(k));
    if (rows > 10'000)
        QVERIFY2(ticks > 0, "the events ran while the long list was written");
}

QTEST_GUILESS_MAIN(TestPhonebookUpdate)
#include "tst_phonebookupdate.moc"
