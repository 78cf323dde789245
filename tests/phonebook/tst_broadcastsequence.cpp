#include "broadcastsequence.h"
#include "display/interfacecommands.h"
#include "display/terminalbuffer.h"
#include "display/terminaldisplay.h"
#include "files/programfiles.h"
#include "programstate.h"
#include "recordingsoundplayer.h"
#include "testfiles.h"
#include "textsender.h"
#include "transmitrig.h"

#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace vornal;
using Phase = BroadcastSequence::Phase;

Q_DECLARE_METATYPE(BroadcastSequence::Phase)

namespace {

const QByteArray kList = "12345,\r\n67890,\r\n67890+\r\n";
// The line feed, then each line as a short text: a CR before it.
const QByteArray kWire = "\r\n\r12345,\r67890,\r67890+";
const QByteArray kDial = "\x01 011151";

QString text(const char* s) {
    return QString::fromLatin1(s);
}

struct Rig : TransmitRig {
    TerminalBuffer box;
    TerminalDisplay display{box, state};
    RecordingSoundPlayer sound;
    InterfaceCommands commands{link, state, display, box, counter, sound, folder()};
    BroadcastSequence sequence{state, transmission, link, dialogs, commands, folder()};
    bool buttonsEnabled = true;
    int beeps = 0;
    int linePauses = 0;

    Rig() : TransmitRig(false) {
        QObject::connect(&display, &TerminalDisplay::receiverListPrompted, &sequence,
                         &BroadcastSequence::promptHeard);
        QObject::connect(&commands, &InterfaceCommands::callClosed, &sequence,
                         &BroadcastSequence::connectionClosed);
        QObject::connect(&sequence, &BroadcastSequence::serviceButtonsEnabled,
                         [this](bool on) { buttonsEnabled = on; });
        QObject::connect(&sequence, &BroadcastSequence::beep, [this] { ++beeps; });
        state.config.CharDelay = 0.001;
        state.config.BroadcastNumber1 = 11151;
        state.config.BroadcastNumber2 = 11162;
        link.setPortOpen(true);
        file(programFile(ProgramFiles::kBroadcastReceivers), kList);
    }
    void receive(const QString& text) {
        QString t = text;
        display.DisplayReceived(t);
        // The prompt is answered from the event loop, after the receive handler.
        QCoreApplication::processEvents();
    }
    // Runs a step in the middle of the transmission: in the pause after the first line.
    void duringTransmission(std::function<void()> step) {
        auto fired = std::make_shared<bool>(false);
        QObject::connect(&transmission, &Transmission::shown, &sequence, [step, fired] {
            if (!std::exchange(*fired, true))
                QTimer::singleShot(100, step);
        });
    }
    void run(const QString& step) {
        if (step == QLatin1String("start yes") || step == QLatin1String("start no")) {
            dialogs.answers.enqueue(step.endsWith(QLatin1String("yes")) ? DialogAnswer::Yes
                                                                        : DialogAnswer::No);
            sequence.StartBroadcast(1);
        } else if (step.startsWith(QLatin1String("receive "))) {
            receive(step.mid(8));
        } else if (step == QLatin1String("close")) {
            commands.run(InterfaceCommands::Command::CloseConnection);
        } else if (step == QLatin1String("tx")) {
            sequence.sendNumbers();
        } else if (step == QLatin1String("connected")) {
            state.connectionActive = true;
        } else if (step == QLatin1String("port off")) {
            link.setPortOpen(false);
        } else if (step == QLatin1String("no list")) {
            QFile::remove(dir.filePath(programFile(ProgramFiles::kBroadcastReceivers)));
        } else if (step.startsWith(QLatin1String("during "))) {
            const QString inner = step.mid(7);
            duringTransmission([this, inner] { run(inner); });
        } else if (step.startsWith(QLatin1String("confirming "))) {
            const QString inner = step.mid(11);
            dialogs.whileOpen = [this, inner] {
                if (sequence.phase() == Phase::Confirming)
                    run(inner);
            };
        } else {
            QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
        }
    }
};

} // namespace

