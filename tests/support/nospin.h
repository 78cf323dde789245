#pragma once

#include "processcpu.h"

#include <QString>
#include <QtTest>

#include <chrono>

namespace vornal {

// Runs `attempt` (one wait or pause) and checks that it kept a core busy for less than
// a quarter of its time. A wait that spins does so at every attempt, while a loaded
// machine may now and then charge a single attempt with a burst of stray CPU time: the
// wait passes when one of three attempts stays under the mark.
template <typename Attempt> void expectNoSpin(Attempt attempt) {
    using Clock = std::chrono::steady_clock;
    double cpu = 0;
    double wall = 0;
    for (int round = 0; round < 3; ++round) {
        const auto start = Clock::now();
        const double cpuStart = processCpuSeconds();
        attempt();
        if (QTest::currentTestFailed())
            return;
        cpu = processCpuSeconds() - cpuStart;
        wall = std::chrono::duration<double>(Clock::now() - start).count();
        if (cpu < 0.25 * wall)
            return;
    }
    QFAIL(qPrintable(QStringLiteral("the wait spins: %1 s of CPU in %2 s").arg(cpu).arg(wall)));
}

} // namespace vornal
