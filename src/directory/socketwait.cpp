#include "socketwait.h"

#include "serial/wait.h"

#include <QCoreApplication>

namespace vornal {

void handlePendingEvents() {
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
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
