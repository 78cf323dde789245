#include "files/programfolder.h"

#include <QDir>

namespace vornal {

ProgramFolder::ProgramFolder(const QString& root, FileWriter* writer)
    : m_root(QDir::cleanPath(root)), m_writer(writer) {}

QString ProgramFolder::file(const QString& name) const {
    QString relative = name;
    while (relative.startsWith(QLatin1Char('\\')) || relative.startsWith(QLatin1Char('/')))
        relative.remove(0, 1);
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return m_root + QLatin1Char('/') + relative;
}

} // namespace vornal
