#include "display/textsearch.h"

#include <QtTest>

using namespace vornal;

class TestTextSearch : public QObject {
    Q_OBJECT
private slots:
    void find_data();
    void find();
};

void TestTextSearch::find_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("needle");
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<int>("found");
    const QString t = QStringLiteral("ab AB ab"); // matches at 0, 3 and 6
    QTest::newRow("forward from the start") << t << "ab" << 0 << true << 0;
    QTest::newRow("forward, case does not matter") << t << "aB" << 1 << true << 3;
    QTest::newRow("forward past the last goes round") << t << "ab" << 7 << true << 0;
    QTest::newRow("backward finds one that ends at from") << t << "ab" << 5 << false << 3;
    QTest::newRow("backward skips one that ends after from") << t << "ab" << 4 << false << 0;
    QTest::newRow("backward before the first goes round") << t << "ab" << 1 << false << 6;
    QTest::newRow("from beyond the end") << t << "ab" << 99 << false << 6;
    QTest::newRow("not there") << t << "abc" << 0 << true << -1;
    QTest::newRow("empty needle") << t << "" << 0 << true << -1;
    QTest::newRow("needle longer than text") << "ab"
                                             << "abab" << 0 << false << -1;
    QTest::newRow("across a line break") << "x\nyz"
                                         << "X\ny" << 0 << true << 0;
}

void TestTextSearch::find() {
    QFETCH(QString, text);
    QFETCH(QString, needle);
    QFETCH(int, from);
    QFETCH(bool, forward);
    QFETCH(int, found);
    const auto direction = forward ? TextSearch::Direction::Forward : TextSearch::Direction::Backward;
    QCOMPARE(TextSearch::find(text, needle, from, direction), qsizetype(found));
}

QTEST_GUILESS_MAIN(TestTextSearch)
#include "tst_textsearch.moc"
