#include "favouriteslots.h"
#include "files/programfiles.h"
#include "localnumbers.h"
#include "phonebookentry.h"
#include "phonebookfile.h"
#include "phonebookrecords.h"
#include "slotdialling.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace vornal;

namespace {

QStringList indexCaptions() {
    QStringList c;
    for (int i = 0; i < 25; ++i)
        c.append(QString::number(i));
    return c;
}

} // namespace

class TestPhonebookLists : public QObject {
    Q_OBJECT
private slots:
    void slotCaption_data();
    void slotCaption();
    void fillSlots_data();
    void fillSlots();
    void fillFromMissingAndUncreatableFile();
    void dialNumber_data();
    void dialNumber();

    void saveWerkstatt();
    void saveLoadRoundTrip();
    void load_data();
    void load();
    void saveKeepsTheLayout();
    void saveFailureKeepsOldFile();

private:
    QTemporaryDir m_dir;
};

void TestPhonebookLists::slotCaption_data() {
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::newRow("12345 MAYER") << "12345"
                                 << "MAYER"
                                 << blanks(2) + QStringLiteral("12345") + blanks(7) + blanks(5) +
                                        QStringLiteral("MAYER") + blanks(35);
    QTest::newRow("10 digits") << "1234567890"
                               << "X"
                               << blanks(2) + QStringLiteral("1234567890") + blanks(2) + QStringLiteral("X") +
                                      blanks(39);
    QTest::newRow("11 digits") << "12345678901"
                               << "X"
                               << blanks(2) + QStringLiteral("12345678901 ") + QStringLiteral("X") +
                                      blanks(39);
    QTest::newRow("12 digits") << "123456789012"
                               << "X"
                               << blanks(2) + QStringLiteral("123456789012") + QStringLiteral("X") +
                                      blanks(39);
    QTest::newRow("no number") << ""
                               << "X"
                               << blanks(2) + blanks(12) + blanks(10) + QStringLiteral("X") + blanks(39);
    QTest::newRow("accents") << "0123"
                             << "Ærø €"
                             << blanks(2) + QStringLiteral("0123") + blanks(8) + blanks(6) +
                                    QStringLiteral("Ærø €") + blanks(35);
}

void TestPhonebookLists::slotCaption() {
    QFETCH(QString, number);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    // The slots show the entry as the file stores it, padding included.
    const PhonebookEntry stored = PhonebookEntry::fromRecord(testEntry(number, name, 1).toRecord());
    QCOMPARE(FavouriteSlots::caption(stored), caption);
}

void TestPhonebookLists::fillSlots_data() {
    QTest::addColumn<QList<int>>("checks");
    QTest::addColumn<QList<int>>("favourites"); // record indexes that fill the slots, in order
    QList<int> thirty(30, 1);
    QList<int> firstTwentyFive;
    for (int i = 0; i < 25; ++i)
        firstTwentyFive.append(i);
    QTest::newRow("none") << QList<int>{0, 0, 0} << QList<int>{};
    QTest::newRow("thirty") << thirty << firstTwentyFive;
    QTest::newRow("odd marks") << QList<int>{0, 2, 0, -1, 1, 0, 32767} << QList<int>{1, 3, 4, 6};
    QTest::newRow("empty file") << QList<int>{} << QList<int>{};
}

void TestPhonebookLists::fillSlots() {
    QFETCH(QList<int>, checks);
    QFETCH(QList<int>, favourites);
    const QString path = m_dir.filePath(QStringLiteral("fill.txt"));
    QByteArray bytes;
    for (int i = 0; i < checks.size(); ++i)
        bytes += testEntry(QString::number(10000 + i), QStringLiteral("NAME%1").arg(i), qint16(checks.at(i)))
                     .toRecord();
    QVERIFY(writeFile(path, bytes));

    QStringList expected = indexCaptions();
    for (int s = 0; s < favourites.size(); ++s) {
        const int i = favourites.at(s);
        expected[s] = blanks(2) + QString::number(10000 + i) + blanks(7) + blanks(5) +
                      QStringLiteral("NAME%1").arg(i).leftJustified(40);
    }
    PhonebookFile file(path);
    const FavouriteSlots::Fill first = FavouriteSlots::fill(file);
    QVERIFY(first.opened);
    QVERIFY(!file.isOpen());
    QCOMPARE(first.captions, expected);
    // A second fill gives the same; nothing was left over from the first.
    QCOMPARE(FavouriteSlots::fill(file).captions, expected);
    QCOMPARE(fileBytes(path), bytes);
}

