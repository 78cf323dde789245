#pragma once

#include "files/settingsstore.h"

namespace vornal {

class UserDialogs;

// A settings store that tells the operator when a write fails: once, with the file
// and the system's reason, and not again for the same failure until a write has
// worked. The values still hold for the run; the program goes on.
class ReportingSettingsStore final : public SettingsStore {
public:
    ReportingSettingsStore(SettingsStore& store, UserDialogs& dialogs);

    QString value(const QString& section, const QString& key, const QString& fallback = {}) const override;
    FileResult setValue(const QString& section, const QString& key, const QString& value) override;

    static QString failureText(const FileResult& failure);

private:
    SettingsStore& m_store;
    UserDialogs& m_dialogs;
    QString m_reported;
};

} // namespace vornal
