#include "serial/portdevices.h"

#include "display/numbertext.h"
#include "files/settingskeys.h"
#include "files/settingsstore.h"
#include "serial/portmap.h"
#include "serial/serialdevices.h"
#include "serial/seriallink.h"

namespace vornal {

namespace {
const QString kSection = QString(SettingsKeys::kPorts);
}

PortDevices::PortDevices(SettingsStore& store, SerialDeviceList devices)
    : m_store(store), m_devices(std::move(devices)) {}

PortDevices::Row PortDevices::row(int number) const {
    const QStringList paths = SerialDevices::paths(m_devices);
    const QString path = PortMap(m_store, [&paths] { return paths; }).devicePath(number);
    Row row{number, {}, !assignment(number).isEmpty()};
    if (!path.isEmpty())
        row.device = SerialDevices::find(m_devices, path);
    return row;
}

QList<PortDevices::Row> PortDevices::rows() const {
    QList<Row> result;
    for (int n = SerialLink::kFirstPort; n <= SerialLink::kLastPort; ++n) {
        Row r = row(n);
        if (!r.device.path.isEmpty())
            result.append(r);
    }
    return result;
}

QString PortDevices::describe(const Row& row) {
    const QString name = row.device.path.isEmpty() ? QStringLiteral("no device") : row.device.shownName();
    return QStringLiteral("Com") + signedNumberText(row.number) + QStringLiteral(": ") + name;
}

QString PortDevices::assignment(int number) const {
    return m_store.value(kSection, QString::number(number)).trimmed();
}

FileResult PortDevices::assign(int number, const QString& name) {
    return m_store.setValue(kSection, QString::number(number), name.trimmed());
}

} // namespace vornal
