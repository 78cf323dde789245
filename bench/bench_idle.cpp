// The program idle: vornal-terminal (its real sound player and skin pictures, from the
// build's program folder) with the port open on vornal-boxsim and the clock running.
// After 5 s to settle, the CPU share over N seconds (default 60) and the resident
// memory. Offscreen, or on the X display in DISPLAY when one is set.
//   bench_idle [seconds]
#include "benchsupport.h"
#include "look/objectnames.h"
#include "simulators.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

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
    while (settle.elapsed() < 5000) {
        box.process().waitForReadyRead(100);
        notes += box.process().readAllStandardError();
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
    std::printf("goals: CPU at most 0.5 %%, resident at most 80 MB\n");
    terminal.terminate();
    terminal.waitForFinished(5000);
    return 0;
}
