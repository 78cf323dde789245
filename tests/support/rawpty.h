#pragma once

// A pseudo-terminal in raw mode to stand for the box, for the tests and the benchmarks
// that feed the real serial link.

#include <QString>

#include <cstddef>
#include <cstdlib>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace vornal {

// Writes all of it to the descriptor, stopping at the first failed write.
inline void writeAll(int fd, const char* data, size_t n) {
    while (n > 0) {
        const ssize_t w = ::write(fd, data, n);
        if (w <= 0)
            return;
        data += w;
        n -= size_t(w);
    }
}

// A raw pseudo-terminal: its master descriptor (-1 when none could be had) and the
// device name of its other side.
inline int openRawPty(QString& device) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
        return -1;
    termios raw{};
    tcgetattr(master, &raw);
    cfmakeraw(&raw);
    tcsetattr(master, TCSANOW, &raw);
    device = QString::fromLocal8Bit(ptsname(master));
    return master;
}

} // namespace vornal
