#pragma once

#include <QString>

namespace vornal {

// Where the operator's files live. File names are written with a leading "\" (or
// "/") and are taken relative to this folder.
class ProgramFolder {
public:
    explicit ProgramFolder(QString root);
    // $VORNAL_HOME when set and not empty, else the folder of the executable. The
    // program itself chooses through ProgramFolderChoice.
    static ProgramFolder fromEnvironment(const QString& executableDir);

    const QString& root() const { return m_root; }
    // "\VornalUsb.cfg" gives <root>/VornalUsb.cfg.
    QString file(const QString& name) const;

private:
    QString m_root;
};

} // namespace vornal
