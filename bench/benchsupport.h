#pragma once

// What the benchmarks share: timing runs, CPU figures of this process (processcpu.h)
// and of another, a pseudo-terminal to feed the receive path from, and a meter of how
// long the event loop stays blocked.

#include "processcpu.h"
#include "rawpty.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QString>
#include <QTimer>

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

// How long the event loop stays blocked: a repeating timer every kIntervalMs notes how
// much later than due each of its shots comes (the time since the one before, less the
// interval). stop() counts the time since the last shot too, so a block that runs up to
// the stop is not missed. Stalls are the blocks longer than kStallMs.
class StallMeter {
public:
    static constexpr int kIntervalMs = 5;
    static constexpr double kStallMs = 50;

    StallMeter() {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(kIntervalMs);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { note(); });
    }
    StallMeter(const StallMeter&) = delete;
    StallMeter& operator=(const StallMeter&) = delete;

    void start() {
        m_worstMs = 0;
        m_stalls = 0;
        m_last = Steady::now();
        m_timer.start();
    }
    void stop() {
        note();
        m_timer.stop();
    }
    // The longest lateness since start(), in milliseconds.
    double worstMs() const { return m_worstMs; }
    int stalls() const { return m_stalls; }
    // The longest lateness so far, the time since the last tick included, and starts
    // anew: splits one run into steps.
    double take() {
        note();
        const double worst = m_worstMs;
        m_worstMs = 0;
        return worst;
    }

    // Starts, runs op(), then the event loop until done() holds (at most timeoutMs) and
    // kSettleMs more for what the operation left queued, and stops: the worst lateness.
    template <typename Op, typename Done> double measure(Op&& op, Done&& done, int timeoutMs = 60000) {
        start();
        op();
        QElapsedTimer waited;
        waited.start();
        while (!done() && waited.elapsed() < timeoutMs)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, kIntervalMs);
        waited.start();
        while (waited.elapsed() < kSettleMs)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, kIntervalMs);
        stop();
        return m_worstMs;
    }
    template <typename Op> double measure(Op&& op) {
        return measure(op, [] { return true; });
    }

private:
    static constexpr int kSettleMs = 60;

    void note() {
        const auto now = Steady::now();
        const double late = std::chrono::duration<double, std::milli>(now - m_last).count() - kIntervalMs;
        m_last = now;
        m_worstMs = std::max(m_worstMs, late);
        if (late > kStallMs)
            ++m_stalls;
    }

    QTimer m_timer;
    Steady::time_point m_last;
    double m_worstMs = 0;
    int m_stalls = 0;
};

// The worst of several measures.
template <typename F> double worstOf(int runs, F&& measured) {
    double worst = 0;
    for (int i = 0; i < runs; ++i)
        worst = std::max(worst, measured());
    return worst;
}

} // namespace vornal
