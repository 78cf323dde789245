#pragma once

#include <QtGlobal>

#include <optional>

namespace vornal {

// The modem lines the box drives: CTS and DSR (the box is powered), CD (it holds a
// connection) and RI.
struct ModemLines {
    bool cts = false;
    bool dsr = false;
    bool cd = false;
    bool ri = false;
    bool operator==(const ModemLines&) const = default;
};

// What the driver has counted since the device appeared: the transitions of the
// modem lines and the errors of the received characters.
struct LineCounters {
    quint32 cts = 0;
    quint32 dsr = 0;
    quint32 cd = 0;
    quint32 ring = 0;
    quint32 frame = 0;
    quint32 parity = 0;
    quint32 overrun = 0;
    quint32 breaks = 0;
    quint32 bufferOverrun = 0;
    bool operator==(const LineCounters&) const = default;
};

// The system's calls that read a serial line's state from its descriptor. A device
// without modem lines or counters (a pseudo-terminal) answers none.
class LineIo {
public:
    virtual ~LineIo() = default;
    virtual std::optional<ModemLines> modemLines(int fd) const = 0;
    virtual std::optional<LineCounters> errorCounters(int fd) const = 0;
};

// The system's own: TIOCMGET and TIOCGICOUNT.
const LineIo& systemLineIo();

} // namespace vornal
