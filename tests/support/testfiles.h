#pragma once

#include <QByteArray>
#include <QString>

namespace vornal {

// Files that tests set up and look at, as raw bytes and without the program's own
// file code, so that a fault there cannot hide in the fixture.

// Writes the bytes, replacing the file; false when the file cannot be written whole.
[[nodiscard]] bool writeFile(const QString& path, const QByteArray& bytes);
// The file's bytes; `whenMissing` when the file is missing or cannot be read.
QByteArray fileBytes(const QString& path, const QByteArray& whenMissing = {});
// A file of the program folder by its name in `ProgramFiles` ("\\Message.txt"), as the
// name inside a folder ("Message.txt").
QString programFile(const char* file);

} // namespace vornal
