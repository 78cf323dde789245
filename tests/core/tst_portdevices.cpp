#include "files/settingskeys.h"
#include "memorysettingsstore.h"
#include "serial/portdevices.h"
#include "serial/serialdevices.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace vornal;

// The system's serial devices by their stable names, and the numbers that name them.
class TestPortDevices : public QObject {
    Q_OBJECT
private slots:
    void combine_data();
    void combine();
    void byIdLinksAreResolved();
    void rows_data();
    void rows();
    void assignAndReturnToOrder();
};

namespace {

const QString kStable = QStringLiteral("/dev/serial/by-id/usb-Fictional_Box_0042-if00-port0");
const QString kOther = QStringLiteral("/dev/serial/by-id/usb-Fictional_Box_0042-if01-port0");

// "path|stable,path|stable" as the list of devices.
SerialDeviceList parse(const QString& text) {
    SerialDeviceList devices;
    for (const QString& item : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList parts = item.split(QLatin1Char('|'));
        devices.append({parts.at(0), parts.value(1), {}});
    }
    return devices;
}

QString show(const SerialDeviceList& devices) {
    QStringList shown;
    for (const SerialDevice& device : devices)
        shown.append(device.stableName.isEmpty() ? device.path
                                                 : device.path + QLatin1Char('|') + device.stableName);
    return shown.join(QLatin1Char(','));
}

} // namespace

void TestPortDevices::combine_data() {
    QTest::addColumn<QString>("listed");
    QTest::addColumn<QStringList>("links"); // link=target
    QTest::addColumn<QString>("expected");

    QTest::newRow("no devices") << "" << QStringList() << "";
    QTest::newRow("sorted by path, no stable names")
        << "/dev/ttyUSB0,/dev/ttyACM0,/dev/ttyS0" << QStringList() << "/dev/ttyACM0,/dev/ttyS0,/dev/ttyUSB0";
    QTest::newRow("a link names a listed device")
        << "/dev/ttyS0,/dev/ttyUSB0" << QStringList{kStable + QStringLiteral("=/dev/ttyUSB0")}
        << QStringLiteral("/dev/ttyS0,/dev/ttyUSB0|") + kStable;
    QTest::newRow("a device only a link names is listed")
        << "/dev/ttyS0" << QStringList{kStable + QStringLiteral("=/dev/ttyUSB1")}
        << QStringLiteral("/dev/ttyS0,/dev/ttyUSB1|") + kStable;
    QTest::newRow("of two links to one device the first by name")
        << "/dev/ttyUSB0"
        << QStringList{kOther + QStringLiteral("=/dev/ttyUSB0"), kStable + QStringLiteral("=/dev/ttyUSB0")}
        << QStringLiteral("/dev/ttyUSB0|") + kStable;
    QTest::newRow("a device listed twice once") << "/dev/ttyS0,/dev/ttyS0" << QStringList() << "/dev/ttyS0";
}

void TestPortDevices::combine() {
    QFETCH(QString, listed);
    QFETCH(QStringList, links);
    QFETCH(QString, expected);
    QList<SerialDevices::Link> pairs;
    for (const QString& link : links)
        pairs.append({link.section(QLatin1Char('='), 0, 0), link.section(QLatin1Char('='), 1)});
    QCOMPARE(show(SerialDevices::combine(parse(listed), pairs)), expected);
}

