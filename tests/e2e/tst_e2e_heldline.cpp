#include "fakeclock.h"
#include "files/programfiles.h"
#include "files/programfolder.h"
#include "files/settingskeys.h"
#include "look/objectnames.h"
#include "memorysettingsstore.h"
#include "recordingdesktoplauncher.h"
#include "recordingsoundplayer.h"
#include "scripteddialogs.h"
#include "scriptedrunner.h"
#include "serial/portmap.h"
#include "serial/qserialportlink.h"
#include "simulators.h"
#include "testfiles.h"
#include "transmission.h"
#include "window/terminalwindow.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <signal.h>

using namespace vornal;

namespace {

// Sends one control line to a simulator started with --control and returns its
// answer without the program name ("done xoff"), empty when none came.
QByteArray control(BoxSimulator& box, const QByteArray& line) {
    return box.control(line, 5000);
}

// The main window on the real serial link, port 1 on the simulator's pseudo-terminal,
// with XON/XOFF flow control stored as the operator chose it. The clock is the test's,
// so the ten seconds of the drain at exit pass at once.
struct HeldTerminal {
    MemorySettingsStore settings;
    QSerialPortLink link;
    ScriptedDialogs dialogs;
    FakeClock clock;
    RecordingSoundPlayer sound;
    ScriptedRunner runner;
    RecordingDesktopLauncher desktop;
    TerminalWindow window;

    HeldTerminal(const QString& folder, const QString& device)
        : link(PortMap(prepared(settings, device), [] { return QStringList(); })),
          window({link, dialogs, settings, ProgramFolder(folder), clock, sound, runner, desktop}) {
        window.load(QString());
        window.show();
        dialogs.messages.clear(); // a folder without a configuration file says so
    }

    static const SettingsStore& prepared(MemorySettingsStore& store, const QString& device) {
        store.setValue(SettingsKeys::kPorts, QStringLiteral("1"), device);
        store.setValue(SettingsKeys::kProperties, SettingsKeys::kHandshaking, QStringLiteral("1"));
        return store;
    }

    QPushButton* button(QAnyStringView name) const { return window.findChild<QPushButton*>(name.toString()); }
    QPlainTextEdit* terminal() const { return window.findChild<QPlainTextEdit*>(ObjectNames::kTxtTerm); }
};

QByteArray bytesOf(const QList<int>& values) {
    QByteArray bytes;
    for (int v : values)
        bytes.append(char(v));
    return bytes;
}

} // namespace

// The real serial link on a pseudo-terminal whose other end is the box simulator,
// while the box holds the line: with XOFF under XON/XOFF flow control, or by not
// reading at all. Held output waits and then goes out in order; only a device that
// is really gone counts as lost. In the program's window nothing is shown as lost,
// and EXIT asks whether to give up on the held output.
class TestE2eHeldLine : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void xoffHoldsOutputUntilXon_data();
    void xoffHoldsOutputUntilXon();
    void boxThatStopsReadingGetsEverythingLater();
    void boxVanishingWhileHeldIsReportedOnce();
    void typingInTheWindowWaitsForXon();
    void exitWhileHeldAsks();
    void pacedSendWaitsForXon();

private:
    // Opens the link on the simulator with the flow-control code; input is taken as
    // the program takes it, on every receive event.
    bool open(int handshaking);
    // Waits until the text, sent by the box after a line statement, has arrived: the
    // line discipline then has acted on the statement.
    bool boxSays(const QByteArray& text);
    // The window opens the port; the box then holds the line with XOFF.
    // Opens the port and, when told, makes a call; then the box holds the line.
    void openAndHold(HeldTerminal& t, bool call = false);

    QTemporaryDir m_dir;
    std::unique_ptr<BoxSimulator> m_box;
    MemorySettingsStore m_store;
    std::unique_ptr<QSerialPortLink> m_link;
    QByteArray m_received;
};

void TestE2eHeldLine::init() {
    m_box = std::make_unique<BoxSimulator>(m_dir.path());
    QVERIFY(m_box->start({QStringLiteral("--control")}));
    m_store.setValue(SettingsKeys::kPorts, QStringLiteral("1"), m_box->link());
    m_link = std::make_unique<QSerialPortLink>(PortMap(m_store, [] { return QStringList(); }));
    m_received.clear();
    connect(m_link.get(), &SerialLink::commEvent, this, [this](int code) {
        if (code == CommEvent::Receive)
            m_received += m_link->input();
    });
}

