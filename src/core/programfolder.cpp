#include "programfolder.h"

#include <QDir>

namespace vornal {

ProgramFolder::ProgramFolder(QString root) : m_root(QDir::cleanPath(std::move(root))) {}

ProgramFolder ProgramFolder::fromEnvironment(const QString& executableDir) {
    const QString home = qEnvironmentVariable("VORNAL_HOME");
    return ProgramFolder(home.isEmpty() ? executableDir : home);
}

QString ProgramFolder::file(const QString& name) const {
    QString relative = name;
    while (relative.startsWith(QLatin1Char('\\')) || relative.startsWith(QLatin1Char('/')))
        relative.remove(0, 1);
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return m_root + QLatin1Char('/') + relative;
}

} // namespace vornal
