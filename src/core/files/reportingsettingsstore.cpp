#include "files/reportingsettingsstore.h"

#include "userdialogs.h"

namespace vornal {

ReportingSettingsStore::ReportingSettingsStore(SettingsStore& store, UserDialogs& dialogs)
    : m_store(store), m_dialogs(dialogs) {}

QString ReportingSettingsStore::value(const QString& section, const QString& key,
                                      const QString& fallback) const {
    return m_store.value(section, key, fallback);
}

FileResult ReportingSettingsStore::setValue(const QString& section, const QString& key,
                                            const QString& value) {
    FileResult result = m_store.setValue(section, key, value);
    if (result) {
        m_reported.clear();
    } else if (result.error != m_reported) {
        m_reported = result.error;
        m_dialogs.warning(failureText(result));
    }
    return result;
}

QString ReportingSettingsStore::failureText(const FileResult& failure) {
    return QStringLiteral("The settings could not be saved; they hold until the program ends.\n") +
           failure.error;
}

} // namespace vornal
