#include "files/programfiles.h"
#include "scopedwritefault.h"
#include "testfiles.h"
#include "textsender.h"
#include "transmitrig.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

using namespace vornal;

namespace {

// A sender on the fake link in a temporary program folder, with what it reports.
struct Rig : TransmitRig {
    FaultingFileWriter files;
    TextSender sender{transmission, state, counter, dialogs, ProgramFolder(dir.path(), &files)};
    QStringList status;
    int beeps = 0;
    QList<bool> commandsEnabled;
    int textFileEnabled = 0;
    Rig() {
        sender.setKlklPause(0);
        QObject::connect(&sender, &TextSender::status, [this](const QString& s) { status.append(s); });
        QObject::connect(&sender, &TextSender::beep, [this] { ++beeps; });
        QObject::connect(&transmission, &Transmission::runningChanged, [this](bool running) {
            commandsEnabled.append(!running);
            textFileEnabled += running ? 0 : 1;
        });
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
    void scratchFileOnAFullDiskSendsNothing_data();
    void scratchFileOnAFullDiskSendsNothing();
    void dialogLoop();
    void closedPortReportsOnce();
    void cancelMidFile();
    void boxLostMidFileIsNotReportedTwice();
    void noSendCommandInsideATransmission();
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
    // A file written here ends its lines with a lone LF; it goes out as CR LF would.
    QTest::newRow("lone LF lines") << QByteArray("AB\nCD\n") << QByteArray("AB\r\nCD\r\n\r\n\r\n")
                                   << QByteArray("\rAB\rCD\r\r\r");
    QTest::newRow("mixed line ends") << QByteArray("AB\r\nCD\nE") << QByteArray("AB\r\nCD\r\nE\r\n\r\n")
                                     << QByteArray("\rAB\rCD\rE\r\r");
    QTest::newRow("special characters")
        << QByteArray("\xe4@") << QByteArray("ae(at)\r\n\r\n") << QByteArray("\rae(at)\r\r");
}

void TestTextSender::fileWireImage() {
    QFETCH(QByteArray, content);
    Rig r;
    const QString path = r.file(QStringLiteral("in.txt"), content);
    r.sender.SendTextFile(path);
    QTEST(r.read(programFile(ProgramFiles::kSendFile)), "copy");
    QTEST(r.link.written(), "wire");
    QCOMPARE(r.shown, QStringList{QStringLiteral("Transmitting  TextFile: ") + path});
    QCOMPARE(r.status.last(), QStringLiteral("Transmitting TextFile: ") + path);
    QCOMPARE(r.finished, 1);
    QCOMPARE(r.textFileEnabled, 1);
    // The send commands are off for the whole transmission and on again at its end.
    QCOMPARE(r.commandsEnabled, (QList<bool>{false, true}));
    QVERIFY(r.transmission.cancelRequested());
    QVERIFY(r.dialogs.messages.isEmpty());
}

void TestTextSender::fileNeedsConnection() {
    Rig r;
    r.state.connectionActive = false;
    r.sender.SendTextFile(r.file(QStringLiteral("in.txt"), "X"));
    QCOMPARE(r.beeps, 1);
    QCOMPARE(r.dialogs.texts(), QStringList{QStringLiteral(" No existing connection active ......")});
    QVERIFY(r.link.writes().isEmpty());
    QVERIFY(r.commandsEnabled.isEmpty());
}

void TestTextSender::missingFileSendsNothing() {
    Rig r;
    r.sender.SendTextFile(r.dir.filePath(QStringLiteral("nothere.txt")));
    QCOMPARE(r.dialogs.messages.size(), 1);
    QCOMPARE(r.dialogs.messages.first().icon, DialogIcon::Warning);
    QVERIFY(r.link.writes().isEmpty());
    QCOMPARE(r.finished, 1);
    QCOMPARE(r.textFileEnabled, 1);
    QVERIFY(!QFile::exists(r.dir.filePath(programFile(ProgramFiles::kSendFile))));
}

void TestTextSender::scratchFileOnAFullDiskSendsNothing_data() {
    QTest::addColumn<bool>("klkl");
    QTest::addColumn<QString>("scratch");
    QTest::newRow("text file") << false << programFile(ProgramFiles::kSendFile);
    QTest::newRow("automatic answer") << true << programFile(ProgramFiles::kKlklScratch);
}

void TestTextSender::scratchFileOnAFullDiskSendsNothing() {
    QFETCH(bool, klkl);
    QFETCH(QString, scratch);
    Rig r;
    const QString in =
        r.file(klkl ? programFile(ProgramFiles::kKlklAnswer) : QStringLiteral("in.txt"), "HELLO WORLD\r\n");
    const QByteArray before = r.read(programFile(ProgramFiles::kSendFile));
    {
        const ScopedWriteFault fault(r.files, {WriteFault::Step::Write, ENOSPC, 5, scratch});
        if (klkl)
            r.sender.SendKlkl();
        else
            r.sender.SendTextFile(in);
    }
    QCOMPARE(r.dialogs.texts(), QStringList{r.dir.filePath(scratch) + QStringLiteral(": ") +
                                            QString::fromLocal8Bit(std::strerror(ENOSPC))});
    QCOMPARE(r.read(programFile(ProgramFiles::kSendFile)), before);
    // Only the answer's closing line ends go out; none of the text.
    QVERIFY(!r.link.written().contains("HELLO"));
    QCOMPARE(r.textFileEnabled, 1);
}

void TestTextSender::dialogLoop() {
    Rig r;
    const QString gone = r.dir.filePath(QStringLiteral("gone.txt"));
    r.dialogs.files.enqueue(gone);
    r.dialogs.files.enqueue(QString()); // then the operator cancels
    r.sender.SendTextFile(QString(), TextSender::FileSource::AskWhenEmpty);
    QCOMPARE(r.dialogs.texts(), QStringList{gone + QStringLiteral(" not found!")});
    QCOMPARE(r.dialogs.fileRequests.size(), 2);
    QCOMPARE(r.dialogs.fileRequests.first().title, QStringLiteral("Send Text File"));
    QCOMPARE(r.commandsEnabled, (QList<bool>{false, true}));
    QVERIFY(r.link.writes().isEmpty());

    Rig s;
    s.dialogs.files.enqueue(s.file(QStringLiteral("chosen.txt"), "OK"));
    s.sender.SendTextFile(QString(), TextSender::FileSource::AskWhenEmpty);
    QCOMPARE(s.link.written(), QByteArray("\rOK\r\r"));
}

void TestTextSender::closedPortReportsOnce() {
    Rig r;
    r.link.setPortOpen(false);
    r.sender.SendTextFile(r.file(QStringLiteral("in.txt"), "HELLO"));
    QCOMPARE(r.dialogs.messages.size(), 1);
    QCOMPARE(r.finished, 1);
    QVERIFY(r.transmission.cancelRequested());
}

void TestTextSender::cancelMidFile() {
    Rig r;
    r.state.config.CharDelay = 0.01;
    const QByteArray text(300, 'A');
    const QString path = r.file(QStringLiteral("in.txt"), text);
    QTimer::singleShot(100, [&r] { r.transmission.cancel(); });
    r.sender.SendTextFile(path);
    const QByteArray sent = r.link.written();
    QVERIFY2(sent.size() > 3 && sent.size() < 100, QByteArray::number(sent.size()).constData());
    QVERIFY(sent.startsWith("\rAAA"));
    QCOMPARE(r.finished, 1);
    QCOMPARE(r.textFileEnabled, 1);
}

void TestTextSender::boxLostMidFileIsNotReportedTwice() {
    Rig r;
    r.state.config.CharDelay = 0.01;
    const QString path = r.file(QStringLiteral("in.txt"), QByteArray(300, 'A'));
    // The link has told the operator already when it reports the loss.
    QTimer::singleShot(100, [&r] { r.link.loseDevice(QStringLiteral("gone")); });
    r.sender.SendTextFile(path);
    QVERIFY(r.dialogs.messages.isEmpty());
    QCOMPARE(r.status.last(), QStringLiteral("Transmission stopped: the interface box was lost"));
    QCOMPARE(r.finished, 1);
}

void TestTextSender::noSendCommandInsideATransmission() {
    Rig r;
    r.state.config.CharDelay = 0.01;
    const QString path = r.file(QStringLiteral("in.txt"), QByteArray(30, 'A'));
    r.file(programFile(ProgramFiles::kMessage), "MSG");
    bool klklDone = false;
    QTimer::singleShot(100, [&] {
        r.sender.runSendCommand(TextSender::SendCommand::Message);
        r.sender.SendKlkl();
        klklDone = !r.sender.SendTxt(QStringLiteral("X"));
    });
    r.sender.SendTextFile(path);
    QVERIFY(klklDone);
    QVERIFY(r.dialogs.messages.isEmpty()); // no prompt either
    QCOMPARE(r.link.written(), QByteArray("\r") + QByteArray(30, 'A') + "\r\r");
    QCOMPARE(r.finished, 1);
}

void TestTextSender::longFile() {
    // Far beyond a 16-bit character count.
    Rig r;
    QByteArray text;
    while (text.size() < 1000000)
        text += "THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG 0123456789 ";
    r.counter.setCycle(2);
    r.sender.SendTextFile(r.file(QStringLiteral("big.txt"), text));
    QVERIFY(r.dialogs.messages.isEmpty());
    const QByteArray wire = r.link.written();
    QVERIFY(wire.size() > 1000000);
    QCOMPARE(wire.count('\n'), 0);
    QVERIFY(wire.endsWith("\r\r"));
}

void TestTextSender::sendCommands() {
    Rig r;
    r.file(programFile(ProgramFiles::kMessage), "MSG");
    r.dialogs.answers.enqueue(DialogAnswer::No);
    r.sender.runSendCommand(TextSender::SendCommand::Message);
    QVERIFY(r.link.writes().isEmpty());
    QCOMPARE(r.dialogs.messages.first().text, QStringLiteral(" You are about to send the Message File "));
    QCOMPARE(r.dialogs.messages.first().buttons, DialogButtons::YesNo);

    r.dialogs.answers.enqueue(DialogAnswer::Yes);
    r.sender.runSendCommand(TextSender::SendCommand::Message);
    QCOMPARE(r.link.written(), QByteArray("\rMSG\r\r"));
    QCOMPARE(r.sender.sendFileName(), r.dir.filePath(programFile(ProgramFiles::kMessage)));
    QCOMPARE(r.status.first(), QStringLiteral("Send Message"));
    QCOMPARE(r.commandsEnabled.last(), true);
    QCOMPARE(r.beeps, 2);

    bool headlineSaved = false;
    QObject::connect(&r.sender, &TextSender::headlineExitRequested, [&] { headlineSaved = true; });
    r.dialogs.answers.enqueue(DialogAnswer::Yes);
    r.sender.runSendCommand(TextSender::SendCommand::Headlines);
    QVERIFY(headlineSaved);
}

void TestTextSender::klkl_data() {
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QByteArray>("wire");
    QTest::newRow("empty") << QByteArray() << QByteArray("\r\r\r\r\r\r\r\r");
    QTest::newRow("two lines") << QByteArray("AB\r\nC") << QByteArray("\r\r\r\rAB\n\nC\n\n\r\r\r\r");
    QTest::newRow("lone LF lines") << QByteArray("AB\nC\n") << QByteArray("\r\r\r\rAB\n\nC\n\n\r\r\r\r");
    QTest::newRow("column passes 69")
        << (QByteArray("X\r\n") + QByteArray(68, 'a') + " more")
        << (QByteArray("\r\r\r\rX\n\n") + QByteArray(68, 'a') + "\r \nmore\n\n\r\r\r\r");
}

void TestTextSender::klkl() {
    QFETCH(QByteArray, answer);
    Rig r;
    r.file(programFile(ProgramFiles::kKlklAnswer), answer);
    r.sender.SendKlkl();
    QTEST(r.link.written(), "wire");
    QCOMPARE(r.status.last(), QStringLiteral("Transmitting KLKL File"));
    QCOMPARE(r.shown, QStringList{QStringLiteral("Transmitting KLKL - ")});
    QCOMPARE(r.finished, 1);
    QVERIFY(r.dialogs.messages.isEmpty());
}

void TestTextSender::klklMissingFileStillEnds() {
    Rig r;
    r.sender.SendKlkl();
    QCOMPARE(r.dialogs.messages.size(), 1);
    QCOMPARE(r.link.written(), QByteArray("\r\r\r\r"));
    QCOMPARE(r.finished, 1);
}

void TestTextSender::cancelMidKlkl() {
    Rig r;
    r.state.config.CharDelay = 0.01;
    r.file(programFile(ProgramFiles::kKlklAnswer), QByteArray(200, 'K'));
    QTimer::singleShot(100, [&r] { r.transmission.cancel(); });
    r.sender.SendKlkl();
    const QByteArray sent = r.link.written();
    QVERIFY(sent.startsWith("\r\r\r\rKK"));
    QVERIFY(sent.endsWith("K\r\r\r\r"));
    QVERIFY(sent.count('K') < 100);
}

void TestTextSender::klklPauses() {
    Rig r;
    r.sender.setKlklPause(TextSender::kKlklPause);
    r.file(programFile(ProgramFiles::kKlklAnswer), "A");
    r.sender.SendKlkl();
    const QList<FakeSerialLink::Write> writes = r.link.writes();
    QCOMPARE(writes.at(0).bytes, QByteArray("\r\r"));
    QCOMPARE(writes.at(1).bytes, QByteArray("\r\r"));
    QVERIFY(writes.at(1).nanoseconds - writes.at(0).nanoseconds >= 3000000000LL);
}

QTEST_GUILESS_MAIN(TestTextSender)
#include "tst_textsender.moc"
