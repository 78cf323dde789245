#pragma once

#include "serial/lineio.h"

#include <QList>
#include <QObject>
#include <QTimer>

#include <optional>

namespace vornal {

// Reads the modem lines and the driver's counters of the open port at a modest rate
// and tells what changed as the port's line events and errors. A device that has
// neither (a pseudo-terminal) is read once, when the watch starts, and then left alone.
class LineWatch : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 200;

    // One reading of the line; none where the device does not tell.
    struct Sample {
        std::optional<ModemLines> lines;
        std::optional<LineCounters> counters;
    };

    explicit LineWatch(const LineIo& io, QObject* parent = nullptr);

    // Takes the line's state as it is now, without events, and reads it again on
    // every tick while the device tells anything.
    void start(int fd);
    void stop();
    // One tick's reading, at once.
    void poll();
    bool isPolling() const { return m_timer.isActive(); }
    // The lines as last read; none while stopped or where the device has none.
    std::optional<ModemLines> lines() const { return m_last.lines; }

    // The event codes for what changed from one reading to the next: a line that
    // differs or whose count of transitions grew (CTS, DSR, CD), RI coming on or its
    // count growing (the ring), then each error count that grew, once however much.
    // A count that went down (wrapped, or the device began again) raises nothing.
    static QList<int> eventsBetween(const Sample& before, const Sample& after);

signals:
    // A line event or error code (CommEvent).
    void lineEvent(int code);
    // lines() changed, or became known or unknown.
    void linesChanged();

private:
    Sample read() const;
    void take(const Sample& now);

    const LineIo& m_io;
    int m_fd = -1;
    Sample m_last;
    QTimer m_timer;
};

} // namespace vornal
