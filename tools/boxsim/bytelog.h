#pragma once

#include <QByteArrayView>
#include <QElapsedTimer>
#include <QString>

// One line per byte received from the terminal: "<seconds, 9 decimals> <value>",
// the time counted on the monotonic clock from the simulator's start. Each read
// is written out at once so tests can look at the file while the box runs.
class ByteLog {
public:
    explicit ByteLog(const QElapsedTimer& clock) : m_clock(clock) {}
    ~ByteLog();
    ByteLog(const ByteLog&) = delete;
    ByteLog& operator=(const ByteLog&) = delete;

    // "-" logs to standard output.
    bool open(const QString& path, QString* error);
    void record(QByteArrayView bytes);

private:
    const QElapsedTimer& m_clock;
    int m_fd = -1;
    bool m_ownsFd = false;
};
