#pragma once

#include "files/textfile.h"

#include <QByteArray>
#include <QString>

namespace vornal {

// A file that grows at its end and stays open between writes, for a log. Every
// append goes to the system at once (no buffer in the program), so a crash of the
// program loses nothing that was appended. The folder is made when missing.
class AppendFile {
public:
    AppendFile() = default;
    ~AppendFile() { close(); }
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;

    FileResult open(const QString& path);
    // All of the bytes, or the failure (a short write on a full disk included).
    FileResult append(const QByteArray& bytes);
    void close();
    bool isOpen() const { return m_fd >= 0; }
    const QString& path() const { return m_path; }

private:
    int m_fd = -1;
    QString m_path;
};

} // namespace vornal
