#pragma once

#include <QObject>

#include <chrono>
#include <functional>
#include <vector>

namespace vornal {

// The one way the program waits on its single thread: until a deadline on the
// monotonic clock, with the thread's events handled meanwhile (a Cancel click, the
// serial receive event and the clock run during the wait), optionally ended early by
// a file descriptor that becomes readable or writable, by a condition, or by a signal.
//
//     Wait(deadline).wakeWhenReadable(fd).run();
//     Wait(deadline).wakeWhen([&] { return link.outBufferCount() == 0; }).run();
//
// It sleeps in a nested event loop on a precise timer (and on the descriptors); only
// the last fraction of a millisecond before the deadline is slept in short slices
// with the events handled between them, so the wait ends close to its deadline
// without keeping a core busy. When no event loop can run (no application object, or
// the application has been told to quit, after which nested loops return at once) it
// sleeps in short slices instead, handling events between them when it can: it still
// lasts until its deadline or a wake and never spins.
//
// Re-entrant: a handler that runs during a wait may wait again; the outer wait then
// ends once the inner one has returned, even if its own deadline or wake came first.
// Deferred deletes posted before a wait do not run inside it.
class Wait {
public:
    using Clock = std::chrono::steady_clock;

    // Why run() returned; when several wakes are due at once, the first one seen.
    enum class Result { Deadline, Descriptor, Condition, Signal };

    explicit Wait(Clock::time_point deadline);

    // Ends the wait when fd can be read: data, the peer's close or an error (which the
    // following read reports). A negative fd never wakes. The fd must not have a
    // notifier of the same kind in this thread already.
    Wait& wakeWhenReadable(int fd);
    // Ends the wait when fd can be written: room in its buffer, or a connect that has
    // finished either way.
    Wait& wakeWhenWritable(int fd);
    // Ends the wait as soon as the condition holds. It is tested before the wait starts
    // and again whenever the thread has handled the events that arrived, before it
    // would sleep again.
    Wait& wakeWhen(std::function<bool()> condition);
    // Ends the wait when sender emits signal (a pointer to a signal of its class).
    template <typename Sender, typename Signal> Wait& wakeOn(const Sender* sender, Signal signal) {
        m_signals.push_back([sender, signal](QObject* context, const std::function<void()>& wake) {
            QObject::connect(sender, signal, context, wake);
        });
        return *this;
    }

    // Waits. Returns at once, without handling events, when a descriptor is ready or
    // the condition holds already, or when the deadline has passed.
    Result run();

private:
    struct Watch {
        int fd;
        short events;
    };

    // A wake that is due now: a ready descriptor (looked at without waiting) or the
    // condition.
    bool due(Result* result) const;
    Result block();
    // Sleeps for at most `length`, or less when a descriptor gets ready: true then.
    bool sleepOnDescriptors(Clock::duration length) const;

    Clock::time_point m_deadline;
    std::vector<Watch> m_watches;
    std::function<bool()> m_condition;
    std::vector<std::function<void(QObject*, const std::function<void()>&)>> m_signals;
};

// A count of seconds as a duration on the monotonic clock, rounded up so that a wait of
// that length is never shorter than asked; 0 for zero, negative and not-a-number.
Wait::Clock::duration secondsToDuration(double seconds);

} // namespace vornal
