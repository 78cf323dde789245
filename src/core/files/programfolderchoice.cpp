#include "files/programfolderchoice.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStringList>

namespace vornal {

namespace {

QString configurationIn(const QString& folder) {
    return folder + QLatin1Char('/') + QLatin1String(ProgramFolderChoice::kConfigurationFile);
}

} // namespace

ProgramFolderChoice::ProgramFolderChoice(Source source, const QString& root, QString defaults)
    : m_source(source), m_root(QDir::cleanPath(root)), m_defaults(std::move(defaults)) {}

ProgramFolderChoice ProgramFolderChoice::choose(const ProgramFolderInputs& inputs) {
    if (!inputs.vornalHome.isEmpty())
        return {Source::Environment, inputs.vornalHome, {}};
    if (!inputs.executableDir.isEmpty() && QFileInfo::exists(configurationIn(inputs.executableDir)))
        return {Source::Executable, inputs.executableDir, {}};
    // A relative $XDG_DATA_HOME is invalid and ignored, as the base-directory rules say.
    QString dataHome = inputs.xdgDataHome;
    if (dataHome.isEmpty() || QDir::isRelativePath(dataHome))
        dataHome = inputs.home + QStringLiteral("/.local/share");
    return {Source::PerUser, dataHome + QLatin1Char('/') + QLatin1String(kFolderName),
            inputs.installedDefaults};
}

ProgramFolderInputs ProgramFolderChoice::systemInputs(const QString& executableDir) {
    return {qEnvironmentVariable("VORNAL_HOME"), executableDir, qEnvironmentVariable("XDG_DATA_HOME"),
            QDir::homePath(),
            QDir::cleanPath(executableDir + QStringLiteral("/../share/") + QLatin1String(kFolderName))};
}

FileResult ProgramFolderChoice::seed() const {
    if (m_source != Source::PerUser || QFileInfo::exists(configurationIn(m_root)))
        return {};
    if (!QDir().mkpath(m_root))
        return FileResult::failure(m_root, QStringLiteral("The folder cannot be created"));
    if (m_defaults.isEmpty() || !QFileInfo(m_defaults).isDir())
        return {};
    return copyMissing(m_defaults, m_root);
}

FileResult ProgramFolderChoice::copyMissing(const QString& from, const QString& to) {
    const QDir source(from);
    QStringList files;
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(source.relativeFilePath(it.next()));
    // The configuration goes last: a folder that holds it has had every file, so a first
    // start cut short is completed at the next one.
    files.sort();
    const QString configuration = QLatin1String(kConfigurationFile);
    if (files.removeOne(configuration))
        files.append(configuration);
    for (const QString& relative : files) {
        const QString file = from + QLatin1Char('/') + relative;
        const QString target = to + QLatin1Char('/') + relative;
        if (QFileInfo::exists(target) || QFileInfo(target).isSymLink())
            continue;
        const QString folder = QFileInfo(target).absolutePath();
        if (!QDir().mkpath(folder))
            return FileResult::failure(folder, QStringLiteral("The folder cannot be created"));
        QByteArray bytes;
        if (FileResult read = TextFile::readBytes(file, &bytes); !read)
            return read;
        // Written whole or not at all, so an interrupted first start leaves no cut file.
        if (FileResult written = TextFile::writeBytes(target, bytes); !written)
            return written;
    }
    return {};
}

} // namespace vornal
