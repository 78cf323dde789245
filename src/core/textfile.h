#pragma once

#include <QByteArray>
#include <QString>

namespace vornal {

// The outcome of a file operation: empty when it worked, else one line naming the
// file and the system's reason ("/home/op/Message.txt: Permission denied").
struct FileResult {
    QString error;
    QString reason = {}; // the system's reason alone

    bool ok() const { return error.isEmpty(); }
    explicit operator bool() const { return ok(); }
    static FileResult failure(const QString& path, const QString& reason);
};

// The program's text files: one byte per character in Windows-1252, read and written
// through the one codec. A write replaces the whole file at once (a temporary file
// renamed over the old one), so a failed write leaves the old file as it was.
namespace TextFile {

FileResult readBytes(const QString& path, QByteArray* bytes);
FileResult readText(const QString& path, QString* text);
FileResult writeBytes(const QString& path, const QByteArray& bytes);
FileResult writeText(const QString& path, const QString& text);

} // namespace TextFile
} // namespace vornal
