#include "display/interfacecommands.h"
#include "display/linecounter.h"
#include "display/terminalbuffer.h"
#include "display/terminaldisplay.h"
#include "fakeseriallink.h"
#include "programstate.h"
#include "recordingsoundplayer.h"

#include <QtTest>

using namespace vornal;
using Command = InterfaceCommands::Command;

Q_DECLARE_METATYPE(InterfaceCommands::Command)

namespace {

struct Rig {
    FakeSerialLink link;
    ProgramState state;
    TerminalBuffer box;
    TerminalDisplay display{box, state};
    LineCounter counter;
    RecordingSoundPlayer sound;
    InterfaceCommands commands{
        link, state, display, box, counter, sound, ProgramFolder(QStringLiteral("/prog"))};
    QStringList status;
    QStringList counterCaptions;
    quint32 counterColour = 0;
    int beeps = 0;
    int callsClosed = 0;
    int headlineHidden = 0;
    Rig() {
        QObject::connect(&commands, &InterfaceCommands::status,
                         [this](const QString& s) { status.append(s); });
        QObject::connect(&counter, &LineCounter::counterChanged, [this](const QString& c, quint32 colour) {
            counterCaptions.append(c);
            counterColour = colour;
        });
        QObject::connect(&counter, &LineCounter::beep, [this] { ++beeps; });
        QObject::connect(&commands, &InterfaceCommands::callClosed, [this] { ++callsClosed; });
        QObject::connect(&commands, &InterfaceCommands::hideHeadlinePanel, [this] { ++headlineHidden; });
        link.setPortOpen(true);
    }
};

} // namespace

class TestCommands : public QObject {
    Q_OBJECT
private slots:
    void commandBytes_data();
    void commandBytes();
    void nothingWhileClosed();
    void commandEffects();
    void call();
    void clearText();
    void callNumber_data();
    void callNumber();
    void keyboardCounter();
    void keyboardLineEnd();
    void keyboardClosedPort();
    void carriageReturnKeyResets();
};

void TestCommands::commandBytes_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("status");
    QTest::newRow("lblBell") << Command::Bell << QByteArray("\x07") << "Ringing the bell";
    QTest::newRow("lblWerda") << Command::Werda << QByteArray("\x0d\x17") << "Sending whoIs";
    QTest::newRow("lblIAm") << Command::IAm << QByteArray("\x0d\x09") << "Sending Here Is";
    QTest::newRow("lblGoAhead") << Command::GoAhead << QByteArray("+?") << "Go Ahead";
    QTest::newRow("lblZi") << Command::Zi << QByteArray("\x0f") << " Sending Figures  1... ";
    QTest::newRow("lblBu") << Command::Bu << QByteArray("\x0e") << " Sending Letters  A... ";
    QTest::newRow("lblLoKal") << Command::LoKal << QByteArray("\x0c") << "Local Mode Enabled";
    QTest::newRow("LblMsg") << Command::Msg << QByteArray("\x11") << "Reading Vornal Messages";
    QTest::newRow("lblNexMessage") << Command::NextMessage << QByteArray("n") << "Next Vornal Message";
    QTest::newRow("lblCancelMsg") << Command::CancelMsg << QByteArray("l") << "Cancel Vornal Messages";
    QTest::newRow("lblStatus") << Command::Status << QByteArray("\x14") << "Reading Vornal Status";
    QTest::newRow("lblKonfig") << Command::Konfig << QByteArray("\x0b") << "Configuration";
    QTest::newRow("lblCR") << Command::CR << QByteArray("\x1bM") << "Sending Carriage Return only";
    QTest::newRow("lblLineFeed") << Command::LineFeed << QByteArray("\x1bJ") << "Sending Line feed only";
    QTest::newRow("LblCloseConnection")
        << Command::CloseConnection << QByteArray("\x13") << "Closing Vornal Connection";
}

void TestCommands::commandBytes() {
    QFETCH(Command, command);
    QFETCH(QString, status);
    Rig r;
    r.commands.run(command);
    QTEST(r.link.written(), "bytes");
    QCOMPARE(r.status, QStringList{status});
}

