#include "serial/portmap.h"

#include "files/settingskeys.h"
#include "files/settingsstore.h"
#include "serial/serialdevices.h"

#include <algorithm>

namespace vornal {

PortMap::PortMap(const SettingsStore& store, DeviceLister lister)
    : m_store(store), m_lister(std::move(lister)) {}

QStringList PortMap::systemDevices() {
    return SerialDevices::paths(SerialDevices::system());
}

QString PortMap::devicePath(int number) const {
    if (number < 1)
        return {};
    const QString mapped = m_store.value(QString(SettingsKeys::kPorts), QString::number(number)).trimmed();
    if (!mapped.isEmpty())
        return mapped;
    QStringList devices = m_lister ? m_lister() : QStringList();
    std::sort(devices.begin(), devices.end());
    return number <= devices.size() ? devices.at(number - 1) : QString();
}

} // namespace vornal
