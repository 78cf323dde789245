#pragma once

#include <algorithm>
#include <chrono>

namespace vornal {

// Paces characters to a fixed schedule: waitNext() waits until the previous deadline
// plus the interval, not for the interval after the caller's own work, so the time
// spent writing and handling events does not add up over a long text. The waits
// are Wait's and handle events as Delay does.
//
// No deadline comes earlier than the previous one plus the interval, and no wait
// returns before its deadline, so the n-th return after start() is never earlier than
// n intervals after it. A return that came late (a handler or the machine stalled) is
// made up over the next waits, by at most catchUp() each, so no gap between two
// characters is shorter than about 0.9 of the interval and the text ends on time.
// Only after a stall longer than kRestartAfter does the schedule start again from
// now: the next character goes at once and the ones after it at the interval again,
// with no burst. A caller whose line was held (XOFF, CTS) calls start() when it is
// released, since the time lost there is the box's and is not made up.
class CharPacer {
public:
    using Clock = std::chrono::steady_clock;

    explicit CharPacer(double intervalSeconds = 0.0);

    Clock::duration interval() const { return m_interval; }

    // Starts the schedule from now. waitNext() starts it by itself when not yet started.
    void start();
    void waitNext();

    // The deadline of the last waitNext() (the start time right after start()).
    Clock::time_point deadline() const { return m_deadline; }
    // When the last waitNext() ended its wait: the moment the gaps are counted from.
    Clock::time_point lastReturn() const { return m_lastReturn; }

    static constexpr Clock::duration kCatchUp = std::chrono::microseconds(500);
    static constexpr Clock::duration kRestartAfter = std::chrono::seconds(1);

    // How much one gap may be shortened to make up lateness: kCatchUp, and never more
    // than a tenth of the interval.
    Clock::duration catchUp() const { return std::min(kCatchUp, m_interval / 10); }

private:
    Clock::duration m_interval;
    Clock::time_point m_deadline;
    Clock::time_point m_lastReturn;
    bool m_started = false;
    bool m_hasReturned = false;
};

} // namespace vornal
