#include "display/portevents.h"
#include "display/terminalbuffer.h"
#include "display/terminaldisplay.h"
#include "fakeclock.h"
#include "fakeseriallink.h"
#include "files/programfolder.h"
#include "log/trafficlog.h"
#include "programstate.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace vornal;

namespace {

// The display on a buffer, with a mirror that replays every edit the window would
// make, so the shown text is checked too.
struct Rig {
    ProgramState state;
    TerminalBuffer box;
    TerminalDisplay display{box, state};
    QString mirror;
    int klkl = 0;
    int prompts = 0;
    QStringList heard;         // the phrase signals in the order they came
    bool finishAnswers = true; // the answer ends as soon as it was started
    Rig() {
        QObject::connect(&box, &TerminalBuffer::reset, [this](const QString& s) { mirror = s; });
        QObject::connect(&box, &TerminalBuffer::edited,
                         [this](qsizetype front, qsizetype back, const QString& s) {
                             mirror.remove(0, front);
                             mirror.chop(back);
                             mirror.append(s);
                         });
        QObject::connect(&display, &TerminalDisplay::klklHeard, [this] {
            ++klkl;
            heard.append(QStringLiteral("klkl"));
            if (finishAnswers)
                display.answerFinished();
        });
        QObject::connect(&display, &TerminalDisplay::receiverListPrompted, [this] {
            ++prompts;
            heard.append(QStringLiteral("prompt"));
        });
    }
    // One piece through the receive handler, then the event loop's turn, as between
    // two reads of the port.
    void show(const QString& chunk) {
        QString t = chunk;
        display.DisplayReceived(t);
        QCoreApplication::processEvents();
    }
};

// What a stream of received bytes left behind: the display, the log file and the
// phrases heard.
struct Outcome {
    QString display;
    QByteArray log;
    QStringList heard;
};

// The stream read from the port in the pieces that end at `ends`, each through the
// port's event into the display and the traffic log, with the event loop's turn
// after each piece.
Outcome receiveInPieces(const QByteArray& stream, const QList<qsizetype>& ends, bool answer, bool broadcast) {
    QTemporaryDir dir;
    FakeClock clock;
    FakeSerialLink link;
    link.setPortOpen(true);
    Rig r;
    r.state.klklAutoAnswer = answer;
    r.state.broadcastActive = broadcast;
    r.box.setText(QStringLiteral("earlier text\r\n"));
    PortEvents events(link, r.display);
    Outcome out;
    {
        TrafficLog log{ProgramFolder(dir.path()), clock};
        QObject::connect(&r.display, &TerminalDisplay::shown, &log, &TrafficLog::received);
        qsizetype from = 0;
        for (qsizetype end : ends) {
            link.receive(stream.mid(from, end - from));
            QCoreApplication::processEvents();
            from = end;
        }
    }
    QFile file(dir.filePath(TrafficLog::fileName(clock.now().date())));
    if (file.open(QIODevice::ReadOnly))
        out.log = file.readAll();
    out.display = r.box.text();
    out.heard = r.heard;
    return out;
}

// Where the pieces of a stream end: "whole", "bytes", "lines" (after every CR and LF)
// or "random N" (pieces of 1 to 8 bytes, seeded with N).
QList<qsizetype> pieceEnds(const QByteArray& stream, const QString& splitting) {
    QList<qsizetype> ends;
    QRandomGenerator random(splitting.section(QLatin1Char(' '), 1).toUInt());
    for (qsizetype i = 1; i <= stream.size(); ++i) {
        const char last = stream[i - 1];
        if (splitting == QLatin1String("bytes") ||
            (splitting == QLatin1String("lines") && (last == '\r' || last == '\n')))
            ends.append(i);
        else if (splitting.startsWith(QLatin1String("random")))
            ends.append(i = std::min(stream.size(), i - 1 + qsizetype(random.bounded(1, 9))));
    }
    if (ends.isEmpty() || ends.last() != stream.size())
        ends.append(stream.size());
    return ends;
}

} // namespace

