// Sends a text file through the main window's real serial link to a tty given on the
// command line, as the operator's "Send Message" does, and reports the CPU used while
// sending and how late a timer ran meanwhile (how responsive the window stayed).
//   bench_pacing_sender TTY CHAR_DELAY_SECONDS CHARACTERS
#include "benchsupport.h"
#include "files/programfiles.h"
#include "realterminal.h"
#include "testfiles.h"
#include "textsender.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

using namespace vornal;

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s TTY CHAR_DELAY CHARACTERS\n", argv[0]);
        return 2;
    }
    const QString tty = QString::fromLocal8Bit(argv[1]);
    const double charDelay = std::atof(argv[2]);
    const int characters = std::atoi(argv[3]);

    QTemporaryDir dir;
    // The traffic log runs as in the program unless the fourth argument is "nolog".
    const bool noLog = argc > 4 && std::strcmp(argv[4], "nolog") == 0;
    if (noLog) {
        QFile ini(dir.filePath(QStringLiteral("settings.ini")));
        if (ini.open(QIODevice::WriteOnly))
            ini.write("[Log]\nEnabled=0\n");
    }
    QByteArray text;
    static const char* const kWords[] = {"VORNAL",   "TELEX",  "PRUEFTEXT", "DER",
                                         "SCHNELLE", "BRAUNE", "FUCHS",     "1234"};
    for (int i = 0; text.size() < characters; ++i)
        text += QByteArray(kWords[i % 8]) + ' ';
    text.truncate(characters);
    QFile message(dir.filePath(programFile(ProgramFiles::kMessage)));
    message.open(QIODevice::WriteOnly);
    message.write(text);
    message.close();

    if (!RealTerminal::writeConfiguration(dir.path(), argv[2])) {
        std::fprintf(stderr, "could not write the configuration in %s\n", qPrintable(dir.path()));
        return 1;
    }
    RealTerminal terminal(dir.path(), tty);
    if (!terminal.open()) {
        std::fprintf(stderr, "port did not open: %s\n", qPrintable(terminal.messages()));
        return 1;
    }
    terminal.call();
    TerminalWindow& window = terminal.window;
    QSerialPortLink& link = terminal.link;
    // Let the start-up work settle first, so the measuring probe shares the cores with
    // the sending alone.
    QEventLoop settle;
    QTimer::singleShot(1000, &settle, &QEventLoop::quit);
    settle.exec();

    // A timer that should fire every 10 ms: its lateness is how long a click would wait.
    QElapsedTimer since;
    qint64 worstLateMs = 0;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    probe.setInterval(10);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        worstLateMs = std::max(worstLateMs, since.elapsed() - 10);
        since.restart();
    });
    // Only for the slow pace: at 10 ms it would add its own wake-ups to the CPU figure.
    since.start();
    if (charDelay >= 0.1)
        probe.start();

    // When each character left, as the port reports its writes done; compared with the
    // probe's times of arrival this tells the sender's pacing from the reader's.
    QList<qint64> sent;
    QElapsedTimer writes;
    writes.start();
    QObject::connect(&link, &SerialLink::commEvent, [&](int code) {
        if (code == CommEvent::Send)
            sent.append(writes.nsecsElapsed());
    });
    QElapsedTimer wall;
    wall.start();
    const double cpuBefore = processCpuSeconds();
    window.session().sender().runSendCommand(TextSender::SendCommand::Message);
    const double cpu = processCpuSeconds() - cpuBefore;
    const double elapsed = double(wall.nsecsElapsed()) / 1e9;
    std::printf(
        "sender: %d characters at CharDelay %.3f s took %.3f s; CPU %.2f %% of one core; a 10 ms timer "
        "ran at most %lld ms late\n",
        characters, charDelay, elapsed, 100.0 * cpu / elapsed, (long long)worstLateMs);
    qint64 shortest = std::numeric_limits<qint64>::max();
    for (qsizetype i = 1; i < sent.size(); ++i)
        shortest = std::min(shortest, sent[i] - sent[i - 1]);
    // Every LF of the copy but the last is a turn without a write between two writes.
    QFile copy(dir.filePath(programFile(ProgramFiles::kSendFile)));
    copy.open(QIODevice::ReadOnly);
    const qsizetype turns = std::max<qsizetype>(0, copy.readAll().count('\n') - 1);
    if (sent.size() > 2) {
        const double ideal = double(sent.size() - 1 + turns) * charDelay * 1e3;
        const double took = double(sent.last() - sent.first()) / 1e6;
        std::printf(
            "sender: %lld writes; shortest gap between two writes %.3f ms; drift %.4f %% (%.1f ms against "
            "%.1f ms)\n",
            (long long)sent.size(), double(shortest) / 1e6, 100.0 * (took - ideal) / ideal, took, ideal);
    }
    qint64 logged = 0;
    for (const QFileInfo& f : QDir(dir.filePath(QStringLiteral("Logs"))).entryInfoList(QDir::Files))
        logged += f.size();
    std::printf("sender: traffic log %s, %lld bytes logged\n", noLog ? "off" : "on", (long long)logged);
    std::fflush(stdout);
    // Let the last bytes leave before the port closes.
    QElapsedTimer tail;
    tail.start();
    while (link.outBufferCount() > 0 && tail.elapsed() < 2000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    return 0;
}
