#include "phonebooklistmodel.h"

#include <QSignalSpy>
#include <QtTest>

using namespace vornal;

namespace {

using Row = PhonebookListModel::Row;

// Headers that differ in every column, as a window gives its own.
PhonebookListModel::Headers testHeaders() {
    PhonebookListModel::Headers h;
    for (int c = 0; c < PhonebookListModel::kColumnCount; ++c)
        h[size_t(c)] = {QStringLiteral("H%1").arg(c), 100 * (c + 1)};
    return h;
}

Row rowWith(int column, const QString& text, int id) {
    Row row;
    row[size_t(column)] = text;
    row[PhonebookListModel::ID] = QString::number(id);
    return row;
}

QStringList letters(const char* text) {
    QStringList list;
    for (const char* c = text; *c; ++c)
        list.append(QString(QLatin1Char(*c)));
    return list;
}

QStringList columnOf(const PhonebookListModel& model, int column) {
    QStringList values;
    for (int r = 0; r < model.rowCount(); ++r)
        values.append(model.index(r, column).data().toString());
    return values;
}

} // namespace

class TestPhonebookListModel : public QObject {
    Q_OBJECT
private slots:
    void sorting_data();
    void sorting();
    void tickColumn_data();
    void tickColumn();
    void ticksTravelWithTheirRows();
    void selectionFollowsItsRowThroughASort();
    void sortedRowsAreTakenWhole_data();
    void sortedRowsAreTakenWhole();
    void rowsAddedQuicklyAreShownInBatches();
};

void TestPhonebookListModel::sorting_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QStringList>("values"); // of the column, in the order added
    QTest::addColumn<QStringList>("sorted");
    QTest::newRow("numbers as text") << int(PhonebookListModel::Number)
                                     << QStringList{QStringLiteral("20"), QStringLiteral("100"),
                                                    QStringLiteral("3")}
                                     << QStringList{QStringLiteral("100"), QStringLiteral("20"),
                                                    QStringLiteral("3")};
    QTest::newRow("names ignore letter case") << int(PhonebookListModel::Name)
                                              << QStringList{QStringLiteral("carl"), QStringLiteral("Baker"),
                                                             QStringLiteral("adams"), QStringLiteral("ADAMZ")}
                                              << QStringList{QStringLiteral("adams"), QStringLiteral("ADAMZ"),
                                                             QStringLiteral("Baker"), QStringLiteral("carl")};
    QTest::newRow("column outside the list") << 10 << QStringList{QStringLiteral("b"), QStringLiteral("a")}
                                             << QStringList{QStringLiteral("b"), QStringLiteral("a")};
}

void TestPhonebookListModel::sorting() {
    QFETCH(int, column);
    QFETCH(QStringList, values);
    QFETCH(QStringList, sorted);
    PhonebookListModel model(testHeaders());
    const int c = std::min(column, PhonebookListModel::kColumnCount - 1);
    for (int i = 0; i < values.size(); ++i)
        model.appendRow(rowWith(c, values.at(i), i));
    model.sortByColumn(column);
    QStringList got;
    for (const auto& row : model.rows())
        got.append(row[size_t(c)]);
    QCOMPARE(got, sorted);
    // A second click sorts ascending again, and equal texts keep their order.
    model.sortByColumn(column);
    got.clear();
    for (const auto& row : model.rows())
        got.append(row[size_t(c)]);
    QCOMPARE(got, sorted);

    PhonebookListModel same(testHeaders());
    for (int i = 0; i < 5; ++i)
        same.appendRow(
            rowWith(PhonebookListModel::Name, i % 2 ? QStringLiteral("SAME") : QStringLiteral("same"), i));
    same.sortByColumn(PhonebookListModel::Name);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(same.row(i)[PhonebookListModel::ID], QString::number(i));
}