class TestReceive : public QObject {
    Q_OBJECT
private slots:
    void displayReceived_data();
    void displayReceived();
    void trimBoundary_data();
    void trimBoundary();
    void textIsChangedForTheCaller();
    void phrases_data();
    void phrases();
    void klklNotWhileAnswering();
    void answerBufferStaysBounded();
    void eventTexts_data();
    void eventTexts();
    void statusShowsEventJustHappened();
    void receivedBytesThroughCodec();
    void otherEventEmptiesInput();
    void piecesShowAsOne_data();
    void piecesShowAsOne();
};

void TestReceive::displayReceived_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QStringList>("chunks");
    QTest::addColumn<QString>("after");
    QTest::newRow("backspace in the middle") << "" << QStringList{QStringLiteral("AB\bD")} << "AD";
    QTest::newRow("leading backspace replaces the last character")
        << "HELLO" << QStringList{QStringLiteral("\bP")} << "HELLP";
    QTest::newRow("leading backspaces replace only one")
        << "HELLO" << QStringList{QStringLiteral("\b\b\bX")} << "HELLX";
    QTest::newRow("a lone backspace erases") << "HELLO" << QStringList{QStringLiteral("\b")} << "HELL";
    QTest::newRow("backspace on an empty box") << "" << QStringList{QStringLiteral("\bA")} << "A";
    QTest::newRow("run of backspaces") << "XY" << QStringList{QStringLiteral("ABC\b\b\bD")} << "XYD";
    QTest::newRow("more backspaces than text") << "XY" << QStringList{QStringLiteral("AB\b\b\bC")} << "XC";
    QTest::newRow("backspace then text then backspace")
        << "" << QStringList{QStringLiteral("A\bB\bC")} << "C";
    QTest::newRow("CR LF") << "" << QStringList{QStringLiteral("X\r\nY")} << "X\r\nY";
    QTest::newRow("LF alone is dropped") << "" << QStringList{QStringLiteral("X\nY")} << "XY";
    QTest::newRow("CR alone gets its LF") << "" << QStringList{QStringLiteral("X\rY")} << "X\r\nY";
    QTest::newRow("LF CR") << "" << QStringList{QStringLiteral("X\n\rY")} << "X\r\nY";
    QTest::newRow("CR CR LF LF") << "" << QStringList{QStringLiteral("\r\r\n\n")} << "\r\n\r\n";
    QTest::newRow("over two chunks") << "A" << QStringList{QStringLiteral("B\r"), QStringLiteral("\nC")}
                                     << "AB\r\nC";
    QTest::newRow("backspace after a line end") << "AB\r\n" << QStringList{QStringLiteral("\bZ")} << "AB\rZ";
    QTest::newRow("empty chunk") << "A" << QStringList{QStringLiteral("")} << "A";
    // Backspaces act on the text as it came, before line feeds are dropped.
    QTest::newRow("backspace erases a line feed")
        << "HELLO" << QStringList{QStringLiteral("AB\n\bD")} << "HELLOABD";
    QTest::newRow("backspace after CR LF leaves no lone CR")
        << "" << QStringList{QStringLiteral("X\r\n\bY")} << "X\r\nY";
}

void TestReceive::displayReceived() {
    QFETCH(QString, before);
    QFETCH(QStringList, chunks);
    Rig r;
    r.box.setText(before);
    for (const QString& c : chunks)
        r.show(c);
    QTEST(r.box.text(), "after");
    QCOMPARE(r.mirror, TerminalBuffer::shown(r.box.text()));
}

void TestReceive::trimBoundary_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("kept");
    QTest::newRow("16000 stays") << 16000 << 16000;
    QTest::newRow("16001 keeps its last 11905") << 16001 << 11905;
    QTest::newRow("20000") << 20000 << 15904;
    QTest::newRow("a large chunk is cut back within the limit") << 40000 << 15424;
}

void TestReceive::trimBoundary() {
    QFETCH(int, length);
    QFETCH(int, kept);
    Rig r;
    QString text;
    for (int i = 0; i < length; ++i)
        text.append(i % 70 == 69 ? QLatin1Char('\r') : QChar(u'A' + i % 26));
    r.box.setText(text);
    r.show(QStringLiteral("Z"));
    QCOMPARE(r.box.length(), qsizetype(kept + 1));
    QCOMPARE(r.box.text(), text.right(kept) + QStringLiteral("Z"));
    QCOMPARE(r.mirror, TerminalBuffer::shown(r.box.text()));
}

