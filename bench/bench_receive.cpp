// The receive path fed from a pseudo-terminal through the real serial link into the
// main window (offscreen):
//  (a) a 64 KiB burst: time until all of it is displayed, median of 5;
//  (b) a steady 960 bytes/s (the line rate at 9600 baud) for N seconds (default 20):
//      the process's CPU share and the largest display length seen.
//  (c) the same steady feed for as long into a baseline reader, the plainest way with Qt:
//      a QSerialPort on a second pseudo-terminal whose readyRead inserts what readAll()
//      returned into a QPlainTextEdit; its CPU share is measured the same way, in a run of
//      this program of its own started right after (b), and compared with (b)'s.
//   bench_receive [seconds] [steady] [sound] [nolog] [baseline] [idle] [paints]
// "steady" leaves out (a); "sound" switches the event sounds on first, so that every
// displayed chunk asks for the receive sound; "nolog" runs with the traffic log off
// (it is on, as in the program, otherwise); "baseline" runs (c) alone; "idle" first
// measures the program's CPU share with nothing arriving for as long, the floor under (b);
// "paints" counts the paint events of (b) and the area they cover, per widget (the counting
// costs a little CPU).
#include "benchsupport.h"
#include "display/terminalbuffer.h"
#include "look/objectnames.h"
#include "realterminal.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QPaintEvent>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

using namespace vornal;

namespace {

// Feeds the master 960 bytes/s for `seconds` from another process, one byte at a time on
// an absolute schedule, while this one runs its event loop; the CPU this process used
// meanwhile, in per cent of one core.
double steadyCpuShare(int master, int seconds, bool feed = true) {
    const pid_t child = fork();
    if (child == 0 && !feed) {
        sleep(unsigned(seconds));
        _exit(0);
    }
    if (child == 0) {
        timespec next{};
        clock_gettime(CLOCK_MONOTONIC, &next);
        const long step = 1000000000L / 960;
        for (long i = 0; i < 960L * seconds; ++i) {
            const char c = i % 70 == 69 ? '\r' : i % 7 == 6 ? ' ' : char('a' + i % 26);
            writeAll(master, &c, 1);
            next.tv_nsec += step;
            while (next.tv_nsec >= 1000000000L) {
                next.tv_nsec -= 1000000000L;
                ++next.tv_sec;
            }
            clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr);
        }
        _exit(0);
    }
    const double cpuBefore = processCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    // Wait in a real event loop: a loop of processEvents() calls would itself spin.
    QEventLoop loop;
    QTimer poll;
    int status = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (waitpid(child, &status, WNOHANG) != 0)
            QTimer::singleShot(200, &loop, &QEventLoop::quit);
    });
    poll.start(100);
    loop.exec();
    const double cpu = processCpuSeconds() - cpuBefore;
    return 100.0 * cpu / (double(wall.nsecsElapsed()) / 1e9);
}

// Which widgets paint how often while text arrives: every paint of a widget also
// paints what lies under it, so the busiest ones are where the receive path's drawing goes.
class PaintCounter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            const QString key = QStringLiteral("%1 %2").arg(
                QString::fromLatin1(watched->metaObject()->className()), watched->objectName());
            ++m_counts[key];
            const QRect r = static_cast<QPaintEvent*>(event)->rect();
            m_pixels[key] += qint64(r.width()) * r.height();
        }
        return false;
    }
    void print(int seconds) const {
        QList<std::pair<int, QString>> rows;
        int all = 0;
        for (auto it = m_counts.begin(); it != m_counts.end(); ++it) {
            rows.append({it.value(), it.key()});
            all += it.value();
        }
        std::sort(rows.begin(), rows.end(), std::greater<>());
        std::printf("    paint events: %.1f per second in all; the most:", double(all) / seconds);
        for (qsizetype i = 0; i < std::min<qsizetype>(20, rows.size()); ++i)
            std::printf("%s %s %.1f/s (%.0f kpx/s)", i == 0 ? "" : ",", qPrintable(rows[i].second),
                        double(rows[i].first) / seconds,
                        double(m_pixels.value(rows[i].second)) / 1000 / seconds);
        std::printf("\n");
    }

private:
    QHash<QString, int> m_counts;
    QHash<QString, qint64> m_pixels;
};

