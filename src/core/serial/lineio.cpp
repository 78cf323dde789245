#include "serial/lineio.h"

#include <linux/serial.h>
#include <sys/ioctl.h>

namespace vornal {

namespace {

class SystemLineIo final : public LineIo {
public:
    std::optional<ModemLines> modemLines(int fd) const override {
        int bits = 0;
        if (fd < 0 || ::ioctl(fd, TIOCMGET, &bits) != 0)
            return std::nullopt;
        return ModemLines{(bits & TIOCM_CTS) != 0, (bits & TIOCM_DSR) != 0, (bits & TIOCM_CAR) != 0,
                          (bits & TIOCM_RNG) != 0};
    }

    std::optional<LineCounters> errorCounters(int fd) const override {
        serial_icounter_struct counts{};
        if (fd < 0 || ::ioctl(fd, TIOCGICOUNT, &counts) != 0)
            return std::nullopt;
        const auto n = [](int count) { return quint32(count); };
        return LineCounters{n(counts.cts),     n(counts.dsr),   n(counts.dcd),
                            n(counts.rng),     n(counts.frame), n(counts.parity),
                            n(counts.overrun), n(counts.brk),   n(counts.buf_overrun)};
    }
};

} // namespace

const LineIo& systemLineIo() {
    static const SystemLineIo io;
    return io;
}

} // namespace vornal
