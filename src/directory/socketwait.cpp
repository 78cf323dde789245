#include "socketwait.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <poll.h>

namespace vornal {

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// Without an event loop the wait sleeps in poll() for this long between two rounds
// of event handling.
constexpr auto kSlice = 10ms;
constexpr auto kLongestTimer = std::chrono::milliseconds(std::chrono::hours(1));

short pollEvents(SocketWaitFor what) {
    return what == SocketWaitFor::Read ? POLLIN : POLLOUT;
}

// poll() with the given timeout; true when the socket is ready (or in error, which a
// following call reports).
bool pollOnce(int fd, SocketWaitFor what, int timeoutMs) {
    pollfd p{fd, pollEvents(what), 0};
    for (;;) {
        const int rc = ::poll(&p, 1, timeoutMs);
        if (rc < 0 && errno == EINTR)
            continue;
        return rc != 0;
    }
}

} // namespace

void handlePendingEvents() {
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

SocketWaitResult waitForSocket(int fd, SocketWaitFor what, Clock::time_point deadline) {
    bool loopUsable = QCoreApplication::instance() != nullptr;
    for (;;) {
        if (pollOnce(fd, what, 0))
            return SocketWaitResult::Ready;
        const auto remaining = deadline - Clock::now();
        if (remaining <= Clock::duration::zero())
            return SocketWaitResult::TimedOut;
        if (loopUsable) {
            QEventLoop loop;
            QSocketNotifier notifier(qintptr(fd), what == SocketWaitFor::Read ? QSocketNotifier::Read
                                                                              : QSocketNotifier::Write);
            QTimer timer;
            timer.setSingleShot(true);
            timer.setTimerType(Qt::PreciseTimer);
            bool woken = false;
            QObject::connect(&notifier, &QSocketNotifier::activated, &loop, [&] {
                woken = true;
                loop.quit();
            });
            QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
                woken = true;
                loop.quit();
            });
            timer.start(
                std::clamp(std::chrono::ceil<std::chrono::milliseconds>(remaining), 1ms, kLongestTimer));
            loop.exec();
            // An event loop that returns by itself cannot run (the application is
            // quitting); waiting in it again would spin, so sleep in poll() instead.
            if (!woken)
                loopUsable = false;
            continue;
        }
        const auto slice = std::min<Clock::duration>(remaining, kSlice);
        pollOnce(fd, what, int(std::chrono::ceil<std::chrono::milliseconds>(slice).count()));
        handlePendingEvents();
    }
}

} // namespace vornal