// The baseline reader: a QSerialPort on a pseudo-terminal of its own, and what each
// readyRead brings inserted as Latin-1 into a plain text box shown offscreen.
int runBaseline(int seconds) {
    QString slave;
    const int master = openRawPty(slave);
    if (master < 0) {
        std::perror("pty");
        return 1;
    }
    QSerialPort port(slave);
    if (!port.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "baseline port did not open: %s\n", qPrintable(port.errorString()));
        return 1;
    }
    QPlainTextEdit box;
    box.resize(800, 400);
    box.show();
    qint64 shown = 0;
    QObject::connect(&port, &QSerialPort::readyRead, [&] {
        const QByteArray bytes = port.readAll();
        shown += bytes.size();
        box.insertPlainText(QString::fromLatin1(bytes));
    });
    QApplication::processEvents();
    const double cpuShare = steadyCpuShare(master, seconds);
    std::printf("(c) baseline reader (QSerialPort, readyRead, QPlainTextEdit::insertPlainText), 960 bytes/s "
                "for %d s: CPU %.2f %% of one core; %lld characters shown\n",
                seconds, cpuShare, (long long)shown);
    ::close(master);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    const int seconds = !args.isEmpty() && args[0].toInt() > 0 ? args[0].toInt() : 20;
    if (args.contains(QStringLiteral("baseline")))
        return runBaseline(seconds);
    const bool steadyOnly = args.contains(QStringLiteral("steady"));
    const bool sound = args.contains(QStringLiteral("sound"));
    const bool noLog = args.contains(QStringLiteral("nolog"));
    const bool idle = args.contains(QStringLiteral("idle"));
    const bool countPaints = args.contains(QStringLiteral("paints"));

    QString slave;
    const int master = openRawPty(slave);
    if (master < 0) {
        std::perror("pty");
        return 1;
    }

    QTemporaryDir dir;
    if (noLog) {
        QFile ini(dir.filePath(QStringLiteral("settings.ini")));
        if (ini.open(QIODevice::WriteOnly))
            ini.write("[Log]\nEnabled=0\n");
    }
    RealTerminal terminal(dir.path(), slave);
    std::printf("traffic log %s\n", noLog ? "off" : "on");
    if (!terminal.open()) {
        std::fprintf(stderr, "port did not open: %s\n", qPrintable(terminal.messages()));
        return 1;
    }
    TerminalWindow& window = terminal.window;
    if (sound) {
        terminal.click(ObjectNames::kLblSoundOn);
        std::printf("sounds on\n");
    }
    // Take the carriage return that opening sends.
    char sink[64];
    QApplication::processEvents();
    (void)::read(master, sink, sizeof sink);

    // Received into the buffer, and then shown: the text box has laid out an edit that
    // came after the buffer's last one.
    qint64 shown = 0;
    qsizetype longest = 0;
    bool boxCaughtUp = false;
    QObject::connect(&window.session().buffer(), &TerminalBuffer::edited,
                     [&](qsizetype, qsizetype, const QString& s) {
                         shown += s.size();
                         boxCaughtUp = false;
                         if (!s.isEmpty()) // after the cut that comes before each insertion
                             longest = std::max(longest, window.session().buffer().length());
                     });
    QObject::connect(window.terminal()->document(), &QTextDocument::contentsChanged,
                     [&] { boxCaughtUp = true; });

    // (a) bursts of 64 KiB of letters and blanks.
    QByteArray burst(64 * 1024, 'A');
    for (int i = 0; i < burst.size(); ++i)
        burst[i] = i % 7 == 6 ? ' ' : char('A' + i % 26);
    std::vector<double> ms;
    StallMeter stall; // the event loop's longest block over the bursts
    stall.start();
    for (int run = 0; run < (steadyOnly ? 0 : 5); ++run) {
        shown = 0;
        QElapsedTimer t;
        t.start();
        // The pty holds only a few KiB, so another process writes while this one reads.
        const pid_t writer = fork();
        if (writer == 0) {
            writeAll(master, burst.constData(), size_t(burst.size()));
            _exit(0);
        }
        while ((shown < burst.size() || !boxCaughtUp) && t.elapsed() < 10000)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
        waitpid(writer, nullptr, 0);
    }
    stall.stop();
    std::sort(ms.begin(), ms.end());
    if (!ms.empty())
        std::printf("(a) 64 KiB burst displayed in: median %.1f ms (min %.1f, max %.1f, 5 runs)\n", ms[2],
                    ms.front(), ms.back());
    if (!ms.empty())
        std::printf("    stall (the event loop's longest block, goal 50 ms): %.1f ms, %d over 50 ms\n",
                    stall.worstMs(), stall.stalls());
    if (!ms.empty())
        std::printf("    largest display length during the bursts: %lld characters\n", (long long)longest);

    if (idle)
        std::printf("(b0) nothing arriving for %d s: CPU %.2f %% of one core\n", seconds,
                    steadyCpuShare(master, seconds, false));

    // (b) a steady 960 bytes/s from another process, one byte at a time.
    longest = 0;
    shown = 0;
    PaintCounter paints;
    if (countPaints)
        qApp->installEventFilter(&paints);
    const double cpuShare = steadyCpuShare(master, seconds);
    qApp->removeEventFilter(&paints);
    std::printf("(b) 960 bytes/s for %d s: CPU %.2f %% of one core; %lld characters shown; largest display "
                "length %lld characters\n",
                seconds, cpuShare, (long long)shown, (long long)longest);
    if (countPaints)
        paints.print(seconds);
    if (sound)
        std::printf("    receive sounds played in all: %lld\n",
                    (long long)terminal.sound.log().count(QStringLiteral("play")));
    std::fflush(stdout);

    // (c) in a run of its own, so that nothing of the main window runs beside it.
    QProcess baseline;
    baseline.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    baseline.start(QCoreApplication::applicationFilePath(),
                   {QString::number(seconds), QStringLiteral("baseline")});
    baseline.waitForFinished(1000 * seconds + 30000);
    const QByteArray out = baseline.readAllStandardOutput();
    std::fputs(out.constData(), stdout);
    const QRegularExpressionMatch cpuOf =
        QRegularExpression(QStringLiteral("CPU ([0-9.]+) %")).match(QString::fromLatin1(out));
    if (!cpuOf.hasMatch()) {
        std::fprintf(stderr, "the baseline reader gave no CPU figure\n");
        ::close(master);
        return 1;
    }
    const double baselineShare = cpuOf.captured(1).toDouble();
    std::printf(
        "steady 960 B/s: program %.2f %% of one core, baseline reader %.2f %%, ratio %.2f (goal <= 0.10)\n",
        cpuShare, baselineShare, baselineShare > 0 ? cpuShare / baselineShare : 0.0);
    ::close(master);
    return 0;
}
