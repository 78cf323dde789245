#pragma once

#include <chrono>
#include <functional>

namespace vornal {

enum class SocketWaitResult { Ready, TimedOut };
enum class SocketWaitFor { Read, Write };

// Waits until the socket can be read (data, the peer's close or an error) or written
// (a connect has finished, either way), handling the thread's events meanwhile, or
// until the deadline passes. The program's one Wait does the waiting.
SocketWaitResult waitForSocket(int fd, SocketWaitFor what, std::chrono::steady_clock::time_point deadline);

// Handles the thread's pending events once, when there is an application object.
void handlePendingEvents();

// Runs work on a thread of its own and returns when it has finished, the thread's
// events handled meanwhile, so that a long step (a sort, a file written whole) does not
// hold the window. The work must not touch what the events may change: it works on
// copies (implicitly shared lists are safe to copy across threads).
void runBesideEvents(const std::function<void()>& work);

} // namespace vornal
