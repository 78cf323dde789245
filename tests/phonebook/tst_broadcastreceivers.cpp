#include "broadcastheader.h"
#include "broadcastreceivers.h"
#include "files/programfiles.h"
#include "markedphonebooklist.h"
#include "phonebookentry.h"
#include "phonebookfile.h"
#include "phonebookrecords.h"
#include "receiverlines.h"
#include "testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace vornal;

namespace {

using Model = PhonebookListModel;

PhonebookEntry entry(const QString& number, const QString& name, qint16 receiver = 0, qint16 id = 99) {
    PhonebookEntry e = testEntry(number.leftJustified(12), name.leftJustified(40), 0);
    e.ID = id;
    e.RsGr1 = 7;
    e.RsGr2 = receiver;
    e.RsGr5 = -3;
    e.ChangeDate = QStringLiteral("07.12.2026");
    return e;
}

// "100,102" as a list.
QStringList numbers(const char* list) {
    return QString::fromLatin1(list).split(QLatin1Char(','));
}

QByteArray records(const QList<PhonebookEntry>& entries) {
    QByteArray bytes;
    for (const PhonebookEntry& e : entries)
        bytes += e.toRecord();
    return bytes;
}

struct Rig {
    QTemporaryDir dir;
    QString book = dir.filePath(programFile(ProgramFiles::kPhonebook));
    QString rsend = dir.filePath(programFile(ProgramFiles::kBroadcastReceivers));
    MarkedPhonebookList receivers{
        MarkedPhonebookList::windowHeaders(), &PhonebookEntry::RsGr2, {Model::RsGr1, Model::RsGr2}};
    MarkedPhonebookList favourites{
        MarkedPhonebookList::windowHeaders(), &PhonebookEntry::Check, {Model::Check}};

    bool load(MarkedPhonebookList& list) {
        PhonebookFile file(book);
        return list.load(file).ok();
    }
    // Ticks exactly the rows with these numbers (trimmed).
    void tick(MarkedPhonebookList& list, const QStringList& numbers) {
        for (int r = 0; r < list.list().rows().size(); ++r)
            list.list().setTicked(r, numbers.contains(list.list().row(r)[Model::Number].trimmed()));
    }
    BroadcastReceivers::Saved saveReceivers() {
        PhonebookFile file(book);
        return BroadcastReceivers::save(receivers, file, rsend);
    }
    QList<PhonebookEntry> read() {
        PhonebookFile file(book);
        file.Open();
        return file.readAll();
    }
};

} // namespace

class TestBroadcastReceivers : public QObject {
    Q_OBJECT
private slots:
    void receiverLines_data();
    void receiverLines();
    void ticksStayOnTheirSubscribers_data();
    void ticksStayOnTheirSubscribers();
    void tickChangeShowsTheMarks();
    void replacedPhonebookMatchesByNumberAndName();
    void changedRecordsRewrittenAlone_data();
    void changedRecordsRewrittenAlone();
    void failuresLeaveTheReceiversFile_data();
    void failuresLeaveTheReceiversFile();
    void unopenablePhonebookEmptiesTheList();
    void tenThousandRecords();
};

// "\RSend.txt" for the examples: the numbers' lines, the last one again with "+".
void TestBroadcastReceivers::receiverLines_data() {
    QTest::addColumn<QStringList>("numbers"); // stored, in phonebook order, all ticked
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("leftOut");
    QTest::addColumn<QByteArray>("header"); // "\\RSHeader.txt" generated afterwards
    QTest::newRow("12345 and 67890") << QStringList{QStringLiteral("12345"), QStringLiteral("67890")}
                                     << QByteArray("12345,\r\n67890,\r\n67890+\r\n") << QStringList()
                                     << QByteArray("01   12345 N0          02   67890 N1\r\n \r\n");
    QTest::newRow("no receiver") << QStringList() << QByteArray("+\r\n") << QStringList()
                                 << QByteArray(" \r\n");
    QTest::newRow("0123 goes out as 123")
        << QStringList{QStringLiteral("0123")} << QByteArray("123,\r\n123+\r\n") << QStringList()
        << QByteArray("01    0123 N0\r\n \r\n");
    QTest::newRow("all zeros and inner blanks")
        << QStringList{QStringLiteral("000"), QStringLiteral("12 34")}
        << QByteArray("0,\r\n1234,\r\n1234+\r\n") << QStringList()
        << QByteArray("01     000 N0          02   12 34 N1\r\n \r\n");
    // The header lists exactly the receivers the service is told about.
    QTest::newRow("letters and blank numbers are left out")
        << QStringList{QStringLiteral("12AB"), QStringLiteral("555"), QStringLiteral(""),
                       QStringLiteral("-7")}
        << QByteArray("555,\r\n555+\r\n")
        << QStringList{QStringLiteral("12AB N0"), QStringLiteral(" N2"), QStringLiteral("-7 N3")}
        << QByteArray("01     555 N1\r\n \r\n");
}