void TestCommands::nothingWhileClosed() {
    Rig r;
    r.link.setPortOpen(false);
    for (const auto& info : InterfaceCommands::commands())
        r.commands.run(info.command);
    r.commands.Call();
    QVERIFY(r.link.writes().isEmpty());
    QVERIFY(r.status.isEmpty());
    QVERIFY(r.sound.log().isEmpty());
    QCOMPARE(r.headlineHidden, 1); // Call hides the headline panel even so
    QCOMPARE(r.state.connectionActive, false);
}

void TestCommands::commandEffects() {
    Rig r;
    r.state.connectionActive = true;
    r.commands.run(Command::GoAhead);
    QCOMPARE(r.state.connectionActive, false);

    // LoKal plays its sound even when sounds are muted.
    r.state.soundMuted = true;
    r.commands.run(Command::LoKal);
    QCOMPARE(r.sound.log(),
             (QStringList{QStringLiteral("open /prog/soundstart.wav"), QStringLiteral("play")}));
    r.sound.clear();

    // CR only resets the counter but not the bar.
    r.counter.advance();
    r.counter.advance();
    r.commands.run(Command::CR);
    QCOMPARE(r.counter.cycle(), 0);
    QCOMPARE(r.counterCaptions.last(), QStringLiteral("0"));
    QCOMPARE(r.counter.barTwips(), 2 * LineCounter::kTwipsPerCharacter);

    // Close: the stop sound before the byte (muted: none), then the state; the
    // broadcast sequence learns of it through callClosed.
    r.state.connectionActive = true;
    r.state.pastePreview = false;
    r.commands.run(Command::CloseConnection);
    QVERIFY(r.sound.log().isEmpty());
    QCOMPARE(r.state.connectionActive, false);
    QCOMPARE(r.state.pastePreview, true);
    QCOMPARE(r.callsClosed, 1);
    r.state.soundMuted = false;
    r.commands.run(Command::CloseConnection);
    QCOMPARE(r.sound.log(),
             (QStringList{QStringLiteral("open /prog/soundstop.wav"), QStringLiteral("play")}));
}

void TestCommands::call() {
    Rig r;
    r.state.soundMuted = false;
    r.box.setText(QStringLiteral("X"));
    r.commands.Call();
    QCOMPARE(r.link.written(), QByteArray("\x01"));
    QCOMPARE(r.box.text(), QStringLiteral("XDial Vornal Number please\r\n"));
    QCOMPARE(r.status, QStringList{QStringLiteral("Dial Vornal Number please")});
    QCOMPARE(r.state.connectionActive, true);
    QCOMPARE(r.sound.log().first(), QStringLiteral("open /prog/soundstart.wav"));
    QCOMPARE(r.headlineHidden, 1);
}

void TestCommands::clearText() {
    Rig r;
    r.link.setPortOpen(false);
    r.box.setText(QStringLiteral("some text"));
    r.counter.setCycle(12);
    r.commands.clearText();
    QVERIFY(r.box.text().isEmpty());
    QCOMPARE(r.status, QStringList{QStringLiteral("Text Cancelled")});
    QCOMPARE(r.counter.cycle(), 0);
    QCOMPARE(r.counter.barTwips(), 0);
    QCOMPARE(r.counterColour, LineCounter::kGreen);
    QVERIFY(r.link.writes().isEmpty());
}

void TestCommands::callNumber_data() {
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("prefix");
    QTest::addColumn<bool>("open");
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<int>("active");
    QTest::newRow("80") << "80" << 0 << true << QByteArray("\x01 80") << 1;
    QTest::newRow("85 sends nothing") << "85" << 0 << true << QByteArray() << 0;
    QTest::newRow("86") << "86" << 0 << true << QByteArray("\x01 086") << 1;
    QTest::newRow("11151 prefix 0") << "11151" << 0 << true << QByteArray("\x01 011151") << 1;
    QTest::newRow("11151 prefix -5") << "11151" << -5 << true << QByteArray("\x01-511151") << 1;
    QTest::newRow("12345 prefix 0") << "12345" << 0 << true << QByteArray("\x01 012345") << 1;
    QTest::newRow("0123 goes out unchanged") << "0123" << 0 << true << QByteArray("\x01 00123") << 1;
    QTest::newRow("07 loses its zero") << "07" << 0 << true << QByteArray("\x01 7") << 1;
    QTest::newRow("085 is 85") << "085" << 0 << true << QByteArray() << 0;
    QTest::newRow("closed port") << "12345" << 0 << false << QByteArray() << 0;
    QTest::newRow("empty") << "" << 0 << true << QByteArray() << 0;
    QTest::newRow("not a number") << "12a45" << 0 << true << QByteArray() << 0;
}

