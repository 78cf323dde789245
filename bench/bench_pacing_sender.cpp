// Sends a text file through the main window's real serial link to a tty given on the
// command line, as the operator's "Send Message" does, and reports the CPU used while
// sending and how late a timer ran meanwhile (how responsive the window stayed).
//   bench_pacing_sender TTY CHAR_DELAY_SECONDS CHARACTERS
#include "processcpu.h"
#include "realterminal.h"
#include "transmit/textsender.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

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
    QByteArray text;
    static const char* const kWords[] = {"VORNAL",   "TELEX",  "PRUEFTEXT", "DER",
                                         "SCHNELLE", "BRAUNE", "FUCHS",     "1234"};
    for (int i = 0; text.size() < characters; ++i)
        text += QByteArray(kWords[i % 8]) + ' ';
    text.truncate(characters);
    QFile message(dir.filePath(QStringLiteral("Message.txt")));
    message.open(QIODevice::WriteOnly);
    message.write(text);
    message.close();

    RealTerminal terminal(dir.path(), tty);
    TerminalWindow& window = terminal.window;
    QSerialPortLink& link = terminal.link;
    ScriptedDialogs& dialogs = terminal.dialogs;
    terminal.click("lblOpen1");
    if (!link.isOpen()) {
        std::fprintf(stderr, "port did not open: %s\n", qPrintable(dialogs.texts().join(QLatin1Char(' '))));
        return 1;
    }
    window.state().config.CharDelay = charDelay;
    window.state().ConnectionActive = 1;

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

    QElapsedTimer wall;
    wall.start();
    const double cpuBefore = processCpuSeconds();
    window.sender().runSendCommand(TextSender::SendCommand::Message);
    const double cpu = processCpuSeconds() - cpuBefore;
    const double elapsed = double(wall.nsecsElapsed()) / 1e9;
    std::printf(
        "sender: %d characters at CharDelay %.3f s took %.3f s; CPU %.2f %% of one core; a 10 ms timer "
        "ran at most %lld ms late\n",
        characters, charDelay, elapsed, 100.0 * cpu / elapsed, (long long)worstLateMs);
    std::fflush(stdout);
    // Let the last bytes leave before the port closes.
    QElapsedTimer tail;
    tail.start();
    while (link.outBufferCount() > 0 && tail.elapsed() < 2000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    return 0;
}
