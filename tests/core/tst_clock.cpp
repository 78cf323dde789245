#include "look/clockhands.h"
#include "look/dateformat.h"

#include <QtTest>

using namespace vornal;
using Hand = ClockHands::Hand;

Q_DECLARE_METATYPE(ClockHands::Hand)

class TestClock : public QObject {
    Q_OBJECT
private slots:
    void handEnds_data();
    void handEnds();
    void roundHalfEven_data();
    void roundHalfEven();
    void dateFormat_data();
    void dateFormat();
    void tempo_data();
    void tempo();
};

void TestClock::handEnds_data() {
    QTest::addColumn<QTime>("time");
    QTest::addColumn<Hand>("hand");
    QTest::addColumn<int>("position");
    QTest::addColumn<QPoint>("offset");
    const QTime noon(12, 0, 0);
    QTest::newRow("12:00:00 seconds up") << noon << Hand::Seconds << 0 << QPoint(0, -900);
    QTest::newRow("12:00:00 minutes up") << noon << Hand::Minutes << 0 << QPoint(0, -780);
    QTest::newRow("12:00:00 hours up") << noon << Hand::Hours << 60 << QPoint(0, -540);
    QTest::newRow("midnight is 12") << QTime(0, 0, 0) << Hand::Hours << 60 << QPoint(0, -540);
    const QTime three(3, 0, 15);
    QTest::newRow("3:00:15 seconds right") << three << Hand::Seconds << 15 << QPoint(900, 0);
    QTest::newRow("3:00:15 hours right") << three << Hand::Hours << 15 << QPoint(540, 0);
    QTest::newRow("15:00:15 is 3 o'clock") << QTime(15, 0, 15) << Hand::Hours << 15 << QPoint(540, 0);
    // 288 degrees: sin -0.951 and cos 0.309 of 540 twips.
    QTest::newRow("9:45 hours at 48") << QTime(9, 45) << Hand::Hours << 48 << QPoint(-514, -167);
    QTest::newRow("9:45 minutes left") << QTime(9, 45) << Hand::Minutes << 45 << QPoint(-780, 0);
    QTest::newRow("2:35 hours at 12, not 12.9") << QTime(14, 35) << Hand::Hours << 12 << QPoint(514, -167);
    // 780 × sin 60° is 675.4998: the nearest integer, not a half.
    QTest::newRow("minutes 10 near a half") << QTime(1, 10) << Hand::Minutes << 10 << QPoint(675, -390);
    // 900 × sin 48° is 668.83: rounded, not cut off.
    QTest::newRow("seconds 8 rounds up") << QTime(1, 0, 8) << Hand::Seconds << 8 << QPoint(669, -602);
}

void TestClock::handEnds() {
    QFETCH(QTime, time);
    QFETCH(Hand, hand);
    QFETCH(int, position);
    QFETCH(QPoint, offset);
    const int p = ClockHands::position(ClockHands::positions(time), hand);
    QCOMPARE(p, position);
    int factor = 0;
    for (const ClockHands::HandShape& shape : ClockHands::hands()) {
        if (shape.hand == hand)
            factor = shape.lengthFactor;
    }
    QCOMPARE(ClockHands::offset(p, factor), offset);
    const QPointF centre(1000.5, 800);
    QCOMPARE(ClockHands::end(centre, p, factor), centre + QPointF(offset));
}

void TestClock::roundHalfEven_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("rounded");
    QTest::newRow("0.5") << 0.5 << 0;
    QTest::newRow("1.5") << 1.5 << 2;
    QTest::newRow("2.5") << 2.5 << 2;
    QTest::newRow("-0.5") << -0.5 << 0;
    QTest::newRow("-1.5") << -1.5 << -2;
    QTest::newRow("-2.5") << -2.5 << -2;
    QTest::newRow("below a half") << 675.4998 << 675;
    QTest::newRow("above a half") << -668.83 << -669;
}

void TestClock::roundHalfEven() {
    QFETCH(double, value);
    QFETCH(int, rounded);
    QCOMPARE(ClockHands::roundHalfEven(value), rounded);
}

void TestClock::dateFormat_data() {
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<QString>("text");
    const QDateTime dec7(QDate(2026, 12, 7), QTime(9, 5, 3));
    const QDateTime feb1(QDate(2026, 2, 1), QTime(23, 0, 0));
    QTest::newRow("dd.mm.yyyy") << QStringLiteral("dd.mm.yyyy") << dec7 << QStringLiteral("07.12.2026");
    QTest::newRow("d/m/yy") << QStringLiteral("d/m/yy") << dec7 << QStringLiteral("7/12/26");
    QTest::newRow("d/m/yy, one digit") << QStringLiteral("d/m/yy") << feb1 << QStringLiteral("1/2/26");
    QTest::newRow("dd-mm-yyyy, zeros")
        << QStringLiteral("dd-mm-yyyy") << feb1 << QStringLiteral("01-02-2026");
    QTest::newRow("capitals") << QStringLiteral("DD.MM.YYYY") << dec7 << QStringLiteral("07.12.2026");
    QTest::newRow("blanks and others copied")
        << QStringLiteral(" d . m , yyyy ") << dec7 << QStringLiteral(" 7 . 12 , 2026 ");
    QTest::newRow("names") << QStringLiteral("dddd d mmmm yyyy, ddd mmm") << dec7
                           << QStringLiteral("Monday 7 December 2026, Mon Dec");
    QTest::newRow("time") << QStringLiteral("yyyy-mm-dd hh:nn:ss h:n:s") << dec7
                          << QStringLiteral("2026-12-07 09:05:03 9:5:3");
    QTest::newRow("escaped and quoted")
        << QStringLiteral("\\d\\a\\y d, \"Datum:\" dd") << dec7 << QStringLiteral("day 7, Datum: 07");
    QTest::newRow("single y copied") << QStringLiteral("y yy") << dec7 << QStringLiteral("y 26");
    QTest::newRow("unterminated quote") << QStringLiteral("dd \"rest") << dec7 << QStringLiteral("07 rest");
    QTest::newRow("trailing backslash") << QStringLiteral("dd\\") << dec7 << QStringLiteral("07");
}

void TestClock::dateFormat() {
    QFETCH(QString, pattern);
    QFETCH(QDateTime, when);
    QFETCH(QString, text);
    QCOMPARE(DateFormat::format(pattern, when, QLocale::c()), text);
}

void TestClock::tempo_data() {
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("text");
    QTest::newRow("morning") << QTime(9, 5, 3) << QStringLiteral("09:05:03");
    QTest::newRow("midnight") << QTime(0, 0, 0) << QStringLiteral("00:00:00");
    QTest::newRow("24 hours") << QTime(23, 59, 59) << QStringLiteral("23:59:59");
}

void TestClock::tempo() {
    QFETCH(QTime, time);
    QFETCH(QString, text);
    QCOMPARE(DateFormat::tempo(time), text);
    // An empty pattern gives the system's short date and then the time.
    const QDateTime when(QDate(2026, 12, 7), time);
    QCOMPARE(DateFormat::format(QString(), when, QLocale(QLocale::German, QLocale::Germany)),
             QStringLiteral("07.12.26 ") + text);
    QCOMPARE(DateFormat::format(QString(), when, QLocale(QLocale::English, QLocale::UnitedStates)),
             QStringLiteral("12/7/26 ") + text);
}

QTEST_GUILESS_MAIN(TestClock)
#include "tst_clock.moc"