void TestBroadcastReceivers::receiverLines() {
    QFETCH(QStringList, numbers);
    QFETCH(QByteArray, file);
    Rig r;
    QList<PhonebookEntry> book;
    for (int i = 0; i < numbers.size(); ++i)
        book.append(entry(numbers.at(i), QStringLiteral("N%1").arg(i), 1));
    book.append(entry(QStringLiteral("424242"), QStringLiteral("ZZ NOT A RECEIVER")));
    QVERIFY(writeFile(r.book, records(book)));
    QVERIFY(r.load(r.receivers));
    const BroadcastReceivers::Saved saved = r.saveReceivers();
    QVERIFY2(saved.ok(), qPrintable(saved.error));
    QCOMPARE(fileBytes(r.rsend), file);
    QTEST(saved.leftOut, "leftOut");
    QStringList shown{QStringLiteral("Rundsenden to:"), QStringLiteral(" ")};
    shown += QString::fromLatin1(file).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QCOMPARE(saved.shown, shown);
    PhonebookFile phonebook(r.book);
    const QString header = r.dir.filePath(programFile(ProgramFiles::kBroadcastHeader));
    QVERIFY(BroadcastHeader::write(phonebook, header, QString()).error.isEmpty());
    QTEST(fileBytes(header), "header");
}

// Each tick lands on the record its row was read from, whatever the order of the file,
// and the receivers file keeps the file's order.
void TestBroadcastReceivers::ticksStayOnTheirSubscribers_data() {
    QTest::addColumn<QStringList>("names"); // file order; the number is the name's index + 100
    QTest::addColumn<QStringList>("ticked");
    QTest::addColumn<QByteArray>("rsend");
    QTest::newRow("name order") << QStringList{QStringLiteral("ADAMS"), QStringLiteral("BAKER"),
                                               QStringLiteral("CARL")}
                                << QStringList{QStringLiteral("101")} << QByteArray("101,\r\n101+\r\n");
    QTest::newRow("reverse order") << QStringList{QStringLiteral("ZORN"), QStringLiteral("MAYER"),
                                                  QStringLiteral("ADLER")}
                                   << QStringList{QStringLiteral("100"), QStringLiteral("102")}
                                   << QByteArray("100,\r\n102,\r\n102+\r\n");
    // Two names that sort the other way when letter case is ignored.
    QTest::newRow("letter case") << QStringList{QStringLiteral("Zeta"), QStringLiteral("alpha"),
                                                QStringLiteral("BETA")}
                                 << QStringList{QStringLiteral("101")} << QByteArray("101,\r\n101+\r\n");
    QTest::newRow("equal names") << QStringList{QStringLiteral("SAME"), QStringLiteral("SAME"),
                                                QStringLiteral("ABC"), QStringLiteral("SAME")}
                                 << QStringList{QStringLiteral("103")} << QByteArray("103,\r\n103+\r\n");
}

