#pragma once

namespace vornal {

class FeatureContext;
class TrafficLog;

// The day's traffic log, unless the settings store turns it off ("Log"/"Enabled" "0"):
// what the terminal shows and what the window's link sends go to the log, and a log
// that stops is told to the operator once. Null when the log is off.
TrafficLog* attachTrafficLog(FeatureContext& context);

} // namespace vornal