void TestCommands::callNumber() {
    QFETCH(QString, number);
    QFETCH(int, prefix);
    QFETCH(bool, open);
    Rig r;
    r.state.config.DialPrefix = qint16(prefix);
    r.link.setPortOpen(open);
    r.commands.CallNumber(number, QStringLiteral("MAYER"));
    QTEST(r.link.written(), "sent");
    QTEST(int(r.state.connectionActive), "active");
    if (r.state.connectionActive) {
        QCOMPARE(r.box.text(), QStringLiteral("MAYER\r\n"));
        QCOMPARE(r.status, QStringList{QStringLiteral("Dialing ") + number + QStringLiteral(" MAYER")});
    } else if (number.isEmpty() || number == QStringLiteral("12a45")) {
        QCOMPARE(r.status.size(), 1); // says why nothing was dialled
    } else {
        QVERIFY(r.status.isEmpty());
        QVERIFY(r.box.text().isEmpty());
    }
}

void TestCommands::keyboardCounter() {
    Rig r;
    for (int i = 1; i <= 54; ++i)
        QVERIFY(r.commands.keyPressed('a'));
    QCOMPARE(r.counterCaptions.last(), QStringLiteral("54"));
    QCOMPARE(r.counterColour, LineCounter::kGreen);
    r.commands.keyPressed('a');
    QCOMPARE(r.counterColour, LineCounter::kYellow);
    QCOMPARE(r.counter.barColour(), LineCounter::kYellow);
    for (int i = 56; i <= 63; ++i)
        r.commands.keyPressed('a');
    QCOMPARE(r.beeps, 0);
    r.commands.keyPressed('a');
    QCOMPARE(r.beeps, 1);
    QCOMPARE(r.counterColour, LineCounter::kRed);
    QCOMPARE(r.counterCaptions.last(), QStringLiteral("64"));
    QCOMPARE(r.counter.barTwips(), 64 * 170);
}

void TestCommands::keyboardLineEnd() {
    Rig r;
    for (int i = 1; i <= 68; ++i)
        r.commands.keyPressed('x');
    QCOMPARE(r.link.written(), QByteArray(68, 'x'));
    r.commands.keyPressed('y');
    QCOMPARE(r.link.written(), QByteArray(68, 'x') + "y\r");
    QCOMPARE(r.counterCaptions.last(), QStringLiteral("0"));
    QCOMPARE(r.counterColour, LineCounter::kGreen);
    QCOMPARE(r.counter.barTwips(), 0);
    QCOMPARE(r.counter.cycle(), 0);
    // The typed characters are never put into the display by the terminal itself.
    QVERIFY(r.box.text().isEmpty());
}

void TestCommands::keyboardClosedPort() {
    Rig r;
    r.link.setPortOpen(false);
    QVERIFY(!r.commands.keyPressed('a'));
    QVERIFY(r.link.writes().isEmpty());
    QCOMPARE(r.counter.cycle(), 0);
    QVERIFY(r.counterCaptions.isEmpty());
}

void TestCommands::carriageReturnKeyResets() {
    Rig r;
    for (int i = 0; i < 60; ++i)
        r.commands.keyPressed('a');
    r.commands.keyPressed(13);
    QCOMPARE(r.link.written().right(1), QByteArray("\r"));
    QCOMPARE(r.counter.cycle(), 0);
    QCOMPARE(r.counter.barTwips(), 0);
    QCOMPARE(r.counterColour, LineCounter::kGreen);
    // A high character goes out as its Windows-1252 byte.
    r.commands.keyPressed(0xE4);
    QCOMPARE(r.link.written().right(1), QByteArray("\xe4"));
}

QTEST_GUILESS_MAIN(TestCommands)
#include "tst_commands.moc"