void TestBroadcastReceivers::ticksStayOnTheirSubscribers() {
    QFETCH(QStringList, names);
    QFETCH(QStringList, ticked);
    QFETCH(QByteArray, rsend);
    Rig r;
    QList<PhonebookEntry> book;
    for (int i = 0; i < names.size(); ++i)
        book.append(entry(QString::number(100 + i), names.at(i), 1)); // every one a receiver before
    // A partial record at the end is no record and stays as it is.
    QVERIFY(writeFile(r.book, records(book) + QByteArray(50, 'x')));
    QVERIFY(r.load(r.receivers));
    r.tick(r.receivers, ticked);
    QVERIFY(r.saveReceivers().ok());
    const QList<PhonebookEntry> after = r.read();
    QCOMPARE(after.size(), names.size());
    for (int k = 0; k < after.size(); ++k) {
        // Only the receiver mark and the ID change; the 1 shown under RsGr1 is not stored.
        PhonebookEntry expected = book.at(k);
        expected.RsGr2 = ticked.contains(expected.Number.trimmed()) ? 1 : 0;
        expected.ID = qint16(k);
        QCOMPARE(after.at(k), expected);
    }
    QCOMPARE(fileBytes(r.rsend), rsend);
    QVERIFY(fileBytes(r.book).endsWith(QByteArray(50, 'x')));
}

// A tick change shows every row's tick in the mark columns (a mark of 2 becomes 0) and
// enables saving; the mark table holds the ticks by record.
void TestBroadcastReceivers::tickChangeShowsTheMarks() {
    Rig r;
    PhonebookEntry two = entry(QStringLiteral("2"), QStringLiteral("B TWO"));
    two.Check = 2;
    PhonebookEntry fav = entry(QStringLiteral("1"), QStringLiteral("C ONE"));
    fav.Check = 1;
    QVERIFY(writeFile(r.book, records({fav, two, entry(QStringLiteral("3"), QStringLiteral("A THREE"))})));
    QVERIFY(r.load(r.favourites));
    QSignalSpy enabled(&r.favourites, &MarkedPhonebookList::saveEnabledChanged);
    const Model& list = r.favourites.list();
    QCOMPARE(list.row(0)[Model::Name].trimmed(), QStringLiteral("A THREE"));
    QCOMPARE(list.row(1)[Model::Check], QStringLiteral("2"));
    QVERIFY(!list.isTicked(1));
    QVERIFY(list.isTicked(2));
    QVERIFY(!r.favourites.saveEnabled());

    r.favourites.list().setTicked(0, true);
    QCOMPARE(enabled.size(), 1);
    QVERIFY(r.favourites.saveEnabled());
    QCOMPARE(list.row(0)[Model::Check], QStringLiteral("1"));
    QCOMPARE(list.row(1)[Model::Check], QStringLiteral("0"));
    QCOMPARE(list.row(2)[Model::Check], QStringLiteral("1"));
    QVERIFY(r.favourites.marks().isMarked(2)); // record 3, row 0
    QVERIFY(!r.favourites.marks().isMarked(1));
    QVERIFY(r.favourites.marks().isMarked(0));

    PhonebookFile file(r.book);
    QVERIFY(r.favourites.save(file).ok());
    QVERIFY(!r.favourites.saveEnabled());
    const QList<PhonebookEntry> after = r.read();
    QCOMPARE(after.at(0).Check, qint16(1));
    QCOMPARE(after.at(1).Check, qint16(0));
    QCOMPARE(after.at(2).Check, qint16(1));

    // An empty phonebook: nothing to tick, saving stays disabled.
    QVERIFY(writeFile(r.book, QByteArray()));
    QVERIFY(r.load(r.receivers));
    r.receivers.recolour();
    QVERIFY(!r.receivers.saveEnabled());
    QVERIFY(r.saveReceivers().ok());
    QCOMPARE(fileBytes(r.rsend), QByteArray("+\r\n"));
}