void TestE2eHeldLine::cleanup() {
    m_link.reset();
    m_box.reset();
}

bool TestE2eHeldLine::open(int handshaking) {
    return m_link->setHandshaking(handshaking) && m_link->setSettings(QStringLiteral("9600,n,8,1")) &&
           m_link->setPortOpen(true);
}

bool TestE2eHeldLine::boxSays(const QByteArray& text) {
    if (control(*m_box, "send " + text) != "done send " + text)
        return false;
    const QDeadlineTimer deadline(5000);
    while (!m_received.contains(text) && !deadline.hasExpired())
        QTest::qWait(10);
    return m_received.contains(text);
}

void TestE2eHeldLine::xoffHoldsOutputUntilXon_data() {
    QTest::addColumn<int>("handshaking");
    QTest::newRow("XON/XOFF") << 1;
    QTest::newRow("RTS/CTS and XON/XOFF") << 3;
}

void TestE2eHeldLine::xoffHoldsOutputUntilXon() {
    QFETCH(int, handshaking);
    QVERIFY2(open(handshaking), qPrintable(m_link->lastError().text));
    QSignalSpy lost(m_link.get(), &SerialLink::deviceLost);
    QSignalSpy events(m_link.get(), &SerialLink::commEvent);

    QCOMPARE(control(*m_box, "xoff"), QByteArray("done xoff"));
    QVERIFY(boxSays("busy"));

    // A command, then typed keys one at a time, as the program writes them.
    QVERIFY2(m_link->output(QByteArray("\x01"
                                       "12345")),
             qPrintable(m_link->lastError().text));
    for (char c : QByteArray("hallo"))
        QVERIFY2(m_link->output(QByteArray(1, c)), qPrintable(m_link->lastError().text));
    QCOMPARE(m_link->outBufferCount(), 11);

    // Text from the box is no XON: the line stays held.
    QVERIFY(boxSays("still busy"));
    QTest::qWait(200);
    QVERIFY(m_link->isOpen());
    QCOMPARE(lost.count(), 0);
    QCOMPARE(m_box->loggedBytes(), QList<int>());
    QCOMPARE(m_link->outBufferCount(), 11);
    QVERIFY(!events.contains(QVariantList{CommEvent::Send}));

    QCOMPARE(control(*m_box, "xon"), QByteArray("done xon"));
    QTRY_COMPARE_WITH_TIMEOUT(bytesOf(m_box->loggedBytes()),
                              QByteArray("\x01"
                                         "12345hallo"),
                              5000);
    QTRY_COMPARE(m_link->outBufferCount(), 0);
    QTRY_VERIFY(events.contains(QVariantList{CommEvent::Send}));
    QVERIFY(m_link->isOpen());
    QCOMPARE(lost.count(), 0);

    // Held once more: the line works as before.
    QCOMPARE(control(*m_box, "xoff"), QByteArray("done xoff"));
    QVERIFY(boxSays("again"));
    QVERIFY(m_link->output(QByteArray("\r")));
    QCOMPARE(m_link->outBufferCount(), 1);
    QCOMPARE(control(*m_box, "xon"), QByteArray("done xon"));
    QTRY_COMPARE_WITH_TIMEOUT(bytesOf(m_box->loggedBytes()),
                              QByteArray("\x01"
                                         "12345hallo\r"),
                              5000);
    QCOMPARE(lost.count(), 0);
}

