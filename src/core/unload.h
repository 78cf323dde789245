#pragma once

#include <functional>

namespace vornal {

class Clock;
class SerialLink;
class UserDialogs;

// Before the program ends, waits up to 10 seconds for the port's output to drain
// and then asks "Data cannot be sent" with Abort, Retry and Ignore. Returns false
// when the operator chose Abort: the program keeps running with the port open.
// Otherwise the port is closed. waitStep lets events run for a short while.
bool drainAndClose(SerialLink& link, const Clock& clock, UserDialogs& dialogs,
                   const std::function<void()>& waitStep);

} // namespace vornal
