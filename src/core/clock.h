#pragma once

#include <QDateTime>

namespace vornal {

// The wall-clock date and time, so that dates, stamps and timers are testable.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

} // namespace vornal
