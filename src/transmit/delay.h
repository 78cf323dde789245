#pragma once

#include <chrono>

namespace vornal {

// The pause of the senders. Returns after at least `seconds` have passed on the
// monotonic clock and keeps handling the thread's events while it waits, so that a
// Cancel click, the serial receive event and the clock run during a transmission.
// A request of 0 or less (or not a number) returns at once without handling events.
//
// Re-entrant: a handler that runs during the pause may pause again; the outer pause
// then ends when the inner one has returned. Deferred deletes posted before the pause
// do not run inside it.
void Delay(double seconds);

// Waits, as Delay does, until the monotonic clock reaches `deadline`; returns at once
// when it has already passed.
void waitUntil(std::chrono::steady_clock::time_point deadline);

// A count of seconds as a duration on the monotonic clock, rounded up so that a wait of
// that length is never shorter than asked; 0 for zero, negative and not-a-number.
std::chrono::steady_clock::duration secondsToDuration(double seconds);

} // namespace vornal