void TestPhonebookLists::fillFromMissingAndUncreatableFile() {
    const QString missing = m_dir.filePath(QStringLiteral("missing.txt"));
    PhonebookFile file(missing);
    const FavouriteSlots::Fill fill = FavouriteSlots::fill(file);
    QVERIFY(fill.opened);
    QCOMPARE(fill.captions, indexCaptions());
    QVERIFY(QFileInfo::exists(missing));

    PhonebookFile nowhere(m_dir.filePath(QStringLiteral("nowhere/phonebook.txt")));
    const FavouriteSlots::Fill failed = FavouriteSlots::fill(nowhere);
    QVERIFY(!failed.opened);
    QVERIFY(!failed.error.isEmpty());
    QCOMPARE(failed.captions, indexCaptions());
    QCOMPARE(FavouriteSlots::designCaptions().first(), QStringLiteral("1"));
    QCOMPARE(FavouriteSlots::designCaptions().last(), QStringLiteral("25"));
}

void TestPhonebookLists::dialNumber_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("number");
    QTest::newRow("leading zero") << blanks(2) + QStringLiteral("0123") + blanks(14) + QStringLiteral("X")
                                  << 12 << "123";
    QTest::newRow("11 digits: first 10") << blanks(2) + QStringLiteral("12345678901 X") << 12 << "1234567890";
    QTest::newRow("12 digits: first 10") << blanks(2) + QStringLiteral("123456789012X") << 12 << "1234567890";
    QTest::newRow("slot index") << "7" << 12 << "7";
    QTest::newRow("empty") << "" << 12 << "0";
    QTest::newRow("all blanks") << blanks(20) << 12 << "0";
    QTest::newRow("blanks inside") << " 1 2  3" << 12 << "123";
    QTest::newRow("stops at a letter") << "  12a34" << 12 << "12";
    QTest::newRow("stops at a minus") << "  -12" << 12 << "0";
    QTest::newRow("stops at a high byte") << "  12é3" << 12 << "12";
    QTest::newRow("name digits not read")
        << blanks(2) + QStringLiteral("11") + blanks(18) + QStringLiteral("99") << 12 << "11";
    QTest::newRow("local 123") << QStringLiteral("123") + blanks(5) + QStringLiteral("X") << 2 << "12";
    QTest::newRow("local one digit") << QStringLiteral("5") + blanks(7) + QStringLiteral("X") << 2 << "5";
}

void TestPhonebookLists::dialNumber() {
    QFETCH(QString, caption);
    QFETCH(int, width);
    QFETCH(QString, number);
    QCOMPARE(slotDialNumber(caption, width), number);
    QCOMPARE(slotLabelText(caption), blanks(4) + caption);
}

void TestPhonebookLists::saveWerkstatt() {
    const QString path = m_dir.filePath(programFile(ProgramFiles::kLocalNumbers));
    LocalNumbers::Entries entries;
    entries[0] = {QStringLiteral("12"), QStringLiteral("WERKSTATT")};
    QVERIFY(LocalNumbers::SaveLocalNumbers(path, entries));
    QByteArray expected = "12    WERKSTATT\r\n";
    for (int i = 1; i < 18; ++i)
        expected += "      \r\n";
    QCOMPARE(fileBytes(path), expected);

    const LocalNumbers::Entries loaded = LocalNumbers::LoadLocalNumbers(path);
    QCOMPARE(loaded, entries);
    QCOMPARE(LocalNumbers::displayCaption(loaded[0]),
             QStringLiteral("12") + blanks(6) + QStringLiteral("WERKSTATT"));
    QCOMPARE(LocalNumbers::displayCaption(loaded[1]), blanks(8));
}

void TestPhonebookLists::saveLoadRoundTrip() {
    const QString path = m_dir.filePath(QStringLiteral("roundtrip.txt"));
    LocalNumbers::Entries entries;
    for (int i = 0; i < 18; ++i)
        entries[i] = {QString::number(i * 7 % 100), QStringLiteral("Gerät %1 Büro € ").arg(i)};
    entries[3] = {QStringLiteral("123"), QStringLiteral("a description well over thirty characters long")};
    entries[4] = {QStringLiteral("07"), QString()};
    entries[5] = {QString(), QStringLiteral("no number")};
    entries[6] = {QStringLiteral(" 9"), QStringLiteral("   leading blanks kept")};
    QVERIFY(LocalNumbers::SaveLocalNumbers(path, entries));
    QCOMPARE(LocalNumbers::LoadLocalNumbers(path), entries);
    QVERIFY(fileBytes(path).contains("Ger\xe4t 0 B\xfcro \x80 \r\n"));
}

