#include "bytelog.h"

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

ByteLog::~ByteLog() {
    if (m_ownsFd)
        ::close(m_fd);
}

bool ByteLog::open(const QString& path, QString* error) {
    if (path == QLatin1String("-")) {
        m_fd = STDOUT_FILENO;
        return true;
    }
    m_fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (m_fd < 0) {
        *error =
            QStringLiteral("cannot write %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    m_ownsFd = true;
    return true;
}

void ByteLog::record(QByteArrayView bytes) {
    if (m_fd < 0 || bytes.isEmpty())
        return;
    const qint64 nanoseconds = m_clock.nsecsElapsed();
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%lld.%09lld ", static_cast<long long>(nanoseconds / 1000000000),
                  static_cast<long long>(nanoseconds % 1000000000));
    QByteArray lines;
    for (char c : bytes)
        lines += stamp + QByteArray::number(static_cast<quint8>(c)) + '\n';
    for (qsizetype done = 0; done < lines.size();) {
        const ssize_t written =
            ::write(m_fd, lines.constData() + done, static_cast<size_t>(lines.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        done += written;
    }
}
