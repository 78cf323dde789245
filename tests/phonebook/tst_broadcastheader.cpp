#include "broadcastheader.h"
#include "files/programfiles.h"
#include "files/textcodec.h"
#include "files/textfile.h"
#include "phonebookentry.h"
#include "phonebookfile.h"
#include "phonebookrecords.h"
#include "testfiles.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace vornal;

namespace {

// Receivers of the golden files, in phonebook order.
const char* const kReceivers[][2] = {
    {"12345", "MAYER KARL HEINZ, BERLIN"},
    {"678", "SCHULZE ELEKTRO GMBH"},
    {"4711", "ROMA, CENTRO"},
    {"0123", "ADLER APOTHEKE GMBH & CO KG, KOELN"},
    {"98765432", "BAECKEREI, HAMBURG"},
    {"55", ",LEADING COMMA"},
    {"1234567", "NO COMMA AT ALL IN THIS NAME"},
    {"10203", "\xd6LM\xdcHLE S\xdc"
              "D, M\xdcNCHEN"},
    {"31", "X"},
    {"7654321", "ZEHN ZEHN ZEHN ZEHN, Z"},
};

PhonebookEntry stored(const QString& number, const QString& name, qint16 receiver) {
    PhonebookEntry e = testEntry(number.leftJustified(12), name.leftJustified(40), 0);
    e.RsGr2 = receiver;
    return e;
}

// `count` receivers, each after a subscriber who is none (some with a mark of 2, which
// counts as none too). Beyond the ten named receivers the names repeat.
QList<PhonebookEntry> phonebook(int count, const QString& firstNumber = {}) {
    QList<PhonebookEntry> book;
    for (int i = 0; i < count; ++i) {
        book.append(
            stored(QStringLiteral("9%1").arg(i), QStringLiteral("NOT A RECEIVER %1").arg(i), i % 2 ? 2 : 0));
        const QString number =
            i == 0 && !firstNumber.isEmpty() ? firstNumber : TextCodec::decode(kReceivers[i % 10][0]);
        book.append(stored(number, TextCodec::decode(kReceivers[i % 10][1]), 1));
    }
    return book;
}

QByteArray golden(const QString& name) {
    return fileBytes(QStringLiteral(GOLDEN_DIR "/") + name);
}

QByteArray fileOf(const BroadcastHeader::Header& h) {
    return TextCodec::encode(BroadcastHeader::fileText(h));
}

} // namespace

class TestBroadcastHeader : public QObject {
    Q_OBJECT
private slots:
    void fileAgainstGolden_data();
    void fileAgainstGolden();
    void exampleLineAndPreview();
    void shortName_data();
    void shortName();
    void beyondTheLine_data();
    void beyondTheLine();
    void writtenTwiceIsIdentical();
    void noReceivers();
};

void TestBroadcastHeader::fileAgainstGolden_data() {
    QTest::addColumn<int>("receivers");
    QTest::addColumn<QString>("firstNumber");
    QTest::addColumn<QString>("file");
    QTest::newRow("1") << 1 << QString() << "header1.txt";
    QTest::newRow("3: one full line") << 3 << QString() << "header3.txt";
    QTest::newRow("4: a partial line with 04") << 4 << QString() << "header4.txt";
    QTest::newRow("5: a partial line with 04 and 05") << 5 << QString() << "header5.txt";
    QTest::newRow("10: 01 to 10") << 10 << QString() << "header10.txt";
    QTest::newRow("nine digits in block 1") << 3 << QStringLiteral("123456789") << "header9digits.txt";
}

void TestBroadcastHeader::fileAgainstGolden() {
    QFETCH(int, receivers);
    QFETCH(QString, firstNumber);
    QFETCH(QString, file);
    const BroadcastHeader::Header h = BroadcastHeader::generate(phonebook(receivers, firstNumber), QString());
    const QByteArray expected = golden(file);
    QVERIFY(!expected.isEmpty());
    QCOMPARE(fileOf(h), expected);
    QCOMPARE(h.receiverCount, receivers);
    QCOMPARE(h.receivers.count(true), receivers);
    QCOMPARE(h.receivers.size(), 2 * receivers);
}

// The three receivers of the example, and the preview around them.
void TestBroadcastHeader::exampleLineAndPreview() {
    const BroadcastHeader::Header h = BroadcastHeader::generate(phonebook(4), QStringLiteral("STATION"));
    const QString full = QStringLiteral("01   12345 MAYER KARL H02     678 SCHULZE ELE03     4711 ROMA");
    QCOMPARE(h.fileLines.first(), full);
    const QStringList preview{
        QStringLiteral(" --- Rundsenden von: STATION"),
        QStringLiteral(" --- in alphabetische reihenfolge an:"),
        QStringLiteral(" "),
        QStringLiteral("1234567890123456789012345678901234567890123456789012345678901234567890"),
        QStringLiteral(" "),
        full.leftJustified(68),
        // A partial line is shown 66 columns wide; 04 keeps 12 characters of its name.
        QStringLiteral("04    0123 ADLER APOTHE").leftJustified(66),
        QStringLiteral(" "),
        QStringLiteral(" ----- Ende Rundsenden Teilnehmerliste ----- "),
        QStringLiteral(" "),
    };
    QCOMPARE(h.preview, preview);
}

