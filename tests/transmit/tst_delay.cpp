#include "charpacer.h"
#include "delay.h"
#include "nospin.h"

#include <QTimer>
#include <QtTest>

#include <cmath>
#include <thread>

using namespace vornal;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// The pause and the pacing of characters: never shorter than asked, events keep
// running, nothing spins.
class TestDelay : public QObject {
    Q_OBJECT
private slots:
    void nothingToWaitFor_data();
    void nothingToWaitFor();
    void atLeastTheTimeAsked_data();
    void atLeastTheTimeAsked();
    void eventsRunDuringThePause();
    void pauseInsideAPause();
    void pacerKeepsItsSchedule();
    void pacerMakesUpAShortHoldUp();
    void pacerRestartsAfterAStall();
    void pacerMakesUpAStall_data();
    void pacerMakesUpAStall();
    void pacerCatchesUpGently();
    void pauseAfterTheApplicationQuit();
};

namespace {
double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}
} // namespace

void TestDelay::nothingToWaitFor_data() {
    QTest::addColumn<double>("seconds");
    QTest::newRow("zero") << 0.0;
    QTest::newRow("negative") << -2.0;
    QTest::newRow("not a number") << std::nan("");
}

void TestDelay::nothingToWaitFor() {
    QFETCH(double, seconds);
    bool ran = false;
    QMetaObject::invokeMethod(
        this, [&] { ran = true; }, Qt::QueuedConnection);
    const auto start = Clock::now();
    Delay(seconds);
    QVERIFY(secondsSince(start) < 0.05);
    QVERIFY(!ran); // returns without handling events
    QCoreApplication::processEvents();
    QVERIFY(ran);
}

void TestDelay::atLeastTheTimeAsked_data() {
    QTest::addColumn<double>("seconds");
    QTest::newRow("0.3 ms") << 0.0003;
    QTest::newRow("2.5 ms") << 0.0025;
    QTest::newRow("10 ms") << 0.01;
    QTest::newRow("0.3 s") << 0.3;
}

void TestDelay::atLeastTheTimeAsked() {
    QFETCH(double, seconds);
    for (int i = 0; i < 5; ++i) {
        const auto start = Clock::now();
        Delay(seconds);
        QVERIFY(secondsSince(start) >= seconds);
    }
}

void TestDelay::eventsRunDuringThePause() {
    int ticks = 0;
    QTimer timer;
    connect(&timer, &QTimer::timeout, this, [&] { ++ticks; });
    timer.start(10);
    bool queued = false;
    QMetaObject::invokeMethod(
        this, [&] { queued = true; }, Qt::QueuedConnection);
    expectNoSpin([&] {
        const auto start = Clock::now();
        Delay(0.2);
        QVERIFY(secondsSince(start) >= 0.2);
    });
    QVERIFY(queued);
    QVERIFY2(ticks >= 5, qPrintable(QString::number(ticks)));
}

void TestDelay::pauseInsideAPause() {
    double inner = 0;
    QTimer::singleShot(10, this, [&] {
        const auto start = Clock::now();
        Delay(0.1);
        inner = secondsSince(start);
    });
    const auto start = Clock::now();
    Delay(0.05);
    QVERIFY(inner >= 0.1);
    QVERIFY(secondsSince(start) >= 0.1);
}

void TestDelay::pacerKeepsItsSchedule() {
    CharPacer pacer(0.02);
    pacer.start();
    const auto first = pacer.deadline();
    for (int k = 1; k <= 10; ++k) {
        std::this_thread::sleep_for(5ms); // writing the character
        pacer.waitNext();
        QVERIFY(Clock::now() >= first + k * pacer.interval());
        QCOMPARE(pacer.deadline(), first + k * pacer.interval()); // the work did not add up
    }
}

void TestDelay::pacerMakesUpAShortHoldUp() {
    CharPacer pacer(0.05);
    pacer.start();
    const auto first = pacer.deadline();
    pacer.waitNext();
    std::this_thread::sleep_for(60ms); // past the next deadline by less than an interval
    const auto held = Clock::now();
    pacer.waitNext();
    QVERIFY(Clock::now() - held < 20ms);
    QCOMPARE(pacer.deadline(), first + 2 * pacer.interval());
    pacer.waitNext();
    QVERIFY(Clock::now() >= first + 3 * pacer.interval());
}

void TestDelay::pacerCatchesUpGently() {
    // A handler that runs long during a wait makes that return late; the next gap is
    // shortened by at most kCatchUp, not by the whole lateness.
    CharPacer pacer(0.02);
    pacer.start();
    QTimer::singleShot(15, [] { std::this_thread::sleep_for(12ms); });
    pacer.waitNext();
    const auto late = pacer.lastReturn();
    QVERIFY(late - pacer.deadline() > 5ms);
    pacer.waitNext();
    QVERIFY(pacer.lastReturn() - late >= pacer.interval() - CharPacer::kCatchUp);
}

void TestDelay::pacerRestartsAfterAStall() {
    CharPacer pacer(0.05);
    pacer.waitNext();
    std::this_thread::sleep_for(CharPacer::kRestartAfter + 100ms); // a handler blocked the loop
    const auto stallEnd = Clock::now();
    pacer.waitNext();
    const auto restart = pacer.deadline();
    QVERIFY(restart >= stallEnd);
    QVERIFY(Clock::now() - stallEnd < 20ms);
    for (int k = 1; k <= 3; ++k) {
        pacer.waitNext();
        QVERIFY(Clock::now() >= restart + k * pacer.interval()); // no burst
        QCOMPARE(pacer.deadline(), restart + k * pacer.interval());
    }
}

// A stall shorter than kRestartAfter keeps the schedule: the characters after it come
// a little early, each gap shortened by catchUp() at most, until the text is on time.
void TestDelay::pacerMakesUpAStall_data() {
    QTest::addColumn<double>("interval");
    QTest::addColumn<int>("stallMs");
    QTest::newRow("50 ms, stalled 200 ms") << 0.05 << 200;
    QTest::newRow("10 ms, stalled 60 ms") << 0.01 << 60;
    QTest::newRow("2 ms, a tenth of it at most") << 0.002 << 30;
}

void TestDelay::pacerMakesUpAStall() {
    QFETCH(double, interval);
    QFETCH(int, stallMs);
    CharPacer pacer(interval);
    pacer.start();
    const auto first = pacer.deadline();
    pacer.waitNext();
    std::this_thread::sleep_for(std::chrono::milliseconds(stallMs));
    pacer.waitNext();
    auto previous = pacer.lastReturn();
    QVERIFY(pacer.catchUp() <= pacer.interval() / 10);
    for (int k = 3; k <= 8; ++k) {
        pacer.waitNext();
        QCOMPARE(pacer.deadline(), first + k * pacer.interval()); // not started afresh
        // Counted between the pacer's own returns: a clock read by the test after a
        // return may come late by however long the machine kept it from running.
        QVERIFY(pacer.lastReturn() - previous >= pacer.interval() - pacer.catchUp());
        previous = pacer.lastReturn();
    }
}

// Once the application has been told to quit, nested loops return at once; the pause
// must still last and must not spin. Runs last: the quit state stays.
void TestDelay::pauseAfterTheApplicationQuit() {
    QCoreApplication::exit(0);
    expectNoSpin([] {
        const auto start = Clock::now();
        Delay(0.2);
        QVERIFY(secondsSince(start) >= 0.2);
    });
}

QTEST_GUILESS_MAIN(TestDelay)
#include "tst_delay.moc"
