#pragma once

#include <QString>

namespace vornal {

class FileWriter;

// Where the operator's files live, and what writes them whole. File names are written
// with a leading "\" (or "/") and are taken relative to this folder.
class ProgramFolder {
public:
    // The files are written with `writer` (not owned; it outlives every copy of the
    // folder), or with the system's own steps when it is null.
    explicit ProgramFolder(const QString& root, FileWriter* writer = nullptr);

    const QString& root() const { return m_root; }
    // "\VornalUsb.cfg" gives <root>/VornalUsb.cfg.
    QString file(const QString& name) const;
    // What TextFile writes this folder's files with.
    FileWriter* writer() const { return m_writer; }

private:
    QString m_root;
    FileWriter* m_writer;
};

} // namespace vornal
