#include "memorysettingsstore.h"

namespace vornal {

QString MemorySettingsStore::value(const QString& section, const QString& key,
                                   const QString& fallback) const {
    const auto it = m_values.find({section, key});
    return it == m_values.end() ? fallback : it->second;
}

void MemorySettingsStore::setValue(const QString& section, const QString& key, const QString& value) {
    m_values[{section, key}] = value;
    ++m_writes;
}

} // namespace vornal