// The phonebook was replaced while the list stood (a directory update): the ticks
// follow their subscribers by number and name; a subscriber the list never showed
// keeps its own mark.
void TestBroadcastReceivers::replacedPhonebookMatchesByNumberAndName() {
    Rig r;
    QVERIFY(writeFile(r.book, records({entry(QStringLiteral("1"), QStringLiteral("A")),
                                       entry(QStringLiteral("2"), QStringLiteral("B")),
                                       entry(QStringLiteral("3"), QStringLiteral("C"))})));
    QVERIFY(r.load(r.receivers));
    r.tick(r.receivers, {QStringLiteral("2")});
    QVERIFY(writeFile(r.book, records({entry(QStringLiteral("0"), QStringLiteral("0 NEW"), 1),
                                       entry(QStringLiteral("1"), QStringLiteral("A")),
                                       entry(QStringLiteral("4"), QStringLiteral("AA NEW"), 2),
                                       entry(QStringLiteral("2"), QStringLiteral("B"))})));
    QVERIFY(r.saveReceivers().ok());
    const QList<PhonebookEntry> after = r.read();
    QCOMPARE(after.at(0).RsGr2, qint16(1));
    QCOMPARE(after.at(1).RsGr2, qint16(0));
    QCOMPARE(after.at(2).RsGr2, qint16(0));
    QCOMPARE(after.at(3).RsGr2, qint16(1));
    QCOMPARE(fileBytes(r.rsend), QByteArray("0,\r\n2,\r\n2+\r\n"));
}

// Saving writes the changed records in runs of neighbours: each changed record gets its
// new bytes, every other keeps its stored bytes, even those a record written anew would
// not reproduce.
void TestBroadcastReceivers::changedRecordsRewrittenAlone_data() {
    QTest::addColumn<QList<int>>("ids");       // as stored, by record
    QTest::addColumn<QList<int>>("receivers"); // the stored receiver marks
    QTest::addColumn<QStringList>("ticked");   // the numbers ticked in the window
    QTest::newRow("nothing changes") << QList<int>{0, 1, 2} << QList<int>{1, 0, 0} << numbers("100");
    QTest::newRow("every record") << QList<int>{1, 2, 3} << QList<int>{0, 0, 0} << numbers("101");
    QTest::newRow("the first alone") << QList<int>{5, 1, 2, 3} << QList<int>{0, 0, 1, 0} << numbers("102");
    QTest::newRow("the last alone") << QList<int>{0, 1, 2, 3} << QList<int>{0, 0, 0, 0} << numbers("103");
    QTest::newRow("two runs") << QList<int>{9, 9, 2, 3, 9, 5, 9} << QList<int>{0, 0, 0, 1, 0, 0, 0}
                              << numbers("103,106");
    QTest::newRow("every other") << QList<int>{0, 9, 2, 9, 4, 9} << QList<int>{1, 0, 1, 0, 1, 0}
                                 << numbers("100,102,104");
}

void TestBroadcastReceivers::changedRecordsRewrittenAlone() {
    QFETCH(QList<int>, ids);
    QFETCH(QList<int>, receivers);
    QFETCH(QStringList, ticked);
    Rig r;
    QByteArray stored;
    QByteArray expected;
    for (int k = 0; k < ids.size(); ++k) {
        PhonebookEntry e = entry(QString::number(100 + k), QStringLiteral("N%1").arg(k),
                                 qint16(receivers.at(k)), qint16(ids.at(k)));
        QByteArray record = e.toRecord();
        record[123] = 'q'; // past the stored date: a record written anew has 0 there
        stored += record;
        PhonebookEntry saved = e;
        saved.ID = qint16(k);
        saved.RsGr2 = ticked.contains(e.Number.trimmed()) ? 1 : 0;
        expected += saved == e ? record : saved.toRecord();
    }
    QVERIFY(stored != expected || QTest::currentDataTag() == QByteArray("nothing changes"));
    QVERIFY(writeFile(r.book, stored));
    QVERIFY(r.load(r.receivers));
    r.tick(r.receivers, ticked);
    r.receivers.recolour();
    const BroadcastReceivers::Saved saved = r.saveReceivers();
    QVERIFY2(saved.ok(), qPrintable(saved.error));
    QCOMPARE(fileBytes(r.book), expected);
}

void TestBroadcastReceivers::failuresLeaveTheReceiversFile_data() {
    QTest::addColumn<bool>("phonebookGone");
    QTest::addColumn<bool>("receiversBlocked");
    QTest::newRow("phonebook can no longer be opened") << true << false;
    QTest::newRow("receivers file cannot be written") << false << true;
}