void TestPhonebookListModel::tickColumn_data() {
    QTest::addColumn<int>("tickColumn");
    QTest::addColumn<int>("column"); // the cell looked at
    QTest::addColumn<bool>("checkable");
    QTest::newRow("no tick column") << int(PhonebookListModel::kNoTicks) << 0 << false;
    QTest::newRow("the tick column") << 0 << 0 << true;
    QTest::newRow("another column of a ticked list") << 0 << 3 << false;
    QTest::newRow("tick column in the middle") << 3 << 3 << true;
    QTest::newRow("column outside the list: no ticks") << 12 << 0 << false;
}

void TestPhonebookListModel::tickColumn() {
    QFETCH(int, tickColumn);
    QFETCH(int, column);
    QFETCH(bool, checkable);
    PhonebookListModel model(testHeaders());
    model.setTickColumn(tickColumn);
    model.appendRow(rowWith(PhonebookListModel::Name, QStringLiteral("A"), 0), true);
    model.appendRow(rowWith(PhonebookListModel::Name, QStringLiteral("B"), 1));
    model.flush();
    QSignalSpy ticks(&model, &PhonebookListModel::tickChanged);
    const QModelIndex cell = model.index(1, column);
    const QString text = model.row(1)[size_t(column)];

    QCOMPARE(bool(model.flags(cell) & Qt::ItemIsUserCheckable), checkable);
    QCOMPARE(model.data(cell, Qt::CheckStateRole).isValid(), checkable);
    if (checkable) {
        QCOMPARE(model.data(model.index(0, column), Qt::CheckStateRole).toInt(), int(Qt::Checked));
        QCOMPARE(model.data(cell, Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    }
    // A view ticks the row through the check state, as an enum value or as a number.
    QCOMPARE(model.setData(cell, QVariant::fromValue(Qt::Checked), Qt::CheckStateRole), checkable);
    QCOMPARE(model.isTicked(1), checkable);
    QCOMPARE(ticks.size(), checkable ? 1 : 0);
    QCOMPARE(model.setData(cell, int(Qt::Unchecked), Qt::CheckStateRole), checkable);
    QVERIFY(!model.isTicked(1));
    QCOMPARE(ticks.size(), checkable ? 2 : 0);
    // Text is not edited through the model.
    QVERIFY(!model.setData(cell, QStringLiteral("x"), Qt::EditRole));
    QCOMPARE(model.row(1)[size_t(column)], text);
}

void TestPhonebookListModel::ticksTravelWithTheirRows() {
    PhonebookListModel model(testHeaders());
    model.setTickColumn(0);
    model.setTickedBackground(QStringLiteral("orange"));
    const QStringList names{QStringLiteral("d"), QStringLiteral("B"), QStringLiteral("c"),
                            QStringLiteral("a")};
    QList<Row> rows;
    for (int i = 0; i < names.size(); ++i)
        rows.append(rowWith(PhonebookListModel::Name, names.at(i), i));
    model.setRows(rows, {true, false, true}); // the last tick left out: unticked
    QSignalSpy ticks(&model, &PhonebookListModel::tickChanged);
    model.setTicked(1, true);
    model.setTicked(1, true); // no change, no signal
    QCOMPARE(ticks.size(), 1);
    model.setText(1, PhonebookListModel::Check, QStringLiteral("1"));

    model.sortByColumn(PhonebookListModel::Name);
    QCOMPARE(
        columnOf(model, PhonebookListModel::Name),
        (QStringList{QStringLiteral("a"), QStringLiteral("B"), QStringLiteral("c"), QStringLiteral("d")}));
    QList<bool> ticked;
    QStringList backgrounds;
    for (int r = 0; r < model.rowCount(); ++r) {
        ticked.append(model.isTicked(r));
        backgrounds.append(model.index(r, 5).data(Qt::BackgroundRole).toString());
    }
    QCOMPARE(ticked, (QList<bool>{false, true, true, true}));
    QCOMPARE(backgrounds, (QStringList{QString(), QStringLiteral("orange"), QStringLiteral("orange"),
                                       QStringLiteral("orange")}));
    QCOMPARE(model.row(1)[PhonebookListModel::Check], QStringLiteral("1"));
    QVERIFY(!model.isTicked(4));
    model.clear();
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(!model.isTicked(0));
}

void TestPhonebookListModel::selectionFollowsItsRowThroughASort() {
    PhonebookListModel model(testHeaders());
    for (int i = 0; i < 5; ++i)
        model.appendRow(rowWith(PhonebookListModel::Name, QString(QChar(u'e' - i)), i));
    model.flush();
    const QPersistentModelIndex selected = model.index(1, PhonebookListModel::Name); // "d"
    model.sortByColumn(PhonebookListModel::Name);
    QCOMPARE(selected.row(), 3);
    QCOMPARE(selected.data().toString(), QStringLiteral("d"));
}

void TestPhonebookListModel::sortedRowsAreTakenWhole_data() {
    QTest::addColumn<int>("orderLength");
    QTest::addColumn<int>("sortedLength");
    QTest::addColumn<bool>("taken"); // else the list stays as it was
    QTest::newRow("order and rows of the list") << 3 << 3 << true;
    QTest::newRow("an order too short") << 2 << 3 << false;
    QTest::newRow("rows too few") << 3 << 2 << false;
}

void TestPhonebookListModel::sortedRowsAreTakenWhole() {
    QFETCH(int, orderLength);
    QFETCH(int, sortedLength);
    QFETCH(bool, taken);
    PhonebookListModel model(testHeaders());
    const QList<Row> rows{rowWith(PhonebookListModel::Name, QStringLiteral("c"), 0),
                          rowWith(PhonebookListModel::Name, QStringLiteral("a"), 1),
                          rowWith(PhonebookListModel::Name, QStringLiteral("b"), 2)};
    model.setRows(rows, {true});
    const QPersistentModelIndex selected = model.index(0, PhonebookListModel::Name); // "c"
    const QList<int> order = PhonebookListModel::sortOrder(rows, PhonebookListModel::Name).first(orderLength);
    QCOMPARE(PhonebookListModel::permuted(rows, order).size(), orderLength == 3 ? 3 : 0);
    const QList<Row> sorted = PhonebookListModel::permuted(rows, {1, 2, 0}).first(sortedLength);
    QCOMPARE(model.reorder(order, sorted), taken ? rows : sorted); // what the list held, or `sorted`
    QCOMPARE(columnOf(model, PhonebookListModel::Name), letters(taken ? "abc" : "cab"));
    // Ticks, origins and the selection follow their rows.
    QVERIFY(model.isTicked(taken ? 2 : 0));
    QCOMPARE(model.origin(taken ? 2 : 0), 0);
    QCOMPARE(selected.data().toString(), QStringLiteral("c"));
}

void TestPhonebookListModel::rowsAddedQuicklyAreShownInBatches() {
    PhonebookListModel model(testHeaders());
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    for (int i = 0; i < 2000; ++i)
        model.appendRow(rowWith(PhonebookListModel::Number, QString::number(i), i));
    QCOMPARE(model.rows().size(), 2000); // every row is held at once
    QVERIFY(model.rowCount() >= 1);      // the first one is shown at once
    QVERIFY2(inserted.size() < 100, qPrintable(QString::number(inserted.size())));
    QTRY_COMPARE(model.rowCount(), 2000); // the rest follow without a further call
    // flush() shows what was added at once.
    model.appendRow(rowWith(PhonebookListModel::Number, QStringLiteral("late"), 2000));
    model.flush();
    QCOMPARE(model.rowCount(), 2001);
    QCOMPARE(model.index(2000, PhonebookListModel::Number).data().toString(), QStringLiteral("late"));
}

QTEST_GUILESS_MAIN(TestPhonebookListModel)
#include "tst_phonebooklistmodel.moc"