// More than the pseudo-terminal takes while the box does not read: the rest waits in
// the program, and all of it arrives in order once the box reads again.
void TestE2eHeldLine::boxThatStopsReadingGetsEverythingLater() {
    QVERIFY2(open(0), qPrintable(m_link->lastError().text));
    QSignalSpy lost(m_link.get(), &SerialLink::deviceLost);
    QCOMPARE(control(*m_box, "stall 60"), QByteArray("stall 60").prepend("done "));

    QByteArray sent;
    for (int chunk = 0; chunk < 48; ++chunk) {
        QByteArray line = QByteArray::number(chunk).rightJustified(4, '0') + ' ';
        while (line.size() < 2047)
            line.append(char('a' + (line.size() + chunk) % 26));
        line.append('\r');
        QVERIFY2(m_link->output(line), qPrintable(m_link->lastError().text));
        sent += line;
    }
    QVERIFY2(m_link->outBufferCount() > 0, "the pseudo-terminal took everything; nothing was held");
    QVERIFY(m_link->outBufferCount() <= sent.size());
    QTest::qWait(300);
    QVERIFY(m_link->isOpen());
    QCOMPARE(lost.count(), 0);

    QCOMPARE(control(*m_box, "resume"), QByteArray("done resume"));
    QTRY_COMPARE_WITH_TIMEOUT(m_link->outBufferCount(), 0, 20000);
    QTRY_COMPARE_WITH_TIMEOUT(m_box->loggedBytes().size(), sent.size(), 20000);
    QCOMPARE(bytesOf(m_box->loggedBytes()), sent);
    QVERIFY(m_link->isOpen());
    QCOMPARE(lost.count(), 0);
}

void TestE2eHeldLine::boxVanishingWhileHeldIsReportedOnce() {
    QVERIFY2(open(1), qPrintable(m_link->lastError().text));
    QSignalSpy lost(m_link.get(), &SerialLink::deviceLost);
    QCOMPARE(control(*m_box, "xoff"), QByteArray("done xoff"));
    QVERIFY(boxSays("busy"));
    QVERIFY(m_link->output(QByteArray("held")));
    QCOMPARE(m_link->outBufferCount(), 4);

    ::kill(pid_t(m_box->process().processId()), SIGKILL);
    m_box->process().waitForFinished(3000);
    QTRY_VERIFY_WITH_TIMEOUT(!m_link->isOpen(), 5000);
    QTest::qWait(300);
    QCOMPARE(lost.count(), 1);
    const QString message = lost.first().first().toString();
    QVERIFY2(message.contains(m_box->link()) &&
                 message.contains(QStringLiteral("(the device has gone away)")),
             qPrintable(message));
    QCOMPARE(m_link->outBufferCount(), 0);
    QVERIFY(!m_link->output(QByteArray("x")));
}

