#include "files/textfile.h"

#include "files/filewriter.h"
#include "files/textcodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

// The file a write replaces: a symbolic link is followed to the file it names, so
// the link stays and its file gets the new text.
QString finalTarget(const QString& path) {
    QFileInfo info(path);
    for (int depth = 0; depth < 40 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.isSymLink() ? path : info.filePath();
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

FileResult writeBytes(const QString& path, const QByteArray& bytes, FileWriter* writer) {
    const QString target = finalTarget(path);
    const QByteArray native = QFile::encodeName(target);

    struct stat old {};
    const bool exists = ::stat(native.constData(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        return FileResult::systemFailure(path, EISDIR);
    if (exists && ::access(native.constData(), W_OK) != 0)
        return FileResult::systemFailure(path, errno);

    FileWriter system;
    FileWriter& steps = writer ? *writer : system;

    QByteArray temporary;
    int fd = steps.create(path, native, &temporary);
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

    if (!steps.write(fd, bytes.constData(), bytes.size()))
        return abandon(errno);
    if (!steps.sync(fd))
        return abandon(errno);
    const bool closed = steps.close(fd);
    fd = -1;
    if (!closed)
        return abandon(errno);
    if (!steps.rename(temporary, native))
        return abandon(errno);
    syncFolder(target);
    return {};
}

FileResult writeText(const QString& path, const QString& text, FileWriter* writer) {
    return writeBytes(path, TextCodec::encode(text), writer);
}

} // namespace TextFile
} // namespace vornal
