#pragma once

#include "serial/wait.h"

namespace vornal {

// The pause of the senders. Returns after at least `seconds` have passed on the
// monotonic clock and keeps handling the thread's events while it waits, so that a
// Cancel click, the serial receive event and the clock run during a transmission.
// A request of 0 or less (or not a number) returns at once without handling events.
//
// Re-entrant: a handler that runs during the pause may pause again; the outer pause
// then ends when the inner one has returned. Deferred deletes posted before the pause
// do not run inside it. The waiting itself is Wait's.
void Delay(double seconds);

} // namespace vornal
