#pragma once

// What the benchmarks share: timing runs, CPU figures of this process (processcpu.h)
// and of another, and a pseudo-terminal to feed the receive path from.

#include "processcpu.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <vector>

namespace vornal {

using Steady = std::chrono::steady_clock;

inline double msSince(Steady::time_point start) {
    return std::chrono::duration<double, std::milli>(Steady::now() - start).count();
}

inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The median, 95th percentile and slowest of a set of times.
struct Figures {
    double median;
    double p95;
    double worst;
};

inline Figures figures(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return {v[v.size() / 2], v[v.size() * 95 / 100], v.back()};
}

// The milliseconds of `runs` runs of timed(i); before() runs untimed ahead of each.
template <typename B, typename F> std::vector<double> timesMs(int runs, B&& before, F&& timed) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        before();
        const auto start = Steady::now();
        timed(i);
        ms.push_back(msSince(start));
    }
    return ms;
}

template <typename B, typename F> double medianMs(int runs, B&& before, F&& timed) {
    return median(timesMs(runs, before, [&](int) { timed(); }));
}

template <typename F> double medianMs(int runs, F&& timed) {
    return medianMs(
        runs, [] {}, timed);
}

// User and system time of another process, in seconds; -1 when it cannot be read.
inline double cpuSecondsOf(qint64 pid) {
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray stat = f.readAll();
    // The fields after the command name, which is in parentheses.
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return -1;
    return double(fields[11].toLongLong() + fields[12].toLongLong()) / double(sysconf(_SC_CLK_TCK));
}

// Writes all of it to the descriptor, stopping at the first failed write.
inline void writeAll(int fd, const char* data, size_t n) {
    while (n > 0) {
        const ssize_t w = ::write(fd, data, n);
        if (w <= 0)
            return;
        data += w;
        n -= size_t(w);
    }
}

// A raw pseudo-terminal: its master descriptor (-1 when none could be had) and the
// device name of its other side.
inline int openRawPty(QString& device) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
        return -1;
    termios raw{};
    tcgetattr(master, &raw);
    cfmakeraw(&raw);
    tcsetattr(master, TCSANOW, &raw);
    device = QString::fromLocal8Bit(ptsname(master));
    return master;
}

} // namespace vornal
