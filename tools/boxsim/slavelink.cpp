#include "slavelink.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

bool SlaveLink::create(const QString& path, const QString& target, QString* error) {
    const QByteArray pathBytes = QFile::encodeName(path);
    const QByteArray targetBytes = QFile::encodeName(target);
    struct stat info {};
    if (lstat(pathBytes.constData(), &info) == 0 && !S_ISLNK(info.st_mode)) {
        *error = QStringLiteral("%1 exists and is not a symlink; not replacing it").arg(path);
        return false;
    }
    // Made beside the final name and renamed over it, so that the path never
    // disappears while a previous link is replaced.
    const QByteArray temporary = pathBytes + ".boxsim-" + QByteArray::number(getpid());
    ::unlink(temporary.constData());
    if (symlink(targetBytes.constData(), temporary.constData()) != 0 ||
        rename(temporary.constData(), pathBytes.constData()) != 0) {
        *error = QStringLiteral("cannot create the link %1: %2")
                     .arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        ::unlink(temporary.constData());
        return false;
    }
    m_path = path;
    m_target = target;
    return true;
}

void SlaveLink::remove() {
    if (m_path.isEmpty())
        return;
    const QByteArray pathBytes = QFile::encodeName(m_path);
    char buffer[4096];
    const ssize_t length = readlink(pathBytes.constData(), buffer, sizeof buffer);
    if (length > 0 && QByteArray(buffer, length) == QFile::encodeName(m_target))
        ::unlink(pathBytes.constData());
    m_path.clear();
}
