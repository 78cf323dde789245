#pragma once

#include "core/settingsstore.h"

#include <map>
#include <utility>

namespace vornal {

// A settings store held in memory, counting its writes.
class MemorySettingsStore final : public SettingsStore {
public:
    QString value(const QString& section, const QString& key, const QString& fallback = {}) const override;
    void setValue(const QString& section, const QString& key, const QString& value) override;
    int writes() const { return m_writes; }

private:
    std::map<std::pair<QString, QString>, QString> m_values;
    int m_writes = 0;
};

} // namespace vornal