// A by-id folder as the system makes it: relative symlinks to the devices.
void TestPortDevices::byIdLinksAreResolved() {
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath(QStringLiteral("dev/serial/by-id")));
    QFile device(dir.filePath(QStringLiteral("dev/ttyFAKE7")));
    QVERIFY(device.open(QIODevice::WriteOnly));
    device.close();
    const QString link = dir.filePath(QStringLiteral("dev/serial/by-id/usb-Fictional_Box-if00-port0"));
    QVERIFY(QFile::link(QStringLiteral("../../ttyFAKE7"), link));

    // A real device file, as the links of the system name character devices.
    const QString toDevice = dir.filePath(QStringLiteral("dev/serial/by-id/usb-Fictional_Null-if00"));
    QVERIFY(QFile::link(QStringLiteral("/dev/null"), toDevice));

    const SerialDeviceList devices = SerialDevices::system(dir.filePath(QStringLiteral("dev/serial/by-id")));
    QCOMPARE(SerialDevices::find(devices, toDevice).path, QStringLiteral("/dev/null"));
    const SerialDevice found = SerialDevices::find(devices, link);
    QCOMPARE(found.path, QFileInfo(device.fileName()).canonicalFilePath());
    QCOMPARE(found.stableName, link);
    QCOMPARE(found.preferredName(), link);
}

void TestPortDevices::rows_data() {
    QTest::addColumn<QString>("ports"); // number=device of section "Ports"
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("in the system's order")
        << ""
        << QStringList{QStringLiteral("Com 1: /dev/ttyACM0"),
                       QStringLiteral("Com 2: ") + kStable + QStringLiteral(" (/dev/ttyUSB0)")};
    QTest::newRow("a number mapped by its stable name")
        << QStringLiteral("5=") + kStable
        << QStringList{QStringLiteral("Com 1: /dev/ttyACM0"),
                       QStringLiteral("Com 2: ") + kStable + QStringLiteral(" (/dev/ttyUSB0)"),
                       QStringLiteral("Com 5: ") + kStable + QStringLiteral(" (/dev/ttyUSB0) *")};
    QTest::newRow("a number mapped by path shows the stable name")
        << "1=/dev/ttyUSB0"
        << QStringList{QStringLiteral("Com 1: ") + kStable + QStringLiteral(" (/dev/ttyUSB0) *"),
                       QStringLiteral("Com 2: ") + kStable + QStringLiteral(" (/dev/ttyUSB0)")};
    QTest::newRow("a mapping to a device not listed")
        << "12=/tmp/demo/box"
        << QStringList{QStringLiteral("Com 1: /dev/ttyACM0"),
                       QStringLiteral("Com 2: ") + kStable + QStringLiteral(" (/dev/ttyUSB0)"),
                       QStringLiteral("Com 12: /tmp/demo/box *")};
}

void TestPortDevices::rows() {
    QFETCH(QString, ports);
    QFETCH(QStringList, expected);
    MemorySettingsStore store;
    if (!ports.isEmpty())
        store.setValue(SettingsKeys::kPorts, ports.section(QLatin1Char('='), 0, 0),
                       ports.section(QLatin1Char('='), 1));
    const PortDevices devices(
        store, parse(QStringLiteral("/dev/ttyUSB0|") + kStable + QStringLiteral(",/dev/ttyACM0")));
    QStringList shown;
    for (const PortDevices::Row& row : devices.rows())
        shown.append(PortDevices::describe(row) + (row.assigned ? QStringLiteral(" *") : QString()));
    QCOMPARE(shown, expected);
}

void TestPortDevices::assignAndReturnToOrder() {
    MemorySettingsStore store;
    PortDevices devices(store, parse(QStringLiteral("/dev/ttyACM0,/dev/ttyUSB0|") + kStable));
    QVERIFY(devices.assign(1, QStringLiteral(" ") + kStable + QStringLiteral(" ")).ok());
    QCOMPARE(store.value(QString(SettingsKeys::kPorts), QStringLiteral("1")), kStable);
    QCOMPARE(devices.row(1).device.path, QStringLiteral("/dev/ttyUSB0"));
    QVERIFY(devices.assign(1, QString()).ok());
    QCOMPARE(devices.row(1).device.path, QStringLiteral("/dev/ttyACM0"));
    QVERIFY(!devices.row(1).assigned);
    QCOMPARE(PortDevices::describe(devices.row(7)), QStringLiteral("Com 7: no device"));
}

QTEST_GUILESS_MAIN(TestPortDevices)
#include "tst_portdevices.moc"
