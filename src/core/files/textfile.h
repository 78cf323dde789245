#pragma once

#include <QByteArray>
#include <QString>

namespace vornal {

class FileWriter;

// The outcome of a file operation: empty when it worked, else one line naming the
// file and the system's reason ("/home/op/Message.txt: Permission denied").
struct FileResult {
    QString error;
    QString reason = {}; // the system's reason alone

    bool ok() const { return error.isEmpty(); }
    explicit operator bool() const { return ok(); }
    static FileResult failure(const QString& path, const QString& reason);
    // The failure with the system's text for an error number (errno).
    static FileResult systemFailure(const QString& path, int error);
};

// The program's text files: one byte per character in Windows-1252, read and written
// through the one codec.
//
// A write replaces the whole file only when the new one is complete: the bytes go to a
// temporary file in the same folder, every write, the sync to the disk and the close
// are checked, and only then is the temporary file renamed over the old one (and the
// folder synced). Any failure removes the temporary file and leaves the old file as it
// was. A read-only file is not replaced; a symbolic link keeps pointing to the file it
// names, which is replaced; the new file gets the old one's permissions. The steps of a
// write go through `writer`, the system's own when none is given.
namespace TextFile {

FileResult readBytes(const QString& path, QByteArray* bytes);
FileResult readText(const QString& path, QString* text);
FileResult writeBytes(const QString& path, const QByteArray& bytes, FileWriter* writer = nullptr);
FileResult writeText(const QString& path, const QString& text, FileWriter* writer = nullptr);

} // namespace TextFile
} // namespace vornal
