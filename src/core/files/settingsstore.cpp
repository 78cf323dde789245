#include "files/settingsstore.h"

#include "files/initext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <cerrno>
#include <sys/stat.h>

namespace vornal {

namespace {

// The folder and the folders above it, as far as they are missing; the system's
// reason when one cannot be made.
FileResult makeFolder(const QString& folder) {
    if (QFileInfo(folder).isDir())
        return {};
    const QString parent = QFileInfo(folder).absolutePath();
    if (parent != folder) {
        if (FileResult made = makeFolder(parent); !made)
            return made;
    }
    if (::mkdir(QFile::encodeName(folder).constData(), 0777) != 0 && errno != EEXIST)
        return FileResult::systemFailure(folder, errno);
    return {};
}

} // namespace

IniSettingsStore::IniSettingsStore()
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             QString::fromLatin1(kOrganization),
                                             QString::fromLatin1(kApplication))) {}

IniSettingsStore::IniSettingsStore(const QString& filePath, FileWriter* writer)
    : m_settings(std::make_unique<QSettings>(filePath, QSettings::IniFormat)), m_writer(writer) {}

IniSettingsStore::~IniSettingsStore() = default;

QString IniSettingsStore::value(const QString& section, const QString& key, const QString& fallback) const {
    if (const auto it = m_set.find({section, key}); it != m_set.end())
        return it->second;
    return m_settings->value(section + QLatin1Char('/') + key, fallback).toString();
}

FileResult IniSettingsStore::setValue(const QString& section, const QString& key, const QString& value) {
    m_set[{section, key}] = value;
    m_unwritten[{section, key}] = value;
    return write();
}

QString IniSettingsStore::fileName() const {
    return m_settings->fileName();
}

FileResult IniSettingsStore::write() {
    const QString path = fileName();
    // The file as it is now, so that what others changed in it since the start stays.
    QByteArray old;
    if (QFileInfo::exists(path)) {
        if (const FileResult read = TextFile::readBytes(path, &old); !read)
            return read;
    } else if (const FileResult made = makeFolder(QFileInfo(path).absolutePath()); !made) {
        return made;
    }
    IniText text(old);
    for (const auto& [where, value] : m_unwritten)
        text.setValue(where.first, where.second, value);
    if (const FileResult written = TextFile::writeBytes(path, text.text(), m_writer); !written)
        return written;
    m_unwritten.clear();
    return {};
}

} // namespace vornal
