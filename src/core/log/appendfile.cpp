#include "log/appendfile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vornal {

FileResult AppendFile::open(const QString& path) {
    close();
    const QByteArray folder = QFile::encodeName(QFileInfo(path).path());
    if (::mkdir(folder.constData(), 0777) != 0 && errno != EEXIST)
        return FileResult::systemFailure(QFileInfo(path).path(), errno);
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return FileResult::systemFailure(path, errno);
    m_fd = fd;
    m_path = path;
    return {};
}

FileResult AppendFile::append(const QByteArray& bytes) {
    if (m_fd < 0)
        return FileResult::systemFailure(m_path, EBADF);
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(m_fd, data, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return FileResult::systemFailure(m_path, n < 0 ? errno : ENOSPC);
        data += n;
        left -= n;
    }
    return {};
}

void AppendFile::close() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

} // namespace vornal
