#include "core/programstate.h"
#include "fakeseriallink.h"
#include "scripteddialogs.h"
#include "transmit/textsender.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace vornal;

namespace {

// A sender on the fake link in a temporary program folder, with what it reports.
struct Rig {
    QTemporaryDir dir;
    FakeSerialLink link;
    ProgramState state;
    ScriptedDialogs dialogs;
    TextSender sender{link, state, dialogs, ProgramFolder(dir.path())};
    QStringList status;
    QStringList shown;
    int hidden = 0;
    int beeps = 0;
    QList<bool> commandsEnabled;
    int textFileEnabled = 0;
    int idle = 0;
    Rig() {
        link.setPortOpen(true);
        state.ConnectionActive = 1;
        sender.setKlklPause(0);
        QObject::connect(&sender, &TextSender::status, [this](const QString& s) { status.append(s); });
        QObject::connect(&sender, &TextSender::transmissionShown,
                         [this](const QString& s) { shown.append(s); });
        QObject::connect(&sender, &TextSender::transmissionHidden, [this] { ++hidden; });
        QObject::connect(&sender, &TextSender::beep, [this] { ++beeps; });
        QObject::connect(&sender, &TextSender::sendCommandsEnabled,
                         [this](bool on) { commandsEnabled.append(on); });
        QObject::connect(&sender, &TextSender::sendTextFileEnabled, [this] { ++textFileEnabled; });
        QObject::connect(&sender, &TextSender::sendIndicatorIdle, [this] { ++idle; });
    }
    QString file(const QString& name, const QByteArray& content) {
        const QString path = dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(content);
        return path;
    }
    QByteArray read(const QString& name) const {
        QFile f(dir.filePath(name));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
};

} // namespace

class TestTextSender : public QObject {
    Q_OBJECT
private slots:
    void sendTxt_data();
    void sendTxt();
    void sendTxtStopsAtFailedWrite();
    void fileWireImage_data();
    void fileWireImage();
    void fileNeedsConnection();
    void missingFileSendsNothing();
    void dialogLoop();
    void closedPortReportsOnce();
    void cancelMidFile();
    void longFile();
    void sendCommands();
    void klkl_data();
    void klkl();
    void klklMissingFileStillEnds();
    void cancelMidKlkl();
    void klklPauses();
};

void TestTextSender::sendTxt_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("wire");
    QTest::newRow("empty") << "" << QByteArray("\r");
    QTest::newRow("CR LF lines send only the LF") << "AB\r\nC\r\n" << QByteArray("\rAB\nC\n");
    QTest::newRow("short table") << QString::fromUtf8("Ä1") << QByteArray("\rae1");
}

void TestTextSender::sendTxt() {
    QFETCH(QString, text);
    Rig r;
    QVERIFY(r.sender.SendTxt(text));
    QTEST(r.link.written(), "wire");
    QCOMPARE(r.status, QStringList{QStringLiteral("Transmitting Text")});
    QCOMPARE(r.idle, 1);
    QVERIFY(r.shown.isEmpty());
}

void TestTextSender::sendTxtStopsAtFailedWrite() {
    Rig r;
    r.link.setPortOpen(false);
    QVERIFY(!r.sender.SendTxt(QStringLiteral("HELLO")));
    QCOMPARE(r.status.size(), 2);
    QVERIFY(r.status.last().startsWith(QStringLiteral("Text not sent: ")));
    QVERIFY(r.dialogs.messages.isEmpty());
}

void TestTextSender::fileWireImage_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("copy");
    QTest::addColumn<QByteArray>("wire");
    QTest::newRow("empty file") << QByteArray() << QByteArray("\r\n\r\n") << QByteArray("\r\r\r");
    QTest::newRow("one line") << QByteArray("HALLO") << QByteArray("HALLO\r\n\r\n")
                              << QByteArray("\rHALLO\r\r");
    // The wrapper keeps the text's own last line end and adds its closing one.
    QTest::newRow("CR LF lines") << QByteArray("AB\r\nCD\r\n") << QByteArray("AB\r\nCD\r\n\r\n\r\n")
                                 << QByteArray("\rAB\rCD\r\r\r");
    QTest::newRow("special characters")
        << QByteArray("\xe4@") << QByteArray("ae(at)\r\n\r\n") << QByteArray("\rae(at)\r\r");
}

