#include "textfile.h"

#include "textcodec.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace vornal {

FileResult FileResult::failure(const QString& path, const QString& reason) {
    return {QStringLiteral("%1: %2").arg(QDir::fromNativeSeparators(path), reason), reason};
}

namespace TextFile {

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
    QSaveFile file(path);
    // Unbuffered, so that every write reaches the system here and a short one (a full
    // disk, a size limit) is seen: a failed flush inside commit() would not stop the
    // rename of a cut-off file over the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return FileResult::failure(path, file.errorString());
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) {
            const FileResult result = FileResult::failure(path, file.errorString());
            file.cancelWriting();
            return result;
        }
        done += written;
    }
    if (!file.commit())
        return FileResult::failure(path, file.errorString());
    return {};
}

FileResult writeText(const QString& path, const QString& text) {
    return writeBytes(path, TextCodec::encode(text));
}

} // namespace TextFile
} // namespace vornal