void TestReceive::textIsChangedForTheCaller() {
    Rig r;
    QString t = QStringLiteral("A\rB\n");
    r.display.DisplayReceived(t);
    QCOMPARE(t, QStringLiteral("A\r\nB"));
}

void TestReceive::phrases_data() {
    QTest::addColumn<int>("autoAnswer");
    QTest::addColumn<int>("broadcast");
    QTest::addColumn<QStringList>("chunks");
    QTest::addColumn<int>("klkl");
    QTest::addColumn<int>("prompts");
    QTest::newRow("kl + kl") << 1 << 0 << QStringList{QStringLiteral("kl"), QStringLiteral("kl")} << 1 << 0;
    QTest::newRow("k + lk + l") << 1 << 0
                                << QStringList{QStringLiteral("k"), QStringLiteral("lk"), QStringLiteral("l")}
                                << 1 << 0;
    QTest::newRow("off") << 0 << 0 << QStringList{QStringLiteral("kl"), QStringLiteral("kl")} << 0 << 0;
    QTest::newRow("case matters") << 1 << 0 << QStringList{QStringLiteral("KLKL")} << 0 << 0;
    QTest::newRow("twice") << 1 << 0 << QStringList{QStringLiteral("klkl xx "), QStringLiteral("klkl")} << 2
                           << 0;
    QTest::newRow("prompt in two chunks")
        << 0 << 1 << QStringList{QStringLiteral("NUMBERS +"), QStringLiteral("++):")} << 0 << 1;
    QTest::newRow("text prompt in three chunks")
        << 0 << 1 << QStringList{QStringLiteral(" text "), QStringLiteral("einge"), QStringLiteral("ben.")}
        << 0 << 1;
    QTest::newRow("prompt without blank") << 0 << 1 << QStringList{QStringLiteral("+++):")} << 0 << 0;
    QTest::newRow("prompt while no broadcast") << 0 << 0 << QStringList{QStringLiteral(" +++):")} << 0 << 0;
    // The broadcast gathers for its prompts alone: with the answer off no "klkl" counts,
    // and with it on each piece counts once.
    QTest::newRow("broadcast text starts no answer")
        << 0 << 1 << QStringList{QStringLiteral("kl"), QStringLiteral("kl"), QStringLiteral("x")} << 0 << 0;
    QTest::newRow("a lone kl during a broadcast")
        << 1 << 1 << QStringList{QStringLiteral("kl"), QStringLiteral("ar")} << 0 << 0;
    QTest::newRow("klkl and a prompt during a broadcast")
        << 1 << 1 << QStringList{QStringLiteral("k"), QStringLiteral("lkl +"), QStringLiteral("++):")} << 1
        << 1;
    QTest::newRow("backspaced away") << 1 << 0 << QStringList{QStringLiteral("kl\bkl")} << 0 << 0;
    const QString tail(300, QLatin1Char('x'));
    QTest::newRow("klkl far before the end of a long piece")
        << 1 << 0 << QStringList{QStringLiteral("klkl") + tail} << 1 << 0;
    QTest::newRow("prompt far before the end of a long piece")
        << 0 << 1 << QStringList{QStringLiteral(" +++):") + tail} << 0 << 1;
}

void TestReceive::phrases() {
    QFETCH(int, autoAnswer);
    QFETCH(int, broadcast);
    QFETCH(QStringList, chunks);
    Rig r;
    r.state.klklAutoAnswer = autoAnswer;
    r.state.broadcastActive = broadcast;
    for (const QString& c : chunks)
        r.show(c);
    QTEST(r.klkl, "klkl");
    QTEST(r.prompts, "prompts");
}

void TestReceive::klklNotWhileAnswering() {
    Rig r;
    r.state.klklAutoAnswer = true;
    r.finishAnswers = false;
    // The answer starts only after the handler of the text that held "klkl" returned.
    QString first = QStringLiteral("klkl");
    r.display.DisplayReceived(first);
    QCOMPARE(r.klkl, 0);
    QVERIFY(r.display.answerBusy());
    // Text that arrives while the answer is being sent is shown but not gathered.
    QObject::connect(&r.display, &TerminalDisplay::klklHeard, [&r] {
        QVERIFY(r.display.answerBusy());
        r.show(QStringLiteral("klkl"));
        r.display.answerFinished();
    });
    QCoreApplication::processEvents();
    QCOMPARE(r.klkl, 1);
    QVERIFY(!r.display.answerBusy());
    QVERIFY(r.box.text().endsWith(QStringLiteral("klklklkl")));
    QVERIFY(r.display.answerBuffer().isEmpty());
}

