#include "marktable.h"

#include <QtTest>

using namespace vornal;

namespace {

PhonebookEntry entry(const QString& number, qint16 check, qint16 rsGr2 = 0) {
    PhonebookEntry e;
    e.Number = number.leftJustified(PhonebookEntry::kNumberLength, QLatin1Char(' '));
    e.Check = check;
    e.RsGr2 = rsGr2;
    return e;
}

} // namespace

class TestMarkTable : public QObject {
    Q_OBJECT
private slots:
    void fromEntries_data();
    void fromEntries();
    void lookUpByNumber_data();
    void lookUpByNumber();
    void growsWithoutALimit();
};

void TestMarkTable::fromEntries_data() {
    QTest::addColumn<QList<int>>("values"); // of the mark, record by record
    QTest::addColumn<QList<int>>("marks");  // what the table gives, position by position
    QTest::newRow("only exactly 1 counts") << QList<int>{1, 0, 2, -1, 1} << QList<int>{1, 0, 0, 0, 1};
    QTest::newRow("no records") << QList<int>{} << QList<int>{};
    QTest::newRow("nothing marked") << QList<int>{0, 0} << QList<int>{0, 0};
}

void TestMarkTable::fromEntries() {
    QFETCH(QList<int>, values);
    QFETCH(QList<int>, marks);
    QList<PhonebookEntry> entries;
    QStringList marked;
    for (int i = 0; i < values.size(); ++i) {
        // The broadcast mark carries the opposite, to show that only the chosen field counts.
        entries.append(
            entry(QString::number(100 + i), qint16(values.at(i)), qint16(values.at(i) == 1 ? 0 : 1)));
        if (marks.at(i))
            marked.append(entries.last().Number);
    }
    const MarkTable table = MarkTable::fromEntries(entries, &PhonebookEntry::Check);
    QCOMPARE(table.size(), values.size());
    for (int p = 0; p < marks.size(); ++p) {
        QCOMPARE(int(table.mark(p)), marks.at(p));
        QCOMPARE(table.number(p), marks.at(p) ? entries.at(p).Number : QString());
    }
    QCOMPARE(table.numbers(), marked);
}

void TestMarkTable::lookUpByNumber_data() {
    QTest::addColumn<QString>("asked");
    QTest::addColumn<bool>("found");
    QTest::newRow("as downloaded") << QStringLiteral("12345") << true;
    QTest::newRow("blanks on both sides") << QStringLiteral(" 12345  ") << true;
    QTest::newRow("stored with a leading blank") << QStringLiteral("22222") << true;
    QTest::newRow("a prefix only") << QStringLiteral("1234") << false;
    QTest::newRow("unmarked record") << QStringLiteral("33333") << false;
    QTest::newRow("unmarked later, marked once more elsewhere") << QStringLiteral("44444") << true;
    QTest::newRow("unmarked later") << QStringLiteral("55555") << false;
    QTest::newRow("leading zero is another text") << QStringLiteral("012345") << false;
}

void TestMarkTable::lookUpByNumber() {
    QFETCH(QString, asked);
    QFETCH(bool, found);
    MarkTable table =
        MarkTable::fromEntries({entry(QStringLiteral("12345"), 1), entry(QStringLiteral(" 22222"), 1),
                                entry(QStringLiteral("33333"), 0), entry(QStringLiteral("44444"), 1),
                                entry(QStringLiteral("44444"), 1), entry(QStringLiteral("55555"), 1)},
                               &PhonebookEntry::Check);
    table.setMarked(3, false, QStringLiteral("44444"));
    table.setMarked(5, false);
    QCOMPARE(table.containsNumber(asked), found);
}

void TestMarkTable::growsWithoutALimit() {
    MarkTable table;
    table.setMarked(1500, true);
    table.setMarked(-1, true); // no such position
    QCOMPARE(table.size(), 1501);
    QCOMPARE(table.mark(1500), qint16(1));
    QCOMPARE(table.mark(800), qint16(0));
    QCOMPARE(table.mark(5000), qint16(0));
    QVERIFY(!table.isMarked(-1));
    table.setMarked(2, true, QStringLiteral("7"));
    QCOMPARE(table.numbers(), (QStringList{QStringLiteral("7"), QString()}));
    table.clear();
    QCOMPARE(table.size(), 0);
    QVERIFY(!table.containsNumber(QStringLiteral("7")));
}

QTEST_GUILESS_MAIN(TestMarkTable)
#include "tst_marktable.moc"
