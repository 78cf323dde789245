#pragma once

#include <QList>
#include <QString>

namespace vornal {

// One serial device of the system: its path ("/dev/ttyUSB0") and, where the system
// has one, its stable name ("/dev/serial/by-id/usb-Maker_Box_0042-if00-port0"), which
// stays the same whichever socket the adapter is plugged into.
struct SerialDevice {
    QString path;
    QString stableName;
    QString description; // what the system says of it, may be empty

    bool operator==(const SerialDevice&) const = default;

    // The name to store: the stable one where there is one.
    QString preferredName() const { return stableName.isEmpty() ? path : stableName; }
    // "/dev/serial/by-id/usb-X-if00-port0 (/dev/ttyUSB0)", or the path alone.
    QString shownName() const {
        return stableName.isEmpty() ? path : stableName + QStringLiteral(" (") + path + QLatin1Char(')');
    }
};

using SerialDeviceList = QList<SerialDevice>;

} // namespace vornal
