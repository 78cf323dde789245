#include "pseudoterminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/inotify.h>
#include <termios.h>
#include <unistd.h>

namespace {

bool makeRaw(int fd) {
    termios settings{};
    if (tcgetattr(fd, &settings) != 0)
        return false;
    cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    settings.c_cflag &= ~(CSTOPB | PARENB | CSIZE);
    settings.c_cflag |= CS8;
    cfsetispeed(&settings, B9600);
    cfsetospeed(&settings, B9600);
    return tcsetattr(fd, TCSANOW, &settings) == 0;
}

QString systemError(const char* what) {
    return QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

PseudoTerminal::~PseudoTerminal() {
    for (int fd : {m_watch, m_ownSlave, m_master})
        if (fd >= 0)
            ::close(fd);
}

bool PseudoTerminal::open(QString* error) {
    // Close-on-exec throughout: no other process may keep the master alive, or
    // the terminal would not notice the box going away.
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0) {
        *error = systemError("posix_openpt");
        return false;
    }
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
        *error = systemError("grantpt/unlockpt");
        return false;
    }
    char name[128];
    if (ptsname_r(m_master, name, sizeof name) != 0) {
        *error = systemError("ptsname");
        return false;
    }
    m_slaveName = QString::fromLocal8Bit(name);
    m_ownSlave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (m_ownSlave < 0) {
        *error = systemError("open slave");
        return false;
    }
    if (!makeRaw(m_master) || !makeRaw(m_ownSlave)) {
        *error = systemError("tcsetattr");
        return false;
    }
    const int flags = fcntl(m_master, F_GETFL);
    if (flags < 0 || fcntl(m_master, F_SETFL, flags | O_NONBLOCK) != 0) {
        *error = systemError("fcntl");
        return false;
    }

    // Added after our own open, so every event comes from the terminal.
    m_watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_watch >= 0 && inotify_add_watch(m_watch, name, IN_OPEN | IN_CLOSE) < 0) {
        ::close(m_watch);
        m_watch = -1;
    }
    return true;
}

PseudoTerminal::PortChanges PseudoTerminal::updatePortState() {
    PortChanges changes;
    if (m_watch < 0)
        return changes;
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(m_watch, buffer, sizeof buffer);
        if (got <= 0)
            break;
        for (ssize_t at = 0; at < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            if (event->mask & IN_OPEN) {
                ++m_clientOpens;
                changes.opened = true;
            }
            if ((event->mask & IN_CLOSE) && m_clientOpens > 0) {
                // Whatever the terminal did not read before its last close is
                // stale; drop it so a later open starts clean.
                if (--m_clientOpens == 0) {
                    tcflush(m_ownSlave, TCIFLUSH);
                    changes.closed = true;
                }
            }
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    return changes;
}
