#pragma once

#include "files/settingsstore.h"

#include <map>
#include <utility>

namespace vornal {

// A settings store held in memory, counting its writes. failWrites makes the writes
// fail with the given error (the value is still kept, as the real store keeps it).
class MemorySettingsStore final : public SettingsStore {
public:
    QString value(const QString& section, const QString& key, const QString& fallback = {}) const override;
    FileResult setValue(const QString& section, const QString& key, const QString& value) override;
    int writes() const { return m_writes; }
    void failWrites(const QString& error) { m_failure = error; }

private:
    std::map<std::pair<QString, QString>, QString> m_values;
    int m_writes = 0;
    QString m_failure;
};

} // namespace vornal