class TestBroadcastSequence : public QObject {
    Q_OBJECT
private slots:
    void stateTable_data();
    void stateTable();
    void questionAndDial();
    void linesArePaused();
    void busyTransmissionEndsTheSequence();
    void klklDuringABroadcast_data();
    void klklDuringABroadcast();
};

void TestBroadcastSequence::stateTable_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<Phase>("phase");
    QTest::addColumn<bool>("buttonsEnabled");
    QTest::addColumn<QByteArray>("wire");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("beeps");

    const QString question = text(BroadcastSequence::kQuestion);
    const QString sent = text(BroadcastSequence::kTransmitted);
    const QString portClosed = text(BroadcastSequence::kPortClosed);
    const auto steps = [](std::initializer_list<const char*> s) {
        QStringList list;
        for (const char* step : s)
            list.append(QString::fromLatin1(step));
        return list;
    };

    QTest::newRow("No: nothing dialled")
        << steps({"start no"}) << Phase::Idle << true << QByteArray() << QStringList{question} << 0;
    QTest::newRow("Yes: dialled and armed")
        << steps({"start yes"}) << Phase::Armed << false << kDial << QStringList{question} << 0;
    QTest::newRow("port closed: beep, no question") << steps({"port off", "start yes"}) << Phase::Idle << true
                                                    << QByteArray() << QStringList{portClosed} << 1;
    QTest::newRow("prompt: the list, then the message")
        << steps({"start yes", "receive \r\n +++):"}) << Phase::Idle << true << kDial + kWire
        << QStringList{question, sent} << 0;
    QTest::newRow("prompt in two pieces") << steps({"start yes", "receive  +++", "receive ):"}) << Phase::Idle
                                          << true << kDial + kWire << QStringList{question, sent} << 0;
    QTest::newRow("second prompt text") << steps({"start yes", "receive  text eingeben."}) << Phase::Idle
                                        << true << kDial + kWire << QStringList{question, sent} << 0;
    QTest::newRow("both prompts in one piece: one list")
        << steps({"start yes", "receive  +++): text eingeben."}) << Phase::Idle << true << kDial + kWire
        << QStringList{question, sent} << 0;
    QTest::newRow("prompt while nothing is armed")
        << steps({"receive  +++):"}) << Phase::Idle << true << QByteArray() << QStringList() << 0;
    QTest::newRow("prompt after the sequence ended")
        << steps({"start yes", "receive  +++):", "receive  text eingeben."}) << Phase::Idle << true
        << kDial + kWire << QStringList{question, sent} << 0;
    QTest::newRow("closing while armed") << steps({"start yes", "close", "receive  +++):"}) << Phase::Idle
                                         << true << kDial + "\x13" << QStringList{question} << 0;
    QTest::newRow("Tx RS Numbers without a call") << steps({"tx"}) << Phase::Idle << true << QByteArray()
                                                  << QStringList{text(BroadcastSequence::kNoConnection)} << 1;
    QTest::newRow("Tx RS Numbers on a call, not armed")
        << steps({"connected", "tx"}) << Phase::Idle << true << kWire << QStringList{sent} << 0;
    QTest::newRow("a prompt during the transmission does nothing")
        << steps({"start yes", "during receive  +++):", "receive  +++):"}) << Phase::Idle << true
        << kDial + kWire << QStringList{question, sent} << 0;
    QTest::newRow("Tx RS Numbers during the transmission does nothing")
        << steps({"start yes", "during tx", "receive  +++):"}) << Phase::Idle << true << kDial + kWire
        << QStringList{question, sent} << 0;
    QTest::newRow("a prompt while confirming does nothing")
        << steps({"start yes", "confirming receive  text eingeben.", "receive  +++):"}) << Phase::Idle << true
        << kDial + kWire << QStringList{question, sent} << 0;
    QTest::newRow("no receivers file: told, nothing sent")
        << steps({"no list", "start yes", "receive  +++):"}) << Phase::Idle << true << kDial
        << QStringList{question, QStringLiteral("<not sent>")} << 0;
    QTest::newRow("port fails during the list: told, not confirmed")
        << steps({"start yes", "during port off", "receive  +++):"}) << Phase::Idle << true
        << kDial + "\r\n\r12345,"
        << QStringList{question,
                       text(BroadcastSequence::kNotComplete) + QStringLiteral("The port is not open")}
        << 0;
    QTest::newRow("call closed during the list: the rest is not sent")
        << steps({"start yes", "during close", "receive  +++):"}) << Phase::Idle << true
        << kDial + "\r\n\r12345,\x13"
        << QStringList{question,
                       text(BroadcastSequence::kNotComplete) + QStringLiteral("the call was closed.")}
        << 0;
}