void TestTextSender::fileWireImage() {
    QFETCH(QByteArray, content);
    Rig r;
    const QString path = r.file(QStringLiteral("in.txt"), content);
    r.sender.SendTextFile(path, 0);
    QTEST(r.read(QStringLiteral("SendFile.txt")), "copy");
    QTEST(r.link.written(), "wire");
    QCOMPARE(r.shown, QStringList{QStringLiteral("Transmitting  TextFile: ") + path});
    QCOMPARE(r.status.last(), QStringLiteral("Transmitting TextFile: ") + path);
    QCOMPARE(r.hidden, 1);
    QCOMPARE(r.textFileEnabled, 1);
    QCOMPARE(r.commandsEnabled, QList<bool>{false});
    QCOMPARE(r.state.CancelSend, 1);
    QVERIFY(r.dialogs.messages.isEmpty());
}

void TestTextSender::fileNeedsConnection() {
    Rig r;
    r.state.ConnectionActive = 0;
    r.sender.SendTextFile(r.file(QStringLiteral("in.txt"), "X"), 0);
    QCOMPARE(r.beeps, 1);
    QCOMPARE(r.dialogs.texts(), QStringList{QStringLiteral(" No existing connection active ......")});
    QVERIFY(r.link.writes().isEmpty());
    QVERIFY(r.commandsEnabled.isEmpty());
}

void TestTextSender::missingFileSendsNothing() {
    Rig r;
    r.sender.SendTextFile(r.dir.filePath(QStringLiteral("nothere.txt")), 0);
    QCOMPARE(r.dialogs.messages.size(), 1);
    QCOMPARE(r.dialogs.messages.first().icon, DialogIcon::Warning);
    QVERIFY(r.link.writes().isEmpty());
    QCOMPARE(r.hidden, 1);
    QCOMPARE(r.textFileEnabled, 1);
    QVERIFY(!QFile::exists(r.dir.filePath(QStringLiteral("SendFile.txt"))));
}

void TestTextSender::dialogLoop() {
    Rig r;
    const QString gone = r.dir.filePath(QStringLiteral("gone.txt"));
    r.dialogs.files.enqueue(gone);
    r.dialogs.files.enqueue(QString()); // then the operator cancels
    r.sender.SendTextFile(QString(), 5);
    QCOMPARE(r.dialogs.texts(), QStringList{gone + QStringLiteral(" not found!")});
    QCOMPARE(r.dialogs.fileRequests.size(), 2);
    QCOMPARE(r.dialogs.fileRequests.first().title, QStringLiteral("Send Text File"));
    QCOMPARE(r.commandsEnabled, (QList<bool>{false, true}));
    QVERIFY(r.link.writes().isEmpty());

    Rig s;
    s.dialogs.files.enqueue(s.file(QStringLiteral("chosen.txt"), "OK"));
    s.sender.SendTextFile(QString(), 5);
    QCOMPARE(s.link.written(), QByteArray("\rOK\r\r"));
}

void TestTextSender::closedPortReportsOnce() {
    Rig r;
    r.link.setPortOpen(false);
    r.sender.SendTextFile(r.file(QStringLiteral("in.txt"), "HELLO"), 0);
    QCOMPARE(r.dialogs.messages.size(), 1);
    QCOMPARE(r.hidden, 1);
    QCOMPARE(r.state.CancelSend, 1);
}

void TestTextSender::cancelMidFile() {
    Rig r;
    r.state.config.CharDelay = 0.01;
    const QByteArray text(300, 'A');
    const QString path = r.file(QStringLiteral("in.txt"), text);
    QTimer::singleShot(100, [&r] { r.state.CancelSend = 1; });
    r.sender.SendTextFile(path, 0);
    const QByteArray sent = r.link.written();
    QVERIFY2(sent.size() > 3 && sent.size() < 100, QByteArray::number(sent.size()));
    QVERIFY(sent.startsWith("\rAAA"));
    QCOMPARE(r.hidden, 1);
    QCOMPARE(r.textFileEnabled, 1);
}

void TestTextSender::longFile() {
    // Far beyond a 16-bit character count.
    Rig r;
    QByteArray text;
    while (text.size() < 1000000)
        text += "THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG 0123456789 ";
    r.state.Cycle = 2;
    r.sender.SendTextFile(r.file(QStringLiteral("big.txt"), text), 0);
    QVERIFY(r.dialogs.messages.isEmpty());
    const QByteArray wire = r.link.written();
    QVERIFY(wire.size() > 1000000);
    QCOMPARE(wire.count('\n'), 0);
    QVERIFY(wire.endsWith("\r\r"));
}

