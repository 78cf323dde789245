#include "delay.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <optional>
#include <thread>

namespace vornal {

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// The nested loop waits on a timer for whole milliseconds; what remains below one
// millisecond is slept in short slices with the events handled between them. This
// keeps the end of the pause close to its deadline without spinning a core.
constexpr auto kTail = 1ms;
constexpr auto kTailSlice = 200us;
// Used when no event loop can run (no application object, or the application is
// quitting): sleep in slices short enough for events to stay responsive.
constexpr auto kFallbackSlice = 10ms;
// One timer run at most; a longer pause simply takes several.
constexpr auto kLongestTimer = std::chrono::milliseconds(std::chrono::hours(1));
// Far beyond any pause the program asks for, and safe from overflow in nanoseconds.
constexpr double kLongestSeconds = 1e7;

} // namespace

Clock::duration secondsToDuration(double seconds) {
    if (!(seconds > 0.0))
        return Clock::duration::zero();
    const std::chrono::duration<double> asked(std::min(seconds, kLongestSeconds));
    return std::chrono::ceil<Clock::duration>(asked);
}

void Delay(double seconds) {
    const Clock::duration length = secondsToDuration(seconds);
    if (length <= Clock::duration::zero())
        return;
    waitUntil(Clock::now() + length);
}

void waitUntil(Clock::time_point deadline) {
    if (Clock::now() >= deadline)
        return;

    const bool haveApp = QCoreApplication::instance() != nullptr;
    std::optional<QEventLoop> loop;
    QTimer timer;
    if (haveApp) {
        loop.emplace();
        timer.setSingleShot(true);
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, &*loop, &QEventLoop::quit);
    }
    bool loopRuns = haveApp;

    for (;;) {
        const auto remaining = deadline - Clock::now();
        if (remaining <= Clock::duration::zero())
            return;
        if (loopRuns && remaining >= kTail) {
            timer.start(std::min(std::chrono::floor<std::chrono::milliseconds>(remaining), kLongestTimer));
            loop->exec();
            // The loop returns before its timer only when it cannot run at all, as once
            // the application has been told to quit; then fall back to sleeping, since
            // running it again would return at once and spin.
            if (timer.isActive()) {
                timer.stop();
                loopRuns = false;
            }
            continue;
        }
        if (haveApp)
            QCoreApplication::processEvents();
        const auto left = deadline - Clock::now();
        if (left > Clock::duration::zero())
            std::this_thread::sleep_for(
                std::min<Clock::duration>(left, loopRuns ? kTailSlice : kFallbackSlice));
    }
}

} // namespace vornal