void TestReceive::answerBufferStaysBounded() {
    Rig r;
    r.state.klklAutoAnswer = true;
    for (int i = 0; i < 2000; ++i)
        r.show(QStringLiteral("abcdefghij"));
    QVERIFY(r.display.answerBuffer().size() <= TerminalDisplay::kAnswerTail);
    r.show(QStringLiteral("k"));
    r.show(QStringLiteral("lkl"));
    QCOMPARE(r.klkl, 1);
}

void TestReceive::eventTexts_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("3") << 3 << "Change in CTS Detected";
    QTest::newRow("4") << 4 << "Change in DSR Detected";
    QTest::newRow("5") << 5 << "Change in CD Detected";
    QTest::newRow("6") << 6 << "The Phone is Ringing";
    QTest::newRow("7") << 7 << "End of File Detected";
    QTest::newRow("1001") << 1001 << "Break Received";
    QTest::newRow("1002") << 1002 << "CTS Timeout";
    QTest::newRow("1003") << 1003 << "DSR Timeout";
    QTest::newRow("1004") << 1004 << "Framing Error";
    QTest::newRow("1006") << 1006 << "Overrun Error";
    QTest::newRow("1007") << 1007 << "Carrier Detect Timeout";
    QTest::newRow("1008") << 1008 << "Receive Buffer Overflow";
    QTest::newRow("1009") << 1009 << "Parity Error";
    QTest::newRow("1010") << 1010 << "Transmit Buffer Full";
    QTest::newRow("1011") << 1011 << "Error retrieving DCB";
    QTest::newRow("1005") << 1005 << "Unknown error or event";
    QTest::newRow("0") << 0 << "Unknown error or event";
}

void TestReceive::eventTexts() {
    QFETCH(int, code);
    QFETCH(QString, text);
    FakeSerialLink link;
    Rig r;
    PortEvents events(link, r.display);
    QStringList shown;
    connect(&events, &PortEvents::status, [&](const QString& s) { shown.append(s); });
    link.raiseEvent(code);
    QCOMPARE(shown, QStringList{QStringLiteral("Status: ") + text});
    QCOMPARE(events.statusTimerActive(), PortEvents::isLineEvent(code));
}

void TestReceive::statusShowsEventJustHappened() {
    FakeSerialLink link;
    Rig r;
    PortEvents events(link, r.display);
    QStringList shown;
    connect(&events, &PortEvents::status, [&](const QString& s) { shown.append(s); });
    link.raiseEvent(5);
    link.raiseEvent(1004);
    QVERIFY(!events.statusTimerActive());
    link.setPortOpen(true);
    link.receive("data");
    link.raiseEvent(1);
    QCOMPARE(shown, (QStringList{QStringLiteral("Status: Change in CD Detected"),
                                 QStringLiteral("Status: Framing Error")}));
    link.raiseEvent(6);
    QTRY_COMPARE_WITH_TIMEOUT(shown.last(), QStringLiteral("Status: "), 3000);
    QCOMPARE(shown.size(), 4);
}

void TestReceive::receivedBytesThroughCodec() {
    FakeSerialLink link;
    link.setPortOpen(true);
    Rig r;
    PortEvents events(link, r.display);
    int rx = 0;
    connect(&events, &PortEvents::receiveIndicator, [&](bool on) { rx += on; });
    QByteArray all;
    for (int b = 0x80; b <= 0xFF; ++b)
        all.append(char(b));
    link.receive(all);
    QCOMPARE(r.box.text().size(), 128);
    QCOMPARE(r.box.text().at(0), QChar(0x20AC));
    QCOMPARE(r.box.text().at(0x64), QChar(0xE4));
    QCOMPARE(rx, 1);
}