void TestTextSender::sendCommands() {
    Rig r;
    r.file(QStringLiteral("Message.txt"), "MSG");
    r.dialogs.answers.enqueue(DialogAnswer::No);
    r.sender.runSendCommand(TextSender::SendCommand::Message);
    QVERIFY(r.link.writes().isEmpty());
    QCOMPARE(r.dialogs.messages.first().text, QStringLiteral(" You are about to send the Message File "));
    QCOMPARE(r.dialogs.messages.first().buttons, DialogButtons::YesNo);

    r.dialogs.answers.enqueue(DialogAnswer::Yes);
    r.sender.runSendCommand(TextSender::SendCommand::Message);
    QCOMPARE(r.link.written(), QByteArray("\rMSG\r\r"));
    QCOMPARE(r.state.FileMode, 5);
    QCOMPARE(r.state.CurrentFilePath, r.dir.filePath(QStringLiteral("Message.txt")));
    QCOMPARE(r.status.first(), QStringLiteral("Send Message"));
    QCOMPARE(r.commandsEnabled.last(), true);
    QCOMPARE(r.beeps, 2);

    bool headlineSaved = false;
    r.sender.onExitHeadlineEditor = [&] { headlineSaved = true; };
    r.dialogs.answers.enqueue(DialogAnswer::Yes);
    r.sender.runSendCommand(TextSender::SendCommand::Headlines);
    QVERIFY(headlineSaved);
}

void TestTextSender::klkl_data() {
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QByteArray>("wire");
    QTest::newRow("empty") << QByteArray() << QByteArray("\r\r\r\r\r\r\r\r");
    QTest::newRow("two lines") << QByteArray("AB\r\nC") << QByteArray("\r\r\r\rAB\n\nC\n\n\r\r\r\r");
    QTest::newRow("column passes 69")
        << (QByteArray("X\r\n") + QByteArray(68, 'a') + " more")
        << (QByteArray("\r\r\r\rX\n\n") + QByteArray(68, 'a') + "\r \nmore\n\n\r\r\r\r");
}

void TestTextSender::klkl() {
    QFETCH(QByteArray, answer);
    Rig r;
    r.file(QStringLiteral("klkl.txt"), answer);
    r.sender.SendKlkl();
    QTEST(r.link.written(), "wire");
    QCOMPARE(r.status.last(), QStringLiteral("Transmitting KLKL File"));
    QCOMPARE(r.shown, QStringList{QStringLiteral("Transmitting KLKL - ")});
    QCOMPARE(r.hidden, 1);
    QVERIFY(r.dialogs.messages.isEmpty());
}

void TestTextSender::klklMissingFileStillEnds() {
    Rig r;
    r.sender.SendKlkl();
    QCOMPARE(r.dialogs.messages.size(), 1);
    QCOMPARE(r.link.written(), QByteArray("\r\r\r\r"));
    QCOMPARE(r.hidden, 1);
}

void TestTextSender::cancelMidKlkl() {
    Rig r;
    r.state.config.CharDelay = 0.01;
    r.file(QStringLiteral("klkl.txt"), QByteArray(200, 'K'));
    QTimer::singleShot(100, [&r] { r.state.CancelSend = 1; });
    r.sender.SendKlkl();
    const QByteArray sent = r.link.written();
    QVERIFY(sent.startsWith("\r\r\r\rKK"));
    QVERIFY(sent.endsWith("K\r\r\r\r"));
    QVERIFY(sent.count('K') < 100);
}

void TestTextSender::klklPauses() {
    Rig r;
    r.sender.setKlklPause(TextSender::kKlklPause);
    r.file(QStringLiteral("klkl.txt"), "A");
    r.sender.SendKlkl();
    const QList<FakeSerialLink::Write> writes = r.link.writes();
    QCOMPARE(writes.at(0).bytes, QByteArray("\r\r"));
    QCOMPARE(writes.at(1).bytes, QByteArray("\r\r"));
    QVERIFY(writes.at(1).nanoseconds - writes.at(0).nanoseconds >= 3000000000LL);
}

QTEST_GUILESS_MAIN(TestTextSender)
#include "tst_textsender.moc"
