#include "serial/wait.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <memory>
#include <optional>
#include <poll.h>

namespace vornal {

namespace {

using Clock = Wait::Clock;
using namespace std::chrono_literals;

// The nested loop waits on a timer for whole milliseconds; the last part of the wait,
// below kTail, is slept in slices of kTailSlice with the events handled between them.
// This ends the wait close to its deadline without spinning a core.
constexpr auto kTail = 1ms;
constexpr auto kTailSlice = 200us;
// The slices when no event loop can run: short enough for events to stay responsive.
constexpr auto kFallbackSlice = 10ms;
// One timer run at most; a longer wait simply takes several.
constexpr auto kLongestTimer = std::chrono::milliseconds(std::chrono::hours(1));
// Far beyond any pause the program asks for, and safe from overflow in nanoseconds.
constexpr double kLongestSeconds = 1e7;

// Where the wakes of one blocking wait land; the loop is the nested loop to end.
struct Waker {
    std::optional<Wait::Result> result;
    QEventLoop* loop = nullptr;

    void wake(Wait::Result why) {
        if (!result)
            result = why;
        if (loop)
            loop->quit();
    }
};

} // namespace

Clock::duration secondsToDuration(double seconds) {
    if (!(seconds > 0.0))
        return Clock::duration::zero();
    const std::chrono::duration<double> asked(std::min(seconds, kLongestSeconds));
    return std::chrono::ceil<Clock::duration>(asked);
}

Wait::Wait(Clock::time_point deadline) : m_deadline(deadline) {}

Wait& Wait::wakeWhenReadable(int fd) {
    if (fd >= 0)
        m_watches.push_back({fd, POLLIN});
    return *this;
}

Wait& Wait::wakeWhenWritable(int fd) {
    if (fd >= 0)
        m_watches.push_back({fd, POLLOUT});
    return *this;
}

Wait& Wait::wakeWhen(std::function<bool()> condition) {
    m_condition = std::move(condition);
    return *this;
}

bool Wait::sleepOnDescriptors(Clock::duration length) const {
    std::vector<pollfd> fds;
    fds.reserve(m_watches.size());
    for (const Watch& w : m_watches)
        fds.push_back({w.fd, w.events, 0});
    const auto ns =
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::max(length, Clock::duration::zero()));
    const timespec timeout{time_t(ns.count() / 1'000'000'000), long(ns.count() % 1'000'000'000)};
    for (;;) {
        const int rc = ::ppoll(fds.data(), nfds_t(fds.size()), &timeout, nullptr);
        // Any answer counts as ready, an error or a hang-up included: the caller's next
        // read or write reports it, and waiting on such a descriptor again would spin.
        if (rc >= 0)
            return rc > 0;
        // A look without waiting is repeated; a sleep cut short simply ends early.
        if (errno != EINTR || length > Clock::duration::zero())
            return false;
    }
}

bool Wait::due(Result* result) const {
    if (!m_watches.empty() && sleepOnDescriptors(Clock::duration::zero())) {
        *result = Result::Descriptor;
        return true;
    }
    if (m_condition && m_condition()) {
        *result = Result::Condition;
        return true;
    }
    return false;
}

Wait::Result Wait::run() {
    Result result = Result::Deadline;
    if (due(&result))
        return result;
    if (Clock::now() >= m_deadline)
        return Result::Deadline;
    return block();
}

Wait::Result Wait::block() {
    const bool haveApp = QCoreApplication::instance() != nullptr;
    bool loopRuns = haveApp;

    // Declared before the context object, so that the connections made on it go
    // before the things they point at.
    Waker waker;
    std::optional<QEventLoop> loop;
    QTimer timer;
    std::vector<std::unique_ptr<QSocketNotifier>> notifiers;
    QObject context;

    for (const auto& connectSignal : m_signals)
        connectSignal(&context, [&waker] { waker.wake(Result::Signal); });
    // A dispatcher is about to sleep once it has handled every event that arrived:
    // the moment to look at the condition again.
    if (m_condition && haveApp) {
        if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
            QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, &context, [this, &waker] {
                if (!waker.result && m_condition())
                    waker.wake(Result::Condition);
            });
    }
    const auto prepareLoop = [&] {
        loop.emplace();
        waker.loop = &*loop;
        timer.setSingleShot(true);
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, &*loop, &QEventLoop::quit);
        for (const Watch& w : m_watches) {
            auto notifier = std::make_unique<QSocketNotifier>(
                qintptr(w.fd), w.events == POLLIN ? QSocketNotifier::Read : QSocketNotifier::Write);
            QObject::connect(notifier.get(), &QSocketNotifier::activated, &context,
                             [&waker] { waker.wake(Result::Descriptor); });
            notifiers.push_back(std::move(notifier));
        }
    };

    for (;;) {
        if (waker.result)
            return *waker.result;
        Result result = Result::Deadline;
        if (due(&result))
            return result;
        const auto remaining = m_deadline - Clock::now();
        if (remaining <= Clock::duration::zero())
            return Result::Deadline;
        if (loopRuns && remaining >= kTail) {
            if (!loop)
                prepareLoop();
            timer.start(std::min(std::chrono::floor<std::chrono::milliseconds>(remaining), kLongestTimer));
            loop->exec();
            // The loop returns with neither its timer nor a wake only when it cannot
            // run at all, as once the application has been told to quit; running it
            // again would return at once and spin, so sleep in slices from now on.
            const bool timedOut = !timer.isActive();
            timer.stop();
            if (!timedOut && !waker.result)
                loopRuns = false;
            continue;
        }
        if (haveApp) {
            QCoreApplication::processEvents();
            if (waker.result)
                return *waker.result;
            if (due(&result))
                return result;
        }
        const auto left = m_deadline - Clock::now();
        if (left > Clock::duration::zero() &&
            sleepOnDescriptors(std::min<Clock::duration>(left, loopRuns ? kTailSlice : kFallbackSlice)))
            return Result::Descriptor;
    }
}

} // namespace vornal
