#include "transmitrig.h"

#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using namespace vornal;

namespace {

enum class Ending { End, Cancel, WriteFails, DeviceLost };

struct Rig : TransmitRig {
    QList<bool> focus;
    Rig() {
        QObject::connect(&transmission, &Transmission::focusWanted, [this](bool on) { focus.append(on); });
    }
};

} // namespace

Q_DECLARE_METATYPE(Ending)

class TestTransmission : public QObject {
    Q_OBJECT
private slots:
    void closingStepsOnEveryWayOut_data();
    void closingStepsOnEveryWayOut();
    void noSendStartsInsideAnother();
    void waitsWhileTheLineIsHeld();
    void scheduleStartsAfreshWhenReleased();
};

void TestTransmission::closingStepsOnEveryWayOut_data() {
    QTest::addColumn<Ending>("ending");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QByteArray>("wire");
    QTest::newRow("end") << Ending::End << true << int(Transmission::Outcome::Done) << QByteArray("ABC");
    QTest::newRow("cancel after the first character")
        << Ending::Cancel << true << int(Transmission::Outcome::Cancelled) << QByteArray("A");
    // A short text shows no window and so cannot be cancelled.
    QTest::newRow("cancel without a window")
        << Ending::Cancel << false << int(Transmission::Outcome::Done) << QByteArray("ABC");
    QTest::newRow("write fails") << Ending::WriteFails << true << int(Transmission::Outcome::Failed)
                                 << QByteArray("A");
    QTest::newRow("device lost") << Ending::DeviceLost << true << int(Transmission::Outcome::Failed)
                                 << QByteArray("A");
}

void TestTransmission::closingStepsOnEveryWayOut() {
    QFETCH(Ending, ending);
    QFETCH(bool, shown);
    Rig r;
    const auto outcome = r.transmission.run(0, [&](TransmissionRun& run) {
        if (shown)
            run.show(QStringLiteral("Transmitting"));
        for (const char c : QByteArray("ABC")) {
            if (!run.write(QByteArray(1, c)))
                return;
            if (c == 'A') {
                if (ending == Ending::Cancel)
                    r.transmission.cancel();
                else if (ending == Ending::WriteFails)
                    r.link.setPortOpen(false);
                else if (ending == Ending::DeviceLost)
                    r.link.loseDevice(QStringLiteral("gone"));
            }
            if (!run.next())
                return;
        }
    });
    QTEST(int(outcome), "outcome");
    QTEST(r.link.written(), "wire");
    QCOMPARE(r.running, (QList<bool>{true, false}));
    QCOMPARE(r.finished, 1);
    QCOMPARE(r.idle, 1);
    QCOMPARE(r.focus.last(), false);
    QVERIFY(r.transmission.cancelRequested());
    QVERIFY(!r.transmission.isRunning());
    QCOMPARE(r.transmission.deviceWasLost(), ending == Ending::DeviceLost);
}

void TestTransmission::noSendStartsInsideAnother() {
    Rig r;
    Transmission::Outcome inner = Transmission::Outcome::Done;
    bool innerRan = false;
    r.transmission.run(0, [&](TransmissionRun& run) {
        run.write("A");
        // What a click or the receive path would start while the first one waits.
        inner = r.transmission.run(0, [&](TransmissionRun&) { innerRan = true; });
        run.write("B");
    });
    QCOMPARE(int(inner), int(Transmission::Outcome::Busy));
    QVERIFY(!innerRan);
    QCOMPARE(r.link.written(), QByteArray("AB"));
    QCOMPARE(r.running, (QList<bool>{true, false}));
}

void TestTransmission::waitsWhileTheLineIsHeld() {
    Rig r;
    r.link.setPendingOutput(TransmissionRun::kHeldAbove + 1);
    QTimer::singleShot(150, [&r] { r.link.setPendingOutput(0); });
    r.transmission.run(0.001, [&](TransmissionRun& run) {
        run.write("A");
        run.next();
        run.write("B");
    });
    const auto writes = r.link.writes();
    QCOMPARE(writes.size(), 2);
    QVERIFY2(writes.at(1).nanoseconds - writes.at(0).nanoseconds >= 140000000LL,
             QByteArray::number(writes.at(1).nanoseconds - writes.at(0).nanoseconds).constData());
}

// The time the box held the line is not made up: the character after the one that
// went at the release waits the whole interval.
void TestTransmission::scheduleStartsAfreshWhenReleased() {
    Rig r;
    r.link.setPendingOutput(TransmissionRun::kHeldAbove + 1);
    QTimer::singleShot(120, [&r] { r.link.setPendingOutput(0); });
    r.transmission.run(0.05, [&](TransmissionRun& run) {
        for (const char* c : {"A", "B", "C"}) {
            run.write(c);
            run.next();
        }
    });
    const auto writes = r.link.writes();
    QCOMPARE(writes.size(), 3);
    const qint64 gap = writes.at(2).nanoseconds - writes.at(1).nanoseconds;
    QVERIFY2(gap >= 49000000LL, QByteArray::number(gap).constData());
}

QTEST_GUILESS_MAIN(TestTransmission)
#include "tst_transmission.moc"