void TestE2eHeldLine::openAndHold(HeldTerminal& t, bool call) {
    QTest::mouseClick(t.button(ObjectNames::kLblOpen1), Qt::LeftButton);
    QVERIFY2(t.link.isOpen(), qPrintable(t.dialogs.texts().join(QLatin1Char('\n'))));
    QCOMPARE(t.link.handshaking(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(m_box->loggedBytes(), QList<int>{13}, 5000);
    if (call) {
        QTest::mouseClick(t.button(ObjectNames::kLblCall), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(m_box->loggedBytes(), (QList<int>{13, 1}), 5000);
    }
    QCOMPARE(control(*m_box, "xoff"), QByteArray("done xoff"));
    QCOMPARE(control(*m_box, "send teleprinter busy"), QByteArray("done send teleprinter busy"));
    QTRY_VERIFY_WITH_TIMEOUT(t.terminal()->toPlainText().contains(QStringLiteral("teleprinter busy")), 5000);
}

void TestE2eHeldLine::typingInTheWindowWaitsForXon() {
    HeldTerminal t(m_dir.path(), m_box->link());
    openAndHold(t);
    if (QTest::currentTestFailed())
        return;

    t.terminal()->setFocus();
    QTest::keyClicks(t.terminal(), QStringLiteral("ab"));
    QTest::qWait(300);
    QVERIFY2(t.dialogs.messages.isEmpty(), qPrintable(t.dialogs.texts().join(QLatin1Char('\n'))));
    QVERIFY(t.link.isOpen());
    QCOMPARE(t.button(ObjectNames::kLblOpen1)->text(), QStringLiteral("Close Port"));
    QCOMPARE(t.link.outBufferCount(), 2);
    QCOMPARE(m_box->loggedBytes(), QList<int>{13});

    QCOMPARE(control(*m_box, "xon"), QByteArray("done xon"));
    QTRY_COMPARE_WITH_TIMEOUT(bytesOf(m_box->loggedBytes()), QByteArray("\rab"), 5000);
    // The box's echo is what shows the typed text.
    QTRY_VERIFY_WITH_TIMEOUT(t.terminal()->toPlainText().endsWith(QStringLiteral("ab")), 5000);
    QCOMPARE(t.link.outBufferCount(), 0);
    QVERIFY(t.dialogs.messages.isEmpty());
}

void TestE2eHeldLine::exitWhileHeldAsks() {
    HeldTerminal t(m_dir.path(), m_box->link());
    openAndHold(t);
    if (QTest::currentTestFailed())
        return;
    t.terminal()->setFocus();
    QTest::keyClick(t.terminal(), Qt::Key_X);
    QCOMPARE(t.link.outBufferCount(), 1);

    // Time runs on while the drain waits: a second of the test's clock every 5 ms.
    QTimer ticking;
    QObject::connect(&ticking, &QTimer::timeout, [&t] { t.clock.advance(1); });
    ticking.start(5);
    t.dialogs.answers.enqueue(DialogAnswer::Retry);
    t.dialogs.answers.enqueue(DialogAnswer::Abort);
    QTest::mouseClick(t.button(ObjectNames::kLblExit), Qt::LeftButton);
    ticking.stop();

    QCOMPARE(t.dialogs.texts(),
             (QStringList{QStringLiteral("Data cannot be sent"), QStringLiteral("Data cannot be sent")}));
    for (const MessageRequest& question : t.dialogs.messages)
        QCOMPARE(question.buttons, DialogButtons::AbortRetryIgnore);
    QVERIFY(t.link.isOpen());
    QCOMPARE(t.link.outBufferCount(), 1);
    QCOMPARE(m_box->loggedBytes(), QList<int>{13});

    // Released, the byte goes out, and the unload then closes without a question.
    QCOMPARE(control(*m_box, "xon"), QByteArray("done xon"));
    QTRY_COMPARE_WITH_TIMEOUT(bytesOf(m_box->loggedBytes()), QByteArray("\rx"), 5000);
    QTRY_COMPARE(t.link.outBufferCount(), 0);
    QVERIFY(t.window.unload());
    QVERIFY(!t.link.isOpen());
    QCOMPARE(t.dialogs.messages.size(), 2);
}

// A message sent while the box holds the line: the sender waits with a few characters
// queued instead of piling the text up, and after XON the whole text arrives in order.
void TestE2eHeldLine::pacedSendWaitsForXon() {
    QByteArray text;
    for (int i = 0; i < 4; ++i)
        text += "THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG\r\n";
    QFile message(m_dir.filePath(programFile(ProgramFiles::kMessage)));
    QVERIFY(message.open(QIODevice::WriteOnly) && message.write(text) == text.size());
    message.close();
    HeldTerminal t(m_dir.path(), m_box->link());
    openAndHold(t, true);
    if (QTest::currentTestFailed())
        return;

    int queuedWhileHeld = -1;
    QList<int> loggedWhileHeld;
    QTimer::singleShot(800, [&] {
        queuedWhileHeld = t.link.outBufferCount();
        loggedWhileHeld = m_box->loggedBytes();
        control(*m_box, "xon");
    });
    t.dialogs.answers.enqueue(DialogAnswer::Yes);
    QTest::mouseClick(t.button(ObjectNames::kLblSendMessage), Qt::LeftButton);
    QCOMPARE(loggedWhileHeld, (QList<int>{13, 1}));
    QVERIFY2(queuedWhileHeld > 0 && queuedWhileHeld <= TransmissionRun::kHeldAbove + 1,
             QByteArray::number(queuedWhileHeld).constData());
    QCOMPARE(t.dialogs.texts(), QStringList{QStringLiteral(" You are about to send the Message File ")});
    // The wrapper adds its line end and the copy one more.
    const QByteArray wire = "\r\x01\r" + QByteArray(text).replace("\n", "") + "\r\r";
    QTRY_COMPARE_WITH_TIMEOUT(bytesOf(m_box->loggedBytes()), wire, 10000);
    QVERIFY(t.link.isOpen());
}

QTEST_MAIN(TestE2eHeldLine)
#include "tst_e2e_heldline.moc"
