// Start-up time of the terminal: from starting the process to the main window shown
// (offscreen), median of 5 runs. It runs vornal-terminal-scripted, the program with the
// same start (runTerminal), which says when the window is shown (VORNAL_REPORT_SHOWN).
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QString program = QStringLiteral(TERMINAL_PATH);
    QTemporaryDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("disabled:"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path());
    env.insert(QStringLiteral("VORNAL_REPORT_SHOWN"), QStringLiteral("quit"));

    std::vector<double> ms;
    for (int run = 0; run < 6; ++run) {
        QProcess p;
        p.setProcessEnvironment(env);
        QElapsedTimer t;
        t.start();
        p.start(program, {});
        double shown = -1;
        while (p.waitForReadyRead(10000)) {
            if (p.readAllStandardOutput().contains("window shown")) {
                shown = double(t.nsecsElapsed()) / 1e6;
                break;
            }
        }
        p.waitForFinished(10000);
        if (shown < 0) {
            std::fprintf(stderr, "run %d: the window was not reported\n", run);
            return 1;
        }
        if (run > 0) // the first run warms the disk cache
            ms.push_back(shown);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("start-up to window shown: median %.1f ms (min %.1f, max %.1f, 5 runs)\n", ms[2], ms.front(),
                ms.back());
    return 0;
}
