#pragma once

#include <chrono>

namespace vornal {

enum class SocketWaitResult { Ready, TimedOut };
enum class SocketWaitFor { Read, Write };

// Waits until the socket can be read (data, the peer's close or an error) or written
// (a connect has finished, either way), handling the thread's events meanwhile, or
// until the deadline passes. The program's one Wait does the waiting.
SocketWaitResult waitForSocket(int fd, SocketWaitFor what, std::chrono::steady_clock::time_point deadline);

// Handles the thread's pending events once, when there is an application object.
void handlePendingEvents();

} // namespace vornal
