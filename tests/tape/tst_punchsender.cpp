#include "files/programfiles.h"
#include "puncher.h"
#include "punchsender.h"
#include "rsendpunch.h"
#include "testfiles.h"
#include "textsender.h"
#include "transmitrig.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace vornal;

namespace {

// The punch sender and "RSend Punch" on the fake link, with what they report.
struct Rig : TransmitRig {
    PunchSender puncher{transmission, link, state, dialogs};
    TextSender sender{transmission, state, counter, dialogs, folder()};
    RSendPunch rsend{sender, state, dialogs, folder()};
    QStringList status;
    QList<bool> punching;
    int beeps = 0;

    Rig() {
        QObject::connect(&puncher, &PunchSender::status, [this](const QString& s) { status.append(s); });
        QObject::connect(&puncher, &PunchSender::punchingChanged, [this](bool on) { punching.append(on); });
        QObject::connect(&rsend, &RSendPunch::beep, [this] { ++beeps; });
    }
    bool files(bool header = true, bool message = true) {
        return (!header || !file(programFile(ProgramFiles::kBroadcastHeader), "RS HEADER\r\n").isEmpty()) &&
               (!message || !file(programFile(ProgramFiles::kMessage), "THE MESSAGE\r\n").isEmpty());
    }
};

const QByteArray kHI = Puncher(QStringLiteral("HI"));

} // namespace

class TestPunchSender : public QObject {
    Q_OBJECT
private slots:
    void punch_data();
    void punch();
    void rsendPunchSendsNothing_data();
    void rsendPunchSendsNothing();
    void rsendPunchSendsHeaderThenMessage();
};

void TestPunchSender::punch_data() {
    QTest::addColumn<bool>("open");
    QTest::addColumn<int>("failAfter");
    QTest::addColumn<int>("loseAfter");
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<QList<bool>>("punching");
    QTest::addColumn<bool>("reported");
    QTest::newRow("whole") << true << -1 << -1 << kHI << QList<bool>{true, false} << false;
    // Only the caption goes back to "Preview".
    QTest::newRow("port closed") << false << -1 << -1 << QByteArray() << QList<bool>{false} << false;
    // Shown once with the port's reason; the rest is not sent.
    QTest::newRow("send error") << true << 3 << -1 << kHI.left(3) << QList<bool>{true, false} << true;
    // The port reports a vanished box itself and closes; the rest finds it closed.
    QTest::newRow("box lost") << true << -1 << 4 << kHI.left(4) << QList<bool>{true, false} << false;
}

void TestPunchSender::punch() {
    QFETCH(bool, open);
    QFETCH(int, failAfter);
    QFETCH(int, loseAfter);
    QFETCH(QByteArray, written);
    QFETCH(QList<bool>, punching);
    QFETCH(bool, reported);
    Rig r;
    r.link.setPortOpen(open);
    r.link.writesBeforeFailure = failAfter;
    QObject::connect(&r.puncher, &PunchSender::characterSent, [&] {
        if (r.link.writes().size() == loseAfter)
            r.link.loseDevice(QStringLiteral("gone"));
    });
    QCOMPARE(r.puncher.PunchText(QStringLiteral("Hi")), !reported);
    QCOMPARE(r.link.written(), written);
    // One character a write.
    QCOMPARE(r.link.writes().size(), written.size());
    QCOMPARE(r.punching, punching);
    QCOMPARE(r.status.count(QStringLiteral("Sending Human Readables")), written.size() + (reported ? 1 : 0));
    QCOMPARE(r.dialogs.texts(), reported ? QStringList{r.link.writeFailure.text} : QStringList());
    if (reported) {
        QCOMPARE(r.dialogs.messages[0].icon, DialogIcon::Warning);
        QCOMPARE(r.status.last(), QStringLiteral("Punching stopped: ") + r.link.writeFailure.text);
        // The next punch goes out whole.
        r.link.writesBeforeFailure = -1;
        r.link.clearWrites();
        QVERIFY(r.puncher.PunchText(QStringLiteral("HI")));
        QCOMPARE(r.link.written(), kHI);
    }
}

void TestPunchSender::rsendPunchSendsNothing_data() {
    QTest::addColumn<DialogAnswer>("answer");
    QTest::addColumn<bool>("connected");
    QTest::addColumn<bool>("header");
    QTest::addColumn<QString>("said");
    QTest::newRow("No") << DialogAnswer::No << true << true << QString();
    QTest::newRow("no connection") << DialogAnswer::Yes << false << true
                                   << QStringLiteral(" No existing connection active ......");
    QTest::newRow("no header") << DialogAnswer::Yes << true << false
                               << QStringLiteral(
                                      "Nothing was sent for punching: %1/RSHeader.txt is missing.");
}

// One question, and at most one message after it.
void TestPunchSender::rsendPunchSendsNothing() {
    QFETCH(DialogAnswer, answer);
    QFETCH(bool, connected);
    QFETCH(bool, header);
    QFETCH(QString, said);
    Rig r;
    r.state.connectionActive = connected;
    QVERIFY(r.files(header));
    r.dialogs.answers.enqueue(answer);
    QVERIFY(!r.rsend.run());
    QStringList expected{QString::fromLatin1(RSendPunch::kQuestion)};
    if (!said.isEmpty())
        expected.append(QString(said).replace(QStringLiteral("%1"), QDir::cleanPath(r.dir.path())));
    QCOMPARE(r.dialogs.texts(), expected);
    QCOMPARE(r.dialogs.messages[0].buttons, DialogButtons::YesNo);
    QCOMPARE(r.beeps, connected ? 0 : 1);
    QVERIFY(r.link.writes().isEmpty());
}

void TestPunchSender::rsendPunchSendsHeaderThenMessage() {
    Rig r;
    QVERIFY(r.files());
    QVERIFY(r.rsend.run());
    const QByteArray wire = r.link.written();
    QVERIFY(wire.startsWith("\rRS HEADER\r"));
    QCOMPARE(wire.count("THE MESSAGE"), 1);
    QVERIFY(wire.indexOf("RS HEADER") < wire.indexOf("THE MESSAGE"));
    QCOMPARE(r.dialogs.messages.size(), 1);

    // Cancelled during the header, the message stays.
    r.link.clearWrites();
    QObject::connect(&r.transmission, &Transmission::shown, &r.transmission, &Transmission::cancel);
    QVERIFY(!r.rsend.run());
    QCOMPARE(r.link.written(), QByteArray("\r"));
}

QTEST_MAIN(TestPunchSender)
#include "tst_punchsender.moc"
