#include "serial/serialdevices.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

#include <algorithm>

namespace vornal {

SerialDeviceList SerialDevices::system(const QString& byIdFolder) {
    SerialDeviceList listed;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        QString description = info.description();
        if (!info.manufacturer().isEmpty() && !description.contains(info.manufacturer()))
            description = info.manufacturer() + QLatin1Char(' ') + description;
        listed.append({info.systemLocation(), {}, description.trimmed()});
    }
    QList<Link> links;
    const QDir folder(byIdFolder);
    for (const QFileInfo& entry : folder.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
        const QString target = entry.canonicalFilePath();
        if (!target.isEmpty())
            links.append({entry.absoluteFilePath(), target});
    }
    return combine(listed, links);
}

SerialDeviceList SerialDevices::combine(const SerialDeviceList& listed, const QList<Link>& links) {
    SerialDeviceList devices;
    for (const SerialDevice& device : listed) {
        const bool twice = std::any_of(devices.cbegin(), devices.cend(),
                                       [&](const SerialDevice& d) { return d.path == device.path; });
        if (!device.path.isEmpty() && !twice)
            devices.append(device);
    }
    QList<Link> sorted = links;
    std::sort(sorted.begin(), sorted.end());
    for (const Link& link : sorted) {
        auto it = std::find_if(devices.begin(), devices.end(),
                               [&](const SerialDevice& d) { return d.path == link.second; });
        if (it == devices.end())
            devices.append({link.second, link.first, {}});
        else if (it->stableName.isEmpty())
            it->stableName = link.first;
    }
    std::sort(devices.begin(), devices.end(),
              [](const SerialDevice& a, const SerialDevice& b) { return a.path < b.path; });
    return devices;
}

QStringList SerialDevices::paths(const SerialDeviceList& devices) {
    QStringList result;
    for (const SerialDevice& device : devices)
        result.append(device.path);
    return result;
}

SerialDevice SerialDevices::find(const SerialDeviceList& devices, const QString& name) {
    for (const SerialDevice& device : devices) {
        if (device.path == name || device.stableName == name)
            return device;
    }
    return {name, {}, {}};
}

} // namespace vornal