void TestBroadcastHeader::shortName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shortName");
    QTest::newRow("before the comma, 13 at most")
        << QStringLiteral("MAYER KARL HEINZ, BERLIN") << QStringLiteral("MAYER KARL HE");
    QTest::newRow("first comma") << QStringLiteral("A, B, C") << QStringLiteral("A");
    QTest::newRow("leading comma") << QStringLiteral(",LEADING") << QString();
    QTest::newRow("no comma: the stored name")
        << QStringLiteral("ROMA").leftJustified(40) << QStringLiteral("ROMA").leftJustified(13);
}

void TestBroadcastHeader::shortName() {
    QFETCH(QString, name);
    QTEST(BroadcastHeader::shortName(name), "shortName");
}

// Where a line leaves no room: running numbers from 100 on, and numbers that do not fit
// before column 10 in block 1. Every number stays whole.
void TestBroadcastHeader::beyondTheLine_data() {
    QTest::addColumn<int>("receivers");
    QTest::addColumn<QString>("firstNumber");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("text");
    QTest::newRow("100 shows as 00")
        << 102 << QString() << 33
        << QStringLiteral("00 7654321 ZEHN ZEHN ZE01   12345 MAYER KARL 02      678 SCHULZE ELE");
    QTest::newRow("99 still whole") << 99 << QString() << 32
                                    << TextCodec::decode("97 1234567 NO COMMA AT 98   10203 \xd6LM\xdcHLE "
                                                         "S\xdc"
                                                         "D99       31 X");
    QTest::newRow("11 digits in block 1")
        << 3 << QStringLiteral("12345678901") << 0
        << QStringLiteral("12345678901 MAYER KARL 02     678 SCHULZE ELE03     4711 "
                          "ROMA");
    QTest::newRow("12 digits in block 1")
        << 3 << QStringLiteral("123456789012") << 0
        << QStringLiteral("123456789012 MAYER KARL02     678 SCHULZE ELE03     4711 "
                          "ROMA");
    QTest::newRow("ten digits fill both running columns")
        << 1 << QStringLiteral("1234567890") << 0 << QStringLiteral("1234567890 MAYER KARL H");
}

void TestBroadcastHeader::beyondTheLine() {
    QFETCH(int, receivers);
    QFETCH(QString, firstNumber);
    QFETCH(int, line);
    const BroadcastHeader::Header h = BroadcastHeader::generate(phonebook(receivers, firstNumber), QString());
    QTEST(h.fileLines.at(line), "text");
    for (const QString& l : h.fileLines)
        QVERIFY(l.size() <= BroadcastHeader::kLineWidth);
}

void TestBroadcastHeader::writtenTwiceIsIdentical() {
    QTemporaryDir dir;
    const QString book = dir.filePath(programFile(ProgramFiles::kPhonebook));
    const QString header = dir.filePath(programFile(ProgramFiles::kBroadcastHeader));
    QByteArray records;
    for (const PhonebookEntry& e : phonebook(10))
        records += e.toRecord();
    QVERIFY(writeFile(book, records));
    QVERIFY(writeFile(header, "an older, longer header\r\n\r\n\r\n\r\n"));

    PhonebookFile file(book);
    const BroadcastHeader::Written first = BroadcastHeader::write(file, header, QString());
    QVERIFY2(first.error.isEmpty(), qPrintable(first.error));
    const QByteArray once = fileBytes(header);
    const BroadcastHeader::Written second = BroadcastHeader::write(file, header, QString());
    QVERIFY(second.error.isEmpty());
    QCOMPARE(fileBytes(header), once);
    QCOMPARE(once, golden(QStringLiteral("header10.txt")));
    QCOMPARE(first.entries.size(), 20);
    QCOMPARE(fileBytes(book), records);
}

void TestBroadcastHeader::noReceivers() {
    QTemporaryDir dir;
    const QString header = dir.filePath(programFile(ProgramFiles::kBroadcastHeader));
    PhonebookFile file(dir.filePath(programFile(ProgramFiles::kPhonebook)));
    const BroadcastHeader::Written w = BroadcastHeader::write(file, header, QStringLiteral("X"));
    QVERIFY(w.error.isEmpty());
    QCOMPARE(fileBytes(header), QByteArray(" \r\n"));
    QCOMPARE(w.header.preview.size(), 8);
    QVERIFY(QFileInfo::exists(dir.filePath(programFile(ProgramFiles::kPhonebook))));

    // A header that cannot be written is reported with its path.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("blocked")));
    const QString blocked = dir.filePath(QStringLiteral("blocked"));
    const BroadcastHeader::Written failed = BroadcastHeader::write(file, blocked, QString());
    QVERIFY(failed.error.contains(blocked));
}

QTEST_GUILESS_MAIN(TestBroadcastHeader)
#include "tst_broadcastheader.moc"
