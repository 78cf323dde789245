// The program idle: vornal-terminal (its real sound player and skin pictures, from the
// build's program folder) with the port open on vornal-boxsim and the clock running.
// The resident memory 3 s after the start, then after 5 s to settle the CPU share over
// N seconds (default 60) and the resident memory again, each with its main parts from
// /proc/<pid>/smaps: anonymous memory (heap, threads' stacks) against mapped files,
// grouped by kind, and the largest mappings. Offscreen, or on the X display in DISPLAY
// when one is set.
//   bench_idle [seconds]
#include "benchsupport.h"
#include "look/objectnames.h"
#include "simulators.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace vornal;

namespace {

// A line of /proc/<pid>/status in megabytes ("VmRSS", "VmHWM").
double statusMegabytes(qint64 pid, const QByteArray& key) {
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith(key + ':'))
            return line.mid(key.size() + 1).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

// The kind of a mapping, by the file it maps.
const char* kindOf(const QByteArray& path) {
    const QByteArray name = QFileInfo(QString::fromLocal8Bit(path)).fileName().toLocal8Bit();
    if (path.isEmpty() || path.startsWith('['))
        return "anonymous";
    if (path.contains("/fonts/") || name.endsWith(".ttf") || name.endsWith(".otf") || name.endsWith(".pfb") ||
        name.endsWith(".cache-8"))
        return "fonts";
    if (name.endsWith(".jpg") || name.endsWith(".png"))
        return "pictures";
    if (name.startsWith("libQt6Multimedia") || path.contains("/multimedia/") || name.startsWith("libpulse") ||
        name.startsWith("libasound") || name.startsWith("libgst") || name.startsWith("libav") ||
        name.startsWith("libsw") || name.startsWith("libsndfile"))
        return "multimedia and sound";
    if (name.startsWith("libQt6") || path.contains("/qt6/plugins/"))
        return "Qt libraries and plugins";
    if (name.startsWith("libicu"))
        return "ICU";
    if (name.startsWith("vornal"))
        return "the program";
    if (name.contains(".so"))
        return "other libraries";
    return "other files";
}

// The resident memory of the process and its main parts, from smaps_rollup and smaps.
void printBreakdown(qint64 pid, const char* when) {
    QFile rollup(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
    QMap<QByteArray, double> total; // megabytes by field
    if (rollup.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : rollup.readAll().split('\n')) {
            const int colon = line.indexOf(':');
            if (colon > 0 && line.endsWith("kB"))
                total[line.left(colon)] =
                    line.mid(colon + 1).trimmed().split(' ').first().toDouble() / 1024.0;
        }
    }
    std::printf("%s: resident %.1f MB (anonymous %.1f MB, file-backed %.1f MB; proportional %.1f MB)\n", when,
                total.value("Rss"), total.value("Anonymous"), total.value("Rss") - total.value("Anonymous"),
                total.value("Pss"));

    QFile smaps(QStringLiteral("/proc/%1/smaps").arg(pid));
    if (!smaps.open(QIODevice::ReadOnly))
        return;
    QMap<QByteArray, double> byKind;
    QMap<QByteArray, double> byFile; // anonymous mappings by their name ([heap], [stack], ...)
    QByteArray path;
    for (const QByteArray& line : smaps.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() >= 5 && fields[0].contains('-') && !fields[0].endsWith(':')) {
            // A mapping's header: range, rights, offset, device, inode, path.
            path = fields.size() >= 6 ? fields.mid(5).join(' ') : QByteArray();
        } else if (fields.size() >= 2 && fields[0] == "Rss:") {
            const double mb = fields[1].toDouble() / 1024.0;
            byKind[kindOf(path)] += mb;
            byFile[path.isEmpty() ? QByteArray("[anonymous]")
                                  : QFileInfo(QString::fromLocal8Bit(path)).fileName().toLocal8Bit()] += mb;
        }
    }
    std::vector<std::pair<double, QByteArray>> kinds;
    for (auto it = byKind.cbegin(); it != byKind.cend(); ++it)
        kinds.emplace_back(it.value(), it.key());
    std::sort(kinds.rbegin(), kinds.rend());
    std::printf("  by kind:");
    for (const auto& [mb, kind] : kinds)
        std::printf(" %s %.1f MB;", kind.constData(), mb);
    std::printf("\n");
    std::vector<std::pair<double, QByteArray>> files;
    for (auto it = byFile.cbegin(); it != byFile.cend(); ++it)
        files.emplace_back(it.value(), it.key());
    std::sort(files.rbegin(), files.rend());
    std::printf("  largest:");
    for (size_t i = 0; i < std::min<size_t>(12, files.size()); ++i)
        std::printf(" %s %.1f;", files[i].second.constData(), files[i].first);
    std::printf(" (MB)\n");
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
    QTemporaryDir dir;
    BoxSimulator box(dir.path());
    const QString link = box.link();
    if (!box.start()) {
        std::fprintf(stderr, "the box simulator did not start\n");
        return 1;
    }
    QDir().mkpath(dir.filePath(QStringLiteral("vornal")));
    QFile ini(dir.filePath(QStringLiteral("vornal/Vornal USB Terminal.ini")));
    if (!ini.open(QIODevice::WriteOnly))
        return 1;
    ini.write("[Ports]\n1=" + link.toLocal8Bit() + "\n");
    ini.close();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains(QStringLiteral("DISPLAY")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("disabled:"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path());
    env.remove(QStringLiteral("VORNAL_HOME"));
    env.insert(QStringLiteral("VORNAL_START_CLICKS"), ObjectNames::kLblOpen1);
    QProcess terminal;
    terminal.setProcessEnvironment(env);
    terminal.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    terminal.start(QStringLiteral(TERMINAL_PATH), {});
    if (!terminal.waitForStarted(5000)) {
        std::fprintf(stderr, "the terminal did not start\n");
        return 1;
    }
    const qint64 pid = terminal.processId();
    // The simulator says on its error channel when the port opens.
    box.process().setReadChannel(QProcess::StandardError);
    QByteArray notes;
    QElapsedTimer settle;
    settle.start();
    bool early = false;
    while (settle.elapsed() < 5000) {
        box.process().waitForReadyRead(100);
        notes += box.process().readAllStandardError();
        if (!early && settle.elapsed() >= 3000) {
            early = true;
            printBreakdown(pid, "3 s after the start");
        }
    }
    if (!notes.contains("the terminal opened the port")) {
        std::fprintf(stderr, "the port did not open: %s\n", notes.constData());
        terminal.kill();
        terminal.waitForFinished();
        return 1;
    }

    const double before = cpuSecondsOf(pid);
    QElapsedTimer wall;
    wall.start();
    QThread::sleep(unsigned(seconds));
    const double cpu = cpuSecondsOf(pid) - before;
    const double elapsed = double(wall.nsecsElapsed()) / 1e9;
    const double rss = statusMegabytes(pid, "VmRSS");
    const double peak = statusMegabytes(pid, "VmHWM");
    std::printf("idle for %d s (%s), port open, clock running: CPU %.3f %% of one core; resident %.1f MB "
                "(peak %.1f MB)\n",
                seconds, env.contains(QStringLiteral("QT_QPA_PLATFORM")) ? "offscreen" : "X display",
                100.0 * cpu / elapsed, rss, peak);
    printBreakdown(pid, "after the idle run");
    std::printf("goals: CPU at most 0.5 %%, resident at most 40 MB\n");
    terminal.terminate();
    terminal.waitForFinished(5000);
    return 0;
}
