#include "socketwait.h"

#include "serial/wait.h"

#include <QCoreApplication>

#include <atomic>
#include <thread>

namespace vornal {

void handlePendingEvents() {
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

void runBesideEvents(const std::function<void()>& work) {
    std::atomic<bool> done{false};
    std::thread worker([&] {
        work();
        done = true;
        // An event for the waiting thread, which looks at the condition once it has
        // handled it.
        if (QCoreApplication* app = QCoreApplication::instance())
            QMetaObject::invokeMethod(
                app, [] {}, Qt::QueuedConnection);
    });
    // No deadline: the work ends by itself, and the wait with it.
    while (!done)
        Wait(Wait::Clock::now() + std::chrono::hours(1)).wakeWhen([&] { return done.load(); }).run();
    worker.join();
}

SocketWaitResult waitForSocket(int fd, SocketWaitFor what, std::chrono::steady_clock::time_point deadline) {
    Wait wait(deadline);
    if (what == SocketWaitFor::Read)
        wait.wakeWhenReadable(fd);
    else
        wait.wakeWhenWritable(fd);
    return wait.run() == Wait::Result::Descriptor ? SocketWaitResult::Ready : SocketWaitResult::TimedOut;
}

} // namespace vornal
