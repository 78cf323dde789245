#pragma once

#include <QObject>

namespace vornal {

class FeatureContext;
class TrafficLog;

// The day's traffic log, unless the settings store turns it off ("Log"/"Enabled" "0"):
// what the terminal shows and what the window's link sends go to the log, and a log
// that stops is told to the operator once.
class TrafficLogFeature : public QObject {
    Q_OBJECT
public:
    explicit TrafficLogFeature(FeatureContext& context);

    // Null when the log is off.
    TrafficLog* log() const { return m_log; }

private:
    TrafficLog* m_log = nullptr;
};

} // namespace vornal
