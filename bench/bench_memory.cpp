// Memory of the program while it receives: text fed from a pseudo-terminal through the
// real serial link into the main window (offscreen) at a steady rate for a fixed time,
// with the resident memory sampled as it goes.
//
//   bench_memory [seconds [bytes per second [sample seconds]]]
//
// The defaults are 120 s at 960 bytes/s (the line rate at 9600 baud), sampled every
// 10 s. The figure that matters is the spread of the resident memory after the first
// minute, when the display has reached its limit and the caches are warm.
#include "benchsupport.h"
#include "display/terminalbuffer.h"
#include "realterminal.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

using namespace vornal;

namespace {

// Resident memory of this process in KiB, from /proc/self/statm.
long residentKiB() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    if (fields.size() < 2)
        return -1;
    return fields.at(1).toLong() * (::sysconf(_SC_PAGESIZE) / 1024);
}

// Feeds `rate` bytes a second for `seconds` into the pseudo-terminal: lines of 69
// letters and blanks, each ended by CR LF, in pieces of about a millisecond's worth.
[[noreturn]] void feed(int master, long rate, long seconds) {
    const long piece = std::max(1L, rate / 1000);
    const long step = long(1e9 * double(piece) / double(rate));
    timespec next{};
    clock_gettime(CLOCK_MONOTONIC, &next);
    long column = 0;
    for (long sent = 0; sent < rate * seconds; sent += piece) {
        char chunk[64];
        long n = 0;
        for (; n < std::min(piece, long(sizeof chunk)); ++n) {
            if (column == 69)
                chunk[n] = '\r';
            else if (column == 70)
                chunk[n] = '\n';
            else
                chunk[n] = column % 7 == 6 ? ' ' : char('a' + (sent + n) % 26);
            column = column == 70 ? 0 : column + 1;
        }
        writeAll(master, chunk, size_t(n));
        next.tv_nsec += step;
        while (next.tv_nsec >= 1000000000L) {
            next.tv_nsec -= 1000000000L;
            ++next.tv_sec;
        }
        clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr);
    }
    _exit(0);
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const long seconds = argc > 1 ? std::atol(argv[1]) : 120;
    const long rate = argc > 2 ? std::atol(argv[2]) : 960;
    const long sampleSeconds = argc > 3 ? std::atol(argv[3]) : 10;
    if (seconds <= 0 || rate <= 0 || sampleSeconds <= 0) {
        std::fprintf(stderr, "usage: bench_memory [seconds [bytes per second [sample seconds]]]\n");
        return 2;
    }

    QString slave;
    const int master = openRawPty(slave);
    if (master < 0) {
        std::perror("pty");
        return 1;
    }

    QTemporaryDir dir;
    RealTerminal terminal(dir.path(), slave);
    if (!terminal.open()) {
        std::fprintf(stderr, "port did not open: %s\n", qPrintable(terminal.messages()));
        return 1;
    }
    TerminalWindow& window = terminal.window;
    char sink[64];
    QApplication::processEvents();
    (void)::read(master, sink, sizeof sink); // the carriage return that opening sends

    qint64 received = 0;
    QObject::connect(&window.session().buffer(), &TerminalBuffer::edited,
                     [&](qsizetype, qsizetype, const QString& s) { received += s.size(); });

    std::printf("receiving %ld bytes/s for %ld s, resident memory every %ld s\n", rate, seconds,
                sampleSeconds);
    std::printf("%8s %12s %14s %12s %12s\n", "seconds", "resident KiB", "shown chars", "display",
                "undo steps");
    const long startKiB = residentKiB();
    long settledKiB = -1;
    long lowest = 0;
    long highest = 0;
    QElapsedTimer wall;
    wall.start();
    const auto sample = [&] {
        const long kib = residentKiB();
        const double at = double(wall.elapsed()) / 1000.0;
        std::printf("%8.0f %12ld %14lld %12lld %12d\n", at, kib, (long long)received,
                    (long long)window.session().buffer().length(),
                    window.terminal()->document()->availableUndoSteps());
        std::fflush(stdout);
        if (at >= 59.5 && settledKiB < 0) {
            settledKiB = kib;
            lowest = highest = kib;
        } else if (settledKiB >= 0) {
            lowest = std::min(lowest, kib);
            highest = std::max(highest, kib);
        }
    };

    const pid_t child = fork();
    if (child == 0)
        feed(master, rate, seconds);

    QEventLoop loop;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, sample);
    sampler.start(int(sampleSeconds * 1000));
    QTimer poll;
    int status = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (waitpid(child, &status, WNOHANG) != 0) {
            poll.stop();
            QTimer::singleShot(500, &loop, &QEventLoop::quit);
        }
    });
    poll.start(100);
    loop.exec();
    sample();
    const long endKiB = residentKiB();

    std::printf("resident memory: %ld KiB at the start, %ld KiB at the end\n", startKiB, endKiB);
    if (settledKiB >= 0)
        std::printf("after the first minute: from %ld KiB, lowest %ld, highest %ld, spread %.1f MB, "
                    "end minus first minute %+.1f MB\n",
                    settledKiB, lowest, highest, double(highest - lowest) / 1024.0,
                    double(endKiB - settledKiB) / 1024.0);
    std::printf("received and shown: %.2f MB; growth per MB shown: %.2f MB\n", double(received) / 1e6,
                received > 0 ? (double(endKiB - startKiB) / 1024.0) / (double(received) / 1e6) : 0.0);
    ::close(master);
    return 0;
}
