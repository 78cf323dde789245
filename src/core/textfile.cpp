#include "textfile.h"

#include "textcodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vornal {

FileResult FileResult::failure(const QString& path, const QString& reason) {
    return {QStringLiteral("%1: %2").arg(QDir::fromNativeSeparators(path), reason), reason};
}

FileResult FileResult::systemFailure(const QString& path, int error) {
    return failure(path, QString::fromLocal8Bit(std::strerror(error)));
}

namespace TextFile {

namespace {

std::optional<WriteFault>& currentFault() {
    static std::optional<WriteFault> fault;
    return fault;
}

// The fault that applies to this write to `path`, if any.
std::optional<WriteFault> faultFor(const QString& path) {
    std::optional<WriteFault>& fault = currentFault();
    if (!fault)
        return std::nullopt;
    if (!fault->pathEndsWith.isEmpty() &&
        !QDir::fromNativeSeparators(path).endsWith(QDir::fromNativeSeparators(fault->pathEndsWith)))
        return std::nullopt;
    if (fault->passing > 0) {
        --fault->passing;
        return std::nullopt;
    }
    return fault;
}

// The file a write replaces: a symbolic link is followed to the file it names, so
// the link stays and its file gets the new text.
QString finalTarget(const QString& path) {
    QFileInfo info(path);
    for (int depth = 0; depth < 40 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.isSymLink() ? path : info.filePath();
}

// Every byte, whatever the system takes per call; false with errno set on failure.
bool writeAll(int fd, const char* data, qint64 size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(std::min<qint64>(size, 1 << 30)));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

// A new, empty file beside the target that nobody else uses: "<name>.XXXXXX".
int createTemporary(const QByteArray& target, QByteArray* temporary) {
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray name = target + '.';
        for (int i = 0; i < 6; ++i)
            name += letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)];
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            *temporary = name;
            return fd;
        }
    }
    return -1;
}

// The folder's entry for the renamed file on the disk too. A file system that cannot
// sync a folder has nothing to lose here, and the new file is in place either way.
void syncFolder(const QString& file) {
    const QByteArray folder = QFile::encodeName(QFileInfo(file).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

FileResult readBytes(const QString& path, QByteArray* bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FileResult::failure(path, file.errorString());
    *bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return FileResult::failure(path, file.errorString());
    return {};
}

FileResult readText(const QString& path, QString* text) {
    QByteArray bytes;
    FileResult result = readBytes(path, &bytes);
    if (result)
        *text = TextCodec::decode(bytes);
    return result;
}

FileResult writeBytes(const QString& path, const QByteArray& bytes) {
    const QString target = finalTarget(path);
    const QByteArray native = QFile::encodeName(target);

    struct stat old {};
    const bool exists = ::stat(native.constData(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        return FileResult::systemFailure(path, EISDIR);
    if (exists && ::access(native.constData(), W_OK) != 0)
        return FileResult::systemFailure(path, errno);

    const std::optional<WriteFault> fault = faultFor(path);
    const auto failsAt = [&fault](WriteFault::Step step) { return fault && fault->step == step; };

    QByteArray temporary;
    int fd = -1;
    if (failsAt(WriteFault::Step::Create))
        errno = fault->error;
    else
        fd = createTemporary(native, &temporary);
    if (fd < 0)
        return FileResult::systemFailure(path, errno);

    // From here on a failure removes the temporary file; the old file is untouched.
    const auto abandon = [&](int error) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(temporary.constData());
        return FileResult::systemFailure(path, error);
    };

    if (exists) {
        // The new file takes the place of the old one, with its owner and permissions
        // where the system allows it (the owner first: a change of owner clears the
        // set-id bits).
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
            // Not the owner's to give away: the file stays the writer's own.
        }
        ::fchmod(fd, old.st_mode & 07777);
    }

    if (failsAt(WriteFault::Step::Write)) {
        const qint64 part = std::clamp<qint64>(fault->bytesBeforeFailure, 0, bytes.size());
        writeAll(fd, bytes.constData(), part);
        return abandon(fault->error);
    }
    if (!writeAll(fd, bytes.constData(), bytes.size()))
        return abandon(errno);

    if (failsAt(WriteFault::Step::Sync))
        return abandon(fault->error);
    if (::fsync(fd) != 0)
        return abandon(errno);

    const int closed = ::close(fd);
    fd = -1;
    if (failsAt(WriteFault::Step::Close))
        return abandon(fault->error);
    if (closed != 0)
        return abandon(errno);

    if (failsAt(WriteFault::Step::Rename))
        return abandon(fault->error);
    if (::rename(temporary.constData(), native.constData()) != 0)
        return abandon(errno);
    syncFolder(target);
    return {};
}

FileResult writeText(const QString& path, const QString& text) {
    return writeBytes(path, TextCodec::encode(text));
}

void setWriteFault(std::optional<WriteFault> fault) {
    currentFault() = std::move(fault);
}

} // namespace TextFile
} // namespace vornal
