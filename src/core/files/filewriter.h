#pragma once

#include <QByteArray>
#include <QString>

namespace vornal {

// The steps of a whole-file write (TextFile::writeBytes): creating the temporary file,
// writing to it, syncing it to the disk, closing it and renaming it over the old file.
// This class takes each step with the system's own call; a test derives from it to make
// a step fail as a full or failing disk would. Every step reports a failure with errno
// set to the system's reason.
class FileWriter {
public:
    virtual ~FileWriter() = default;

    // A new, empty file beside `target` that nobody else uses ("<target>.XXXXXX"),
    // opened for writing: its descriptor, and its name in *temporary; -1 on failure.
    // `path` is the file the write was asked for, before a link was followed.
    virtual int create(const QString& path, const QByteArray& target, QByteArray* temporary);
    // Every byte, whatever the system takes per call.
    virtual bool write(int fd, const char* data, qint64 size);
    virtual bool sync(int fd);
    // The descriptor is closed whatever the answer.
    virtual bool close(int fd);
    virtual bool rename(const QByteArray& from, const QByteArray& to);
};

} // namespace vornal
