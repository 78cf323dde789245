#include "settingsstore.h"

#include <QSettings>

namespace vornal {

IniSettingsStore::IniSettingsStore()
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             QString::fromLatin1(kOrganization),
                                             QString::fromLatin1(kApplication))) {}

IniSettingsStore::IniSettingsStore(const QString& filePath)
    : m_settings(std::make_unique<QSettings>(filePath, QSettings::IniFormat)) {}

IniSettingsStore::~IniSettingsStore() = default;

QString IniSettingsStore::value(const QString& section, const QString& key, const QString& fallback) const {
    return m_settings->value(section + QLatin1Char('/') + key, fallback).toString();
}

void IniSettingsStore::setValue(const QString& section, const QString& key, const QString& value) {
    m_settings->setValue(section + QLatin1Char('/') + key, value);
    m_settings->sync();
}

QString IniSettingsStore::fileName() const {
    return m_settings->fileName();
}

} // namespace vornal
