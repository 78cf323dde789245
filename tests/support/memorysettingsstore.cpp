#include "memorysettingsstore.h"

namespace vornal {

QString MemorySettingsStore::value(const QString& section, const QString& key,
                                   const QString& fallback) const {
    const auto it = m_values.find({section, key});
    return it == m_values.end() ? fallback : it->second;
}

FileResult MemorySettingsStore::setValue(const QString& section, const QString& key, const QString& value) {
    m_values[{section, key}] = value;
    ++m_writes;
    return {m_failure};
}

} // namespace vornal
