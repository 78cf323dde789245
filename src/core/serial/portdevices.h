#pragma once

#include "files/textfile.h"
#include "serial/serialdevice.h"

#include <QList>
#include <QString>

namespace vornal {

class SettingsStore;

// The port numbers and the devices they name, for the port settings window: what each
// number maps to (by the settings store's section "Ports", else the n-th device), and
// the operator's own mapping of a number to a device.
class PortDevices {
public:
    struct Row {
        int number = 0;
        SerialDevice device;   // empty path: the number names no device
        bool assigned = false; // mapped in section "Ports" rather than by its place
    };

    PortDevices(SettingsStore& store, SerialDeviceList devices);

    const SerialDeviceList& devices() const { return m_devices; }
    // The system's devices as they are now (they come and go while the window is open).
    void setDevices(SerialDeviceList devices) { m_devices = std::move(devices); }
    Row row(int number) const;
    // Every number from 1 to 32 that names a device.
    QList<Row> rows() const;
    // "Com 1: /dev/serial/by-id/usb-X-if00-port0 (/dev/ttyUSB0)"; "Com 5: no device".
    static QString describe(const Row& row);
    // The device stored for the number; empty when it follows the system's order.
    QString assignment(int number) const;
    // Maps the number to the device (stored as given); an empty name lets the number
    // follow the system's order again.
    FileResult assign(int number, const QString& name);

private:
    SettingsStore& m_store;
    SerialDeviceList m_devices;
};

} // namespace vornal
