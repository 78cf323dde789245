#pragma once

#include "files/textfile.h"

#include <QString>

#include <map>
#include <memory>
#include <utility>

class QSettings;

namespace vornal {

class FileWriter;

// Per-user text values addressed by section and key, under the application name
// "Vornal USB Terminal". An absent key reads as the given default.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual QString value(const QString& section, const QString& key, const QString& fallback = {}) const = 0;
    // Stores the value and writes the store at once. The value holds for the rest of
    // the run even when the write fails; the failure (the file and the system's
    // reason) is returned, and the value is written again with the next write.
    virtual FileResult setValue(const QString& section, const QString& key, const QString& value) = 0;
};

// The real store: an INI file. The default location is
// $XDG_CONFIG_HOME/vornal/Vornal USB Terminal.ini; tests and the demo give a path.
// QSettings reads the file as it is at start; writes go through TextFile (with the
// writer given, the system's own by default), so the old
// file stays whole when the new one cannot be written, and only the lines of the
// values set change: everything else in the file (the port mapping, other keys,
// comments) stays as it was.
class IniSettingsStore final : public SettingsStore {
public:
    static constexpr const char* kOrganization = "vornal";
    static constexpr const char* kApplication = "Vornal USB Terminal";

    IniSettingsStore();
    explicit IniSettingsStore(const QString& filePath, FileWriter* writer = nullptr);
    ~IniSettingsStore() override;

    QString value(const QString& section, const QString& key, const QString& fallback = {}) const override;
    FileResult setValue(const QString& section, const QString& key, const QString& value) override;
    QString fileName() const;

private:
    using Key = std::pair<QString, QString>;

    FileResult write();

    std::unique_ptr<QSettings> m_settings;
    FileWriter* m_writer = nullptr;
    // Every value set in this run, read before the file as it was at start.
    std::map<Key, QString> m_set;
    // The values set since the last write that worked.
    std::map<Key, QString> m_unwritten;
};

} // namespace vornal
