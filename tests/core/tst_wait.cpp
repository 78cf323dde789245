#include "nospin.h"
#include "serial/wait.h"

#include <QTimer>
#include <QtTest>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace vornal;
using namespace std::chrono_literals;
using Clock = Wait::Clock;

namespace {

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Both ends of a local stream, closed again at the end of a case.
struct SocketPair {
    int fds[2] = {-1, -1};
    SocketPair() { ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, fds); }
    ~SocketPair() {
        ::close(fds[0]);
        ::close(fds[1]);
    }
    int reader() const { return fds[0]; }
    int writer() const { return fds[1]; }
    void fill() const {
        const char block[4096] = {};
        while (::write(writer(), block, sizeof block) > 0) {
        }
    }
    void drain() const {
        char block[4096];
        while (::read(reader(), block, sizeof block) > 0) {
        }
    }
};

enum class Wake { Nothing, Readable, Writable, Condition, Signal };

} // namespace

// The one wait: ends at its deadline or at the first wake, handles events meanwhile,
// never spins.
class TestWait : public QObject {
    Q_OBJECT
private slots:
    void earlyWake_data();
    void earlyWake();
    void wakeDueAtTheStart_data();
    void wakeDueAtTheStart();
    void wakeDuringANestedWaitEndsTheOuterOneAfterIt();
    void descriptorWaitDoesNotSpin();
    void wakeAfterTheApplicationQuit_data();
    void wakeAfterTheApplicationQuit();

private:
    // Arms `wake` to happen after `after`, and the wait to listen for it.
    void arm(Wake wake, std::chrono::milliseconds after, Wait& wait, SocketPair& pair, bool& flag,
             QTimer& signalTimer);
};

void TestWait::arm(Wake wake, std::chrono::milliseconds after, Wait& wait, SocketPair& pair, bool& flag,
                   QTimer& signalTimer) {
    switch (wake) {
    case Wake::Nothing:
        break;
    case Wake::Readable:
        wait.wakeWhenReadable(pair.reader());
        QTimer::singleShot(after, this, [&pair] { QCOMPARE(::write(pair.writer(), "x", 1), 1); });
        break;
    case Wake::Writable:
        pair.fill();
        wait.wakeWhenWritable(pair.writer());
        QTimer::singleShot(after, this, [&pair] { pair.drain(); });
        break;
    case Wake::Condition:
        wait.wakeWhen([&flag] { return flag; });
        QTimer::singleShot(after, this, [&flag] { flag = true; });
        break;
    case Wake::Signal:
        signalTimer.setSingleShot(true);
        wait.wakeOn(&signalTimer, &QTimer::timeout);
        signalTimer.start(after);
        break;
    }
}

void TestWait::earlyWake_data() {
    QTest::addColumn<Wake>("wake");
    QTest::addColumn<Wait::Result>("result");
    QTest::newRow("nothing wakes") << Wake::Nothing << Wait::Result::Deadline;
    QTest::newRow("descriptor gets readable") << Wake::Readable << Wait::Result::Descriptor;
    QTest::newRow("descriptor gets writable") << Wake::Writable << Wait::Result::Descriptor;
    QTest::newRow("condition comes true") << Wake::Condition << Wait::Result::Condition;
    QTest::newRow("signal") << Wake::Signal << Wait::Result::Signal;
}

void TestWait::earlyWake() {
    QFETCH(Wake, wake);
    QFETCH(Wait::Result, result);
    SocketPair pair;
    bool flag = false;
    QTimer signalTimer;
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, this, [&] { ++ticks; });
    ticker.start(5);

    const auto start = Clock::now();
    Wait wait(start + (wake == Wake::Nothing ? 150ms : 5s));
    arm(wake, 60ms, wait, pair, flag, signalTimer);
    QCOMPARE(wait.run(), result);
    const double took = secondsSince(start);
    if (wake == Wake::Nothing)
        QVERIFY(took >= 0.15);
    else
        QVERIFY2(took >= 0.055 && took < 2.5, qPrintable(QString::number(took)));
    QVERIFY2(ticks >= 3, qPrintable(QString::number(ticks))); // events ran meanwhile
}

void TestWait::wakeDueAtTheStart_data() {
    QTest::addColumn<Wake>("wake");
    QTest::addColumn<Wait::Result>("result");
    QTest::newRow("descriptor readable") << Wake::Readable << Wait::Result::Descriptor;
    QTest::newRow("descriptor writable") << Wake::Writable << Wait::Result::Descriptor;
    QTest::newRow("condition true") << Wake::Condition << Wait::Result::Condition;
}

void TestWait::wakeDueAtTheStart() {
    QFETCH(Wake, wake);
    QFETCH(Wait::Result, result);
    SocketPair pair;
    Wait wait(Clock::now() + 5s);
    if (wake == Wake::Readable) {
        QCOMPARE(::write(pair.writer(), "x", 1), 1);
        wait.wakeWhenReadable(pair.reader());
    } else if (wake == Wake::Writable) {
        wait.wakeWhenWritable(pair.writer());
    } else {
        wait.wakeWhen([] { return true; });
    }
    bool ran = false;
    QMetaObject::invokeMethod(
        this, [&] { ran = true; }, Qt::QueuedConnection);
    const auto start = Clock::now();
    QCOMPARE(wait.run(), result);
    QVERIFY(secondsSince(start) < 0.05);
    QVERIFY(!ran); // returned without handling events
    QCoreApplication::processEvents();
    QVERIFY(ran);
}

void TestWait::wakeDuringANestedWaitEndsTheOuterOneAfterIt() {
    bool flag = false;
    double inner = 0;
    QTimer::singleShot(10, this, [&] {
        const auto start = Clock::now();
        QTimer::singleShot(20, this, [&] { flag = true; });
        QCOMPARE(Wait(start + 150ms).run(), Wait::Result::Deadline);
        inner = secondsSince(start);
    });
    const auto start = Clock::now();
    QCOMPARE(Wait(start + 5s).wakeWhen([&] { return flag; }).run(), Wait::Result::Condition);
    QVERIFY(inner >= 0.15);
    QVERIFY(secondsSince(start) >= 0.16);
    QVERIFY(secondsSince(start) < 2.5);
}

void TestWait::descriptorWaitDoesNotSpin() {
    SocketPair pair;
    expectNoSpin([&] {
        const auto start = Clock::now();
        QCOMPARE(Wait(start + 200ms).wakeWhenReadable(pair.reader()).run(), Wait::Result::Deadline);
        QVERIFY(secondsSince(start) >= 0.2);
    });
}

// Once the application has been told to quit, nested loops return at once: the wait
// goes on sleeping in slices, still wakes and still does not spin. Runs last, since
// the quit state stays.
void TestWait::wakeAfterTheApplicationQuit_data() {
    earlyWake_data();
}

void TestWait::wakeAfterTheApplicationQuit() {
    QFETCH(Wake, wake);
    QFETCH(Wait::Result, result);
    QCoreApplication::exit(0);
    expectNoSpin([&] {
        SocketPair pair;
        bool flag = false;
        QTimer signalTimer;
        const auto start = Clock::now();
        Wait wait(start + (wake == Wake::Nothing ? 200ms : 5s));
        arm(wake, 100ms, wait, pair, flag, signalTimer);
        QCOMPARE(wait.run(), result);
        const double wall = secondsSince(start);
        QVERIFY2(wall >= (wake == Wake::Nothing ? 0.2 : 0.095) && wall < 2.5,
                 qPrintable(QString::number(wall)));
    });
}

QTEST_GUILESS_MAIN(TestWait)
#include "tst_wait.moc"
