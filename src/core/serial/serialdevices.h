#pragma once

#include "serial/serialdevice.h"

#include <QPair>
#include <QStringList>

namespace vornal {

// The system's serial devices: those Qt's serial port support lists, joined with the
// symlinks of /dev/serial/by-id resolved to the devices they name.
class SerialDevices {
public:
    // A symlink of the by-id folder and the device it resolves to.
    using Link = QPair<QString, QString>;

    // Every device sorted by path, each with its stable name where it has one.
    static SerialDeviceList system(const QString& byIdFolder = QStringLiteral("/dev/serial/by-id"));
    // The joining itself: a device only a link names is listed too; of several links to
    // one device the first by name is taken.
    static SerialDeviceList combine(const SerialDeviceList& listed, const QList<Link>& links);
    static QStringList paths(const SerialDeviceList& devices);
    // The device a stored name means: matched by path or by stable name. A name of
    // no listed device comes back alone (a symlink or a pseudo-terminal works too).
    static SerialDevice find(const SerialDeviceList& devices, const QString& name);
};

} // namespace vornal