void TestReceive::otherEventEmptiesInput() {
    FakeSerialLink link;
    link.setPortOpen(true);
    Rig r;
    PortEvents events(link, r.display);
    link.receive(QByteArray());
    link.clearInput();
    link.receive(QByteArray());
    QByteArray stale("stale");
    // Input waiting when event -3 comes is thrown away, not shown.
    disconnect(&link, &SerialLink::commEvent, &events, &PortEvents::handle);
    link.receive(stale);
    connect(&link, &SerialLink::commEvent, &events, &PortEvents::handle);
    link.raiseEvent(-3);
    QCOMPARE(link.inBufferCount(), 0);
    QVERIFY(r.box.text().isEmpty());
}

// However the port cuts the stream, the display, the log and the phrases heard are
// those of the stream read byte by byte. (Two phrases in one piece start one answer,
// so a stream with two is not read whole.)
void TestReceive::piecesShowAsOne_data() {
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("broadcast");
    QTest::addColumn<QString>("splitting");
    QTest::addColumn<bool>("sameLog");
    QByteArray long20000;
    for (int i = 0; i < 20000; ++i)
        long20000.append(i % 70 == 69 ? '\r' : char('A' + i % 26));
    const struct {
        const char* name;
        QByteArray stream;
        bool answer;
        bool broadcast;
        bool whole;
        bool sameLog = true; // a character erased in its own piece was never shown, so never logged
    } streams[] = {
        {"line ends", "ZCZC 123\r\nNNNN\r\rnext\n\rlast\nend", false, false, true},
        {"backspaces", "HELLO\bP WORLD\bX\r\nA\bB\bC done", false, false, true, false},
        {"control characters and Latin-1",
         "a\x07"
         "b\x1b\xe4\x80\r\n\x7f",
         false, false, true},
        {"klkl twice", "ok klkl and then some text\r\nagain klkl\r\n", true, false, false},
        {"klkl backspaced away", "kl\bkl xx\r\n", true, false, true, false},
        {"prompts", "NUMBERS +++): 11 22\r\nthe text eingeben. ok\r\n", false, true, false},
        {"klkl and a prompt", "klkl then NUMBERS +++):\r\n", true, true, true},
        {"past the cut", long20000, false, false, true},
    };
    for (const auto& s : streams) {
        QStringList splittings{QStringLiteral("lines"), QStringLiteral("random 1"),
                               QStringLiteral("random 2"), QStringLiteral("random 3")};
        if (s.whole)
            splittings.prepend(QStringLiteral("whole"));
        for (const QString& splitting : std::as_const(splittings))
            QTest::addRow("%s, %s", s.name, qPrintable(splitting))
                << s.stream << s.answer << s.broadcast << splitting << s.sameLog;
    }
}

void TestReceive::piecesShowAsOne() {
    QFETCH(QByteArray, stream);
    QFETCH(bool, answer);
    QFETCH(bool, broadcast);
    QFETCH(QString, splitting);
    QFETCH(bool, sameLog);
    const QList<qsizetype> ends = pieceEnds(stream, splitting);
    const Outcome bytewise =
        receiveInPieces(stream, pieceEnds(stream, QStringLiteral("bytes")), answer, broadcast);
    const Outcome pieces = receiveInPieces(stream, ends, answer, broadcast);
    QVERIFY(!bytewise.log.isEmpty());
    if (sameLog)
        QCOMPARE(pieces.log, bytewise.log);
    QCOMPARE(pieces.heard, bytewise.heard);
    if (stream.size() <= TerminalDisplay::kTrimAbove) {
        QCOMPARE(pieces.display, bytewise.display);
        return;
    }
    // The display is cut before a piece is added: it keeps the end of the text, within
    // the bound and the last piece.
    const qsizetype lastPiece = ends.size() > 1 ? ends.last() - ends[ends.size() - 2] : ends.last();
    QVERIFY(pieces.display.size() <= TerminalDisplay::kTrimAbove + 2 * lastPiece);
    QVERIFY(pieces.display.size() >= TerminalDisplay::kTrimAbove - TerminalDisplay::kTrimBy);
    const qsizetype kept = TerminalDisplay::kTrimAbove - TerminalDisplay::kTrimBy;
    QCOMPARE(pieces.display.right(kept), bytewise.display.right(kept));
}

QTEST_GUILESS_MAIN(TestReceive)
#include "tst_receive.moc"
