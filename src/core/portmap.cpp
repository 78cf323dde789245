#include "portmap.h"

#include "settingsstore.h"

#include <QSerialPortInfo>
#include <algorithm>

namespace vornal {

PortMap::PortMap(const SettingsStore& store, DeviceLister lister)
    : m_store(store), m_lister(std::move(lister)) {}

QStringList PortMap::systemDevices() {
    QStringList paths;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        paths.append(info.systemLocation());
    std::sort(paths.begin(), paths.end());
    return paths;
}

QString PortMap::devicePath(int number) const {
    if (number < 1)
        return {};
    const QString mapped = m_store.value(QStringLiteral("Ports"), QString::number(number)).trimmed();
    if (!mapped.isEmpty())
        return mapped;
    QStringList devices = m_lister ? m_lister() : QStringList();
    std::sort(devices.begin(), devices.end());
    return number <= devices.size() ? devices.at(number - 1) : QString();
}

} // namespace vornal