void TestPhonebookLists::load_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("numbers"); // the first entries; the rest are empty
    QTest::addColumn<QStringList>("descriptions");
    QByteArray eighteen;
    QByteArray twenty;
    for (int i = 0; i < 20; ++i) {
        const QByteArray line = QByteArray::number(10 + i) + "    D" + QByteArray::number(i) + "\r\n";
        if (i < 18)
            eighteen += line;
        twenty += line;
    }
    QStringList n18, d18;
    for (int i = 0; i < 18; ++i) {
        n18.append(QString::number(10 + i));
        d18.append(QStringLiteral("D%1").arg(i));
    }
    QTest::newRow("missing") << QByteArray() << QStringList() << QStringList();
    QTest::newRow("eighteen lines") << eighteen << n18 << d18;
    QTest::newRow("twenty lines") << twenty << n18 << d18;
    QTest::newRow("three lines") << QByteArray("1     A\r\n2     B\r\n3     C\r\n")
                                 << QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}
                                 << QStringList{QStringLiteral("A"), QStringLiteral("B"),
                                                QStringLiteral("C")};
    QTest::newRow("short lines") << QByteArray("12\r\n\r\n1234567\r\n12345\r\n123456\r\n")
                                 << QStringList{QStringLiteral("12"), QStringLiteral(""),
                                                QStringLiteral("123"), QStringLiteral("123"),
                                                QStringLiteral("123")}
                                 << QStringList{QStringLiteral(""), QStringLiteral(""), QStringLiteral("7"),
                                                QStringLiteral(""), QStringLiteral("")};
    QTest::newRow("CR only") << QByteArray("12    A\r34    B\r")
                             << QStringList{QStringLiteral("12"), QStringLiteral("34")}
                             << QStringList{QStringLiteral("A"), QStringLiteral("B")};
    QTest::newRow("LF only") << QByteArray("12    A\n34    B")
                             << QStringList{QStringLiteral("12"), QStringLiteral("34")}
                             << QStringList{QStringLiteral("A"), QStringLiteral("B")};
    QTest::newRow("high bytes") << QByteArray("\xe4\xf6\xfc   \x80\x9f\xff\r\n")
                                << QStringList{QStringLiteral("äöü")} << QStringList{QStringLiteral("€Ÿÿ")};
}

void TestPhonebookLists::load() {
    QFETCH(QByteArray, file);
    QFETCH(QStringList, numbers);
    QFETCH(QStringList, descriptions);
    const QString path = m_dir.filePath(QStringLiteral("load.txt"));
    QFile::remove(path);
    if (!file.isEmpty())
        QVERIFY(writeFile(path, file));
    const LocalNumbers::Entries entries = LocalNumbers::LoadLocalNumbers(path);
    for (int i = 0; i < 18; ++i) {
        QCOMPARE(entries[i].number, i < numbers.size() ? numbers.at(i) : QString());
        QCOMPARE(entries[i].description, i < descriptions.size() ? descriptions.at(i) : QString());
    }
}

void TestPhonebookLists::saveKeepsTheLayout() {
    // Whatever the entries hold, the file stays 18 lines of the three-column layout.
    const QString path = m_dir.filePath(QStringLiteral("layout.txt"));
    LocalNumbers::Entries entries;
    entries[0] = {QStringLiteral("12345"), QStringLiteral("too long a number")};
    entries[1] = {QStringLiteral("1\r\n2"), QStringLiteral("two\r\nlines\rand\nmore")};
    QVERIFY(LocalNumbers::SaveLocalNumbers(path, entries));
    const QByteArray bytes = fileBytes(path);
    QCOMPARE(bytes.count("\r\n"), 18);
    QCOMPARE(bytes.count('\r'), 18);
    QCOMPARE(bytes.count('\n'), 18);
    const LocalNumbers::Entries loaded = LocalNumbers::LoadLocalNumbers(path);
    QCOMPARE(loaded[0].number, QStringLiteral("123"));
    QCOMPARE(loaded[0].description, QStringLiteral("too long a number"));
    QCOMPARE(loaded[1].number, QStringLiteral("1"));
    QCOMPARE(loaded[1].description, QStringLiteral("two  lines and more"));
    QCOMPARE(loaded[2], LocalNumberEntry{});
}

void TestPhonebookLists::saveFailureKeepsOldFile() {
    LocalNumbers::Entries entries;
    entries[0] = {QStringLiteral("12"), QStringLiteral("X")};
    const FileResult missing =
        LocalNumbers::SaveLocalNumbers(m_dir.filePath(QStringLiteral("nowhere/LocalTelex.txt")), entries);
    QVERIFY(!missing);
    QVERIFY(!missing.error.isEmpty());
    // A folder where the file should be: the save fails and leaves it alone.
    const QString blocked = m_dir.filePath(QStringLiteral("blocked"));
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("blocked")));
    QVERIFY(!LocalNumbers::SaveLocalNumbers(blocked, entries));
    QVERIFY(QFileInfo(blocked).isDir());
}

QTEST_GUILESS_MAIN(TestPhonebookLists)
#include "tst_phonebooklists.moc"
