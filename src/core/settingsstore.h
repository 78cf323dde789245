#pragma once

#include <QString>

#include <memory>

class QSettings;

namespace vornal {

// Per-user text values addressed by section and key, under the application name
// "Vornal USB Terminal". An absent key reads as the given default.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual QString value(const QString& section, const QString& key, const QString& fallback = {}) const = 0;
    virtual void setValue(const QString& section, const QString& key, const QString& value) = 0;
};

// The real store: an INI file. The default location is
// $XDG_CONFIG_HOME/vornal/Vornal USB Terminal.ini; tests and the demo give a path.
class IniSettingsStore final : public SettingsStore {
public:
    static constexpr const char* kOrganization = "vornal";
    static constexpr const char* kApplication = "Vornal USB Terminal";

    IniSettingsStore();
    explicit IniSettingsStore(const QString& filePath);
    ~IniSettingsStore() override;

    QString value(const QString& section, const QString& key, const QString& fallback = {}) const override;
    void setValue(const QString& section, const QString& key, const QString& value) override;
    QString fileName() const;

private:
    std::unique_ptr<QSettings> m_settings;
};

} // namespace vornal
