#pragma once

#include <QFile>
#include <QString>

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace vornal {

// A folder in which nothing may be created, changed or removed while this lives: its
// mode is 0555, and a test run by root gives up (for this thread, until the end) the
// capability that lets root write anywhere. active() is false when the folder could
// not be made read-only here; the test should then skip.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& path) : m_path(QFile::encodeName(path)) {
        struct stat st {};
        if (::stat(m_path.constData(), &st) != 0)
            return;
        m_mode = st.st_mode & 07777;
        ::chmod(m_path.constData(), 0555);
        if (::geteuid() == 0)
            m_droppedCapability = setOverride(false);
        // Whether it holds: a file made in the folder says it does not.
        const QByteArray probe = m_path + "/.probe";
        const int fd = ::open(probe.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (fd >= 0) {
            ::close(fd);
            ::unlink(probe.constData());
        } else {
            m_active = true;
        }
    }
    ~ReadOnlyFolder() {
        if (m_droppedCapability)
            setOverride(true);
        ::chmod(m_path.constData(), m_mode);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool active() const { return m_active; }

private:
    // Switches root's CAP_DAC_OVERRIDE in the effective set of this thread.
    static bool setOverride(bool on) {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct data[2]{};
        if (::syscall(SYS_capget, &header, data) != 0)
            return false;
        if (on)
            data[0].effective |= 1u << CAP_DAC_OVERRIDE;
        else
            data[0].effective &= ~(1u << CAP_DAC_OVERRIDE);
        return ::syscall(SYS_capset, &header, data) == 0;
    }

    QByteArray m_path;
    mode_t m_mode = 0755;
    bool m_droppedCapability = false;
    bool m_active = false;
};

} // namespace vornal