void TestBroadcastSequence::stateTable() {
    QFETCH(QStringList, steps);
    QFETCH(Phase, phase);
    QFETCH(QByteArray, wire);
    QFETCH(QStringList, messages);
    Rig r;
    for (const QString& step : steps)
        r.run(step);
    QCOMPARE(r.sequence.phase(), phase);
    QCOMPARE(r.state.broadcastActive, phase == Phase::Armed);
    QCOMPARE(r.state.broadcastListSent, false);
    QTEST(r.buttonsEnabled, "buttonsEnabled");
    QTEST(r.beeps, "beeps");
    const QStringList shown = r.dialogs.texts();
    QCOMPARE(shown.size(), messages.size());
    for (int i = 0; i < messages.size(); ++i) {
        if (messages.at(i) == QLatin1String("<not sent>"))
            QVERIFY2(shown.at(i).startsWith(text(BroadcastSequence::kNotSent)) &&
                         shown.at(i).contains(r.dir.filePath(programFile(ProgramFiles::kBroadcastReceivers))),
                     qPrintable(shown.at(i)));
        else
            QCOMPARE(shown.at(i), messages.at(i));
    }
    QCOMPARE(r.link.written(), wire);
}

void TestBroadcastSequence::questionAndDial() {
    Rig r;
    r.state.config.BroadcastNumber2 = 0.0;
    r.dialogs.answers.enqueue(DialogAnswer::Yes);
    r.state.config.BroadcastNumber2 = 11162;
    r.sequence.StartBroadcast(2);
    const MessageRequest& asked = r.dialogs.messages.first();
    QCOMPARE(asked.title, QStringLiteral("Vornal Rundsenden Service on 11162"));
    QCOMPARE(asked.buttons, DialogButtons::YesNo);
    QCOMPARE(asked.icon, DialogIcon::Critical);
    QCOMPARE(asked.defaultAnswer, std::optional<DialogAnswer>(DialogAnswer::No));
    QCOMPARE(r.link.written(), QByteArray("\x01 011162"));
    QVERIFY(r.box.text().contains(QStringLiteral("    Rundsenden\r\n")));
    QCOMPARE(r.state.connectionActive, true);
    QCOMPARE(r.sequence.serviceNumber(1), QStringLiteral("11151"));

    // The port closed while the question was open: told again, without a beep.
    Rig closed;
    closed.dialogs.whileOpen = [&closed] { closed.link.setPortOpen(false); };
    closed.dialogs.answers.enqueue(DialogAnswer::Yes);
    closed.sequence.StartBroadcast(1);
    QCOMPARE(closed.dialogs.texts().last(), text(BroadcastSequence::kPortClosed));
    QCOMPARE(closed.beeps, 0);
    QCOMPARE(closed.sequence.phase(), Phase::Idle);
}

// Each line is a short text paced character by character, followed by the pause.
void TestBroadcastSequence::linesArePaused() {
    Rig r;
    r.state.config.CharDelay = 0.01;
    r.state.connectionActive = true;
    r.sequence.sendNumbers();
    const QList<FakeSerialLink::Write> writes = r.link.writes();
    QByteArray wire;
    for (const FakeSerialLink::Write& w : writes)
        wire += w.bytes;
    QCOMPARE(wire, kWire);
    int lineStarts = 0;
    for (int i = 1; i < writes.size(); ++i) {
        const double gap = double(writes.at(i).nanoseconds - writes.at(i - 1).nanoseconds) / 1e9;
        if (writes.at(i).bytes == "\r") {
            // After the line feed: one character pause; after a line: that and 0.18 s.
            const double least = i == 2 ? 0.01 : 0.01 + BroadcastSequence::kLinePause;
            QVERIFY2(gap >= least - 0.0015, qPrintable(QStringLiteral("line %1 after %2 s").arg(i).arg(gap)));
            ++lineStarts;
        } else if (writes.at(i - 1).bytes != "\r") {
            QVERIFY2(gap >= 0.0085, qPrintable(QStringLiteral("character %1 after %2 s").arg(i).arg(gap)));
            QVERIFY2(gap < BroadcastSequence::kLinePause, qPrintable(QString::number(gap)));
        }
    }
    QCOMPARE(lineStarts, 3);
}

