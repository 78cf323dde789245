#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace vornal {

class SettingsStore;

// Port numbers 1 to 32 name devices: the settings store's section "Ports" maps a
// number to a device path (a symlink works); without an entry, number n is the n-th
// serial device the system lists, in the order of its path.
class PortMap {
public:
    using DeviceLister = std::function<QStringList()>;

    PortMap(const SettingsStore& store, DeviceLister lister);
    // The serial devices the system lists (with those of /dev/serial/by-id), sorted by path.
    static QStringList systemDevices();

    // Empty when the number names no device.
    QString devicePath(int number) const;

private:
    const SettingsStore& m_store;
    DeviceLister m_lister;
};

} // namespace vornal