void TestBroadcastReceivers::failuresLeaveTheReceiversFile() {
    QFETCH(bool, phonebookGone);
    QFETCH(bool, receiversBlocked);
    Rig r;
    const QByteArray book = records({entry(QStringLiteral("1"), QStringLiteral("A"))});
    QVERIFY(writeFile(r.book, book));
    if (receiversBlocked)
        QVERIFY(QDir(r.dir.path()).mkdir(programFile(ProgramFiles::kBroadcastReceivers)));
    else
        QVERIFY(writeFile(r.rsend, "old,\r\nold+\r\n"));
    QVERIFY(r.load(r.receivers));
    r.tick(r.receivers, {QStringLiteral("1")});
    // A folder where the phonebook was: it can be neither opened nor created.
    if (phonebookGone)
        QVERIFY(QFile::remove(r.book) && QDir(r.dir.path()).mkdir(programFile(ProgramFiles::kPhonebook)));
    const BroadcastReceivers::Saved saved = r.saveReceivers();
    QVERIFY(!saved);
    QVERIFY2(saved.error.contains(receiversBlocked ? r.rsend : r.book), qPrintable(saved.error));
    // The system's reason comes through alone too, from the phonebook or the receivers file.
    QVERIFY(!saved.reason.isEmpty());
    QVERIFY2(saved.error.endsWith(saved.reason), qPrintable(saved.error));
    if (phonebookGone)
        QCOMPARE(fileBytes(r.rsend), QByteArray("old,\r\nold+\r\n"));
    else
        QCOMPARE(r.read().first().RsGr2, qint16(1)); // the marks are saved all the same
    QVERIFY(QFileInfo(r.rsend).isDir() == receiversBlocked);
}

// A list window tells the operator the load's error as it comes: the file and the
// system's reason, which stays apart for whoever needs it alone.
void TestBroadcastReceivers::unopenablePhonebookEmptiesTheList() {
    Rig r;
    QVERIFY(writeFile(r.book, records({entry(QStringLiteral("1"), QStringLiteral("A"), 1),
                                       entry(QStringLiteral("2"), QStringLiteral("B"))})));
    QVERIFY(r.load(r.receivers));
    QCOMPARE(r.receivers.list().rows().size(), 2);
    QVERIFY(QFile::remove(r.book) && QDir(r.dir.path()).mkdir(programFile(ProgramFiles::kPhonebook)));
    PhonebookFile file(r.book);
    const FileResult loaded = r.receivers.load(file);
    QVERIFY(!loaded);
    QVERIFY(!loaded.reason.isEmpty());
    QCOMPARE(loaded.error, QStringLiteral("The phonebook file %1 can be neither opened nor created:\n%2")
                               .arg(r.book, loaded.reason));
    QCOMPARE(r.receivers.list().rows().size(), 0);
    QVERIFY(!r.receivers.marks().isMarked(0));
}

// No limit on the number of records: the last of 10 000 is ticked and saved.
void TestBroadcastReceivers::tenThousandRecords() {
    Rig r;
    QList<PhonebookEntry> book;
    for (int i = 0; i < 10000; ++i)
        book.append(
            entry(QString::number(100000 + i), QStringLiteral("N%1").arg(9999 - i, 5, 10, QLatin1Char('0'))));
    QVERIFY(writeFile(r.book, records(book)));
    QVERIFY(r.load(r.receivers));
    QCOMPARE(r.receivers.list().row(0)[Model::Number].trimmed(), QStringLiteral("109999"));
    r.receivers.list().setTicked(0, true);
    QVERIFY(r.receivers.marks().isMarked(9999));
    QVERIFY(r.saveReceivers().ok());
    const QList<PhonebookEntry> after = r.read();
    QCOMPARE(after.last().RsGr2, qint16(1));
    QCOMPARE(after.last().ID, qint16(9999));
    QCOMPARE(fileBytes(r.rsend), QByteArray("109999,\r\n109999+\r\n"));
}

QTEST_GUILESS_MAIN(TestBroadcastReceivers)
#include "tst_broadcastreceivers.moc"