// A prompt while another transmission runs (a file going out): the list cannot go
// out now, the operator is told so, and the sequence ends.
void TestBroadcastSequence::busyTransmissionEndsTheSequence() {
    Rig r;
    r.dialogs.answers.enqueue(DialogAnswer::Yes);
    r.sequence.StartBroadcast(1);
    r.link.clearWrites();
    r.transmission.run(0.001, [&r](TransmissionRun& run) {
        run.write("x");
        r.receive(QStringLiteral(" +++):"));
    });
    QCOMPARE(r.link.written(), QByteArray("x"));
    QVERIFY(r.dialogs.texts().last().startsWith(text(BroadcastSequence::kNotSent)));
    QVERIFY(r.dialogs.texts().last().contains(QStringLiteral("Tx RS Numbers")));
    QCOMPARE(r.sequence.phase(), Phase::Idle);
    QVERIFY(r.buttonsEnabled);
}

// While a broadcast is armed the received text is gathered for the service's prompts
// too; the automatic answer still goes out only while it is on, and only for a "klkl"
// as it arrived.
void TestBroadcastSequence::klklDuringABroadcast_data() {
    QTest::addColumn<bool>("autoAnswer");
    QTest::addColumn<bool>("armed");
    QTest::addColumn<QStringList>("pieces");
    QTest::addColumn<bool>("answered");
    const auto pieces = [](std::initializer_list<const char*> s) {
        QStringList list;
        for (const char* piece : s)
            list.append(QString::fromLatin1(piece));
        return list;
    };
    QTest::newRow("off, armed: klkl") << false << true << pieces({"klkl"}) << false;
    QTest::newRow("off, armed: kl + kl + x") << false << true << pieces({"kl", "kl", "x"}) << false;
    QTest::newRow("off, not armed: klkl") << false << false << pieces({"klkl"}) << false;
    QTest::newRow("on, armed: kl + ar") << true << true << pieces({"kl", "ar"}) << false;
    QTest::newRow("on, armed: klar + x") << true << true << pieces({"bitte kl", "ar?", "x"}) << false;
    QTest::newRow("on, armed: klkl") << true << true << pieces({"klkl"}) << true;
    QTest::newRow("on, armed: k + lk + l") << true << true << pieces({"k", "lk", "l"}) << true;
    QTest::newRow("on, not armed: kl + ar") << true << false << pieces({"kl", "ar"}) << false;
    QTest::newRow("on, not armed: kl + kl") << true << false << pieces({"kl", "kl"}) << true;
}

void TestBroadcastSequence::klklDuringABroadcast() {
    QFETCH(bool, autoAnswer);
    QFETCH(bool, armed);
    QFETCH(QStringList, pieces);
    Rig r;
    r.file(programFile(ProgramFiles::kKlklAnswer), "HIER MAYER");
    TextSender sender{r.transmission, r.state, r.counter, r.dialogs, r.folder()};
    sender.setKlklPause(0);
    // As the main window's switch answers: from the event loop, after the handler.
    QObject::connect(&r.display, &TerminalDisplay::klklHeard, &sender, [&] {
        sender.SendKlkl();
        r.display.answerFinished();
    });
    r.state.klklAutoAnswer = autoAnswer;
    if (armed)
        r.run(QStringLiteral("start yes"));
    QCOMPARE(r.sequence.phase(), armed ? Phase::Armed : Phase::Idle);
    const QByteArray before = r.link.written();
    for (const QString& piece : pieces)
        r.receive(piece);
    QTEST(r.link.written().mid(before.size()).contains("HIER MAYER"), "answered");
    QCOMPARE(r.sequence.phase(), armed ? Phase::Armed : Phase::Idle);
}

QTEST_GUILESS_MAIN(TestBroadcastSequence)
#include "tst_broadcastsequence.moc"
