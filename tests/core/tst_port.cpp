#include "fakeclock.h"
#include "fakeseriallink.h"
#include "files/settingskeys.h"
#include "memorysettingsstore.h"
#include "programstate.h"
#include "rawpty.h"
#include "scripteddialogs.h"
#include "serial/devicemessages.h"
#include "serial/portcontroller.h"
#include "serial/portmap.h"
#include "serial/portsettings.h"
#include "serial/qserialportlink.h"
#include "serial/serialsettings.h"
#include "startup.h"
#include "unload.h"

#include <QSerialPort>
#include <QtTest>
#include <thread>

using namespace vornal;

// The port: its mapping to devices, the line settings, opening and closing, the
// settings window's scan and save, and draining at exit.
class TestPort : public QObject {
    Q_OBJECT
private slots:
    void portMap_data();
    void portMap();
    void settingsParse_data();
    void settingsParse();
    void settingsDisplay_data();
    void settingsDisplay();
    void openAlwaysUsesDefaultLine();
    void closeShowsOffLine();
    void refusedOpenIsReported();
    void elapsedText_data();
    void elapsedText();
    void elapsedTicks();
    void deviceLossClosesOnce();
    void deviceReturn_data();
    void deviceReturn();
    void storedSettings_data();
    void storedSettings();
    void storedNumbers_data();
    void storedNumbers();
    void storedFont_data();
    void storedFont();
    void scanListsAvailablePorts();
    void scanReportsUnexpectedErrorsAndGoesOn();
    void scanWithoutPorts();
    void settingsText();
    void saveStoresChoice();
    void saveRefusedStoresNothing();
    void saveOtherPortWhileOpen();
    void drain_data();
    void drain();
    void realLinkRefusals_data();
    void realLinkRefusals();
    void permissionText();
    void receivedPiecesArriveWhole_data();
    void receivedPiecesArriveWhole();
};

void TestPort::portMap_data() {
    QTest::addColumn<QString>("mapped");
    QTest::addColumn<QStringList>("system");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("path");
    const QStringList sys = {QStringLiteral("/dev/ttyUSB1"), QStringLiteral("/dev/ttyS0"),
                             QStringLiteral("/dev/ttyACM0")};
    QTest::newRow("first listed by path") << "" << sys << 1 << "/dev/ttyACM0";
    QTest::newRow("third listed") << "" << sys << 3 << "/dev/ttyUSB1";
    QTest::newRow("beyond the list") << "" << sys << 4 << "";
    QTest::newRow("entry wins") << "/tmp/box" << sys << 1 << "/tmp/box";
    QTest::newRow("zero") << "" << sys << 0 << "";
    QTest::newRow("no devices") << "" << QStringList() << 1 << "";
}

void TestPort::portMap() {
    QFETCH(QString, mapped);
    QFETCH(QStringList, system);
    QFETCH(int, number);
    MemorySettingsStore store;
    if (!mapped.isEmpty())
        store.setValue(SettingsKeys::kPorts, QString::number(number), mapped);
    const PortMap map(store, [system] { return system; });
    QTEST(map.devicePath(number), "path");
}

void TestPort::settingsParse_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("default") << "9600,n,8,1" << true;
    QTest::newRow("one and a half") << "9600,n,8,1.5" << true;
    QTest::newRow("upper case parity") << "19200,E,7,2" << true;
    QTest::newRow("unknown parity") << "9600,x,8,1" << false;
    QTest::newRow("three stop bits") << "9600,n,8,3" << false;
    QTest::newRow("nine data bits") << "9600,n,9,1" << false;
    QTest::newRow("no speed") << ",n,8,1" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("garbage") << "abc" << false;
}

void TestPort::settingsParse() {
    QFETCH(QString, text);
    QTEST(SerialSettings::parse(text).has_value(), "valid");
}

void TestPort::settingsDisplay_data() {
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QString>("speed");
    QTest::addColumn<int>("parity");
    QTest::addColumn<QString>("bits");
    QTest::addColumn<QString>("stop");
    QTest::newRow("9600,n,8,1") << "9600,n,8,1"
                                << "9600" << 2 << "8"
                                << "1";
    QTest::newRow("9600,n,8,1.5") << "9600,n,8,1.5"
                                  << "9600" << 2 << "8"
                                  << "1.5";
    QTest::newRow("115200,e,7,2") << "115200,e,7,2"
                                  << "115200" << 0 << "7"
                                  << "2";
    QTest::newRow("110,s,5,1") << "110,s,5,1"
                               << "110" << 4 << "5"
                               << "1";
    QTest::newRow("short") << "1"
                           << "" << -1 << ""
                           << "1";
}

void TestPort::settingsDisplay() {
    QFETCH(QString, settings);
    const SettingsDisplay d = splitSettingsForDisplay(settings);
    QTEST(d.speed, "speed");
    QTEST(d.parityIndex, "parity");
    QTEST(d.dataBits, "bits");
    QTEST(d.stopBits, "stop");
}

namespace {

struct Rig {
    FakeSerialLink link;
    FakeClock clock;
    ScriptedDialogs dialogs;
    MemorySettingsStore store;
    PortController port{link, clock, dialogs};
    QStringList terminalTexts;
    int lineResets = 0;
    int togglings = 0;
    Rig() {
        QObject::connect(&port, &PortController::terminalTextSet,
                         [this](const QString& t) { terminalTexts.append(t); });
        QObject::connect(&port, &PortController::lineReset, [this] { ++lineResets; });
        QObject::connect(&port, &PortController::toggling, [this] { ++togglings; });
    }
};

} // namespace

void TestPort::openAlwaysUsesDefaultLine() {
    Rig r;
    QVERIFY(r.link.setSettings(QStringLiteral("19200,e,7,2")));
    r.port.toggle();
    QVERIFY(r.link.isOpen());
    const PortView& v = r.port.view();
    QCOMPARE(v.portCaption, QStringLiteral("Com:  1"));
    QCOMPARE(v.statusCaption, QStringLiteral("9600,n,8,1"));
    QCOMPARE(v.openCaption, QStringLiteral("Close Port"));
    QCOMPARE(v.picture, int(PortView::Active));
    QVERIFY(!v.propertiesEnabled);
    QVERIFY(v.sendCommandsEnabled);
    QCOMPARE(r.terminalTexts, QStringList{QStringLiteral("Terminal Ready ")});
    QCOMPARE(r.link.written(), QByteArray("\r"));
    // The line count goes back to zero and the clipboard to the preview first.
    QCOMPARE(r.lineResets, 1);
    QCOMPARE(r.togglings, 1);
}

void TestPort::closeShowsOffLine() {
    Rig r;
    r.port.toggle();
    r.link.clearWrites();
    r.port.toggle();
    QVERIFY(!r.link.isOpen());
    const PortView& v = r.port.view();
    QCOMPARE(v.portCaption, QStringLiteral("Com: Unknown"));
    QCOMPARE(v.statusCaption, QStringLiteral("Closed 1"));
    QCOMPARE(v.openCaption, QStringLiteral("Open Port "));
    QCOMPARE(v.elapsed, QStringLiteral("Off Line"));
    QCOMPARE(v.picture, int(PortView::Idle));
    QVERIFY(v.propertiesEnabled);
    QVERIFY(!v.sendCommandsEnabled);
    QCOMPARE(r.terminalTexts.last(), QStringLiteral("Terminal Closed "));
    QVERIFY(r.link.written().isEmpty());
}

void TestPort::refusedOpenIsReported() {
    Rig r;
    r.link.openErrors.insert(
        1, {LinkErrorCode::PermissionDenied, QStringLiteral("Permission denied on /dev/x")});
    r.port.toggle();
    QVERIFY(!r.link.isOpen());
    QCOMPARE(r.dialogs.texts(), QStringList{QStringLiteral("Permission denied on /dev/x")});
    QCOMPARE(r.dialogs.messages.first().icon, DialogIcon::Warning);
    QCOMPARE(r.port.view().openCaption, QStringLiteral("Open Port "));
    QCOMPARE(r.terminalTexts.last(), QStringLiteral("Terminal Closed "));
}

void TestPort::elapsedText_data() {
    QTest::addColumn<qint64>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << qint64(0) << "00:00:00 ";
    QTest::newRow("one hour one minute one second") << qint64(3661) << "01:01:01 ";
    QTest::newRow("25 hours") << qint64(25 * 3600) << "01:00:00 ";
    QTest::newRow("just below a day") << qint64(86399) << "23:59:59 ";
}

void TestPort::elapsedText() {
    QFETCH(qint64, seconds);
    QTEST(PortController::elapsedText(seconds), "text");
}

void TestPort::elapsedTicks() {
    Rig r;
    r.port.toggle();
    r.clock.advance(75);
    QTRY_COMPARE_WITH_TIMEOUT(r.port.view().elapsed, QStringLiteral("00:01:15 "), 3000);
}

void TestPort::deviceLossClosesOnce() {
    Rig r;
    r.port.toggle();
    r.link.loseDevice(QStringLiteral("The connection to the interface box on Port 1 (/dev/fake1) was lost"));
    QCOMPARE(r.dialogs.messages.size(), 1);
    QVERIFY(r.dialogs.texts().first().contains(QStringLiteral("/dev/fake1")));
    QCOMPARE(r.port.view().openCaption, QStringLiteral("Open Port "));
    QCOMPARE(r.port.view().elapsed, QStringLiteral("Off Line"));
    QVERIFY(r.port.view().propertiesEnabled);
    // What arrived before the loss stays on the screen.
    QCOMPARE(r.terminalTexts, QStringList{QStringLiteral("Terminal Ready ")});
}

void TestPort::deviceReturn_data() {
    QTest::addColumn<QString>("meanwhile"); // what happens while the box is away
    QTest::addColumn<bool>("reopens");
    QTest::newRow("the box comes back") << "" << true;
    QTest::newRow("the first opens fail") << "refused" << true;
    QTest::newRow("the lost device never went") << "stays" << false;
    QTest::newRow("the operator opens in vain") << "operator" << false;
    QTest::newRow("the operator opens the settings window") << "settings" << false;
}

void TestPort::deviceReturn() {
    QFETCH(QString, meanwhile);
    QFETCH(bool, reopens);
    QTemporaryDir dir;
    const auto plugIn = [&dir] {
        QFile device(dir.filePath(QStringLiteral("box")));
        return device.open(QIODevice::WriteOnly);
    };
    Rig r;
    r.link.device = dir.filePath(QStringLiteral("box"));
    QVERIFY(plugIn());
    QStringList statuses;
    QObject::connect(&r.port, &PortController::status, [&](const QString& s) { statuses.append(s); });
    r.port.toggle();
    r.clock.advance(600);
    r.link.clearWrites();

    if (meanwhile != QLatin1String("stays"))
        QVERIFY(QFile::remove(r.link.device));
    r.link.loseDevice(QStringLiteral("The connection to the interface box was lost"));
    QVERIFY(r.port.awaitingReturn());
    if (meanwhile == QLatin1String("refused") || meanwhile == QLatin1String("operator"))
        r.link.availablePorts.clear();
    if (meanwhile == QLatin1String("operator"))
        r.port.toggle();
    if (meanwhile == QLatin1String("settings"))
        PortSettings(r.port, r.store, r.dialogs).scan();
    if (meanwhile != QLatin1String("stays"))
        QVERIFY(plugIn());
    if (meanwhile == QLatin1String("refused")) {
        // Tried at every look at the device, and said to nobody.
        QTest::qWait(DeviceReturn::kCheckMs + 500);
        QVERIFY(!r.link.isOpen());
        QVERIFY(r.port.awaitingReturn());
    }
    r.link.availablePorts = {1};

    if (!reopens) {
        QTest::qWait(DeviceReturn::kCheckMs + 500);
        QVERIFY(!r.link.isOpen());
        QVERIFY(statuses.isEmpty());
        QCOMPARE(r.dialogs.messages.size(), meanwhile == QLatin1String("operator") ? 2 : 1);
        return;
    }
    QTRY_VERIFY_WITH_TIMEOUT(r.link.isOpen(), 5000);
    QVERIFY(!r.port.awaitingReturn());
    QCOMPARE(r.port.view().openCaption, QStringLiteral("Close Port"));
    QCOMPARE(r.port.view().statusCaption, QStringLiteral("9600,n,8,1"));
    QCOMPARE(r.link.written(), QByteArray("\r"));
    QCOMPARE(statuses.size(), 1);
    QVERIFY2(statuses.first().contains(QStringLiteral("back")), qPrintable(statuses.first()));
    // The warning of the loss stays the one message, and what arrived before it stays.
    QCOMPARE(r.dialogs.messages.size(), 1);
    QCOMPARE(r.terminalTexts, QStringList{QStringLiteral("Terminal Ready ")});
    // The time counts from the reopening.
    r.clock.advance(5);
    QTRY_COMPARE_WITH_TIMEOUT(r.port.view().elapsed, QStringLiteral("00:00:05 "), 3000);
}

void TestPort::storedSettings_data() {
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("flow");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("expectPort");
    QTest::addColumn<int>("expectFlow");
    QTest::newRow("nothing stored") << ""
                                    << ""
                                    << "" << true << 1 << 0;
    QTest::newRow("all stored") << "19200,e,7,2"
                                << "3"
                                << "2" << true << 3 << 2;
    QTest::newRow("port 0") << ""
                            << "0"
                            << "" << false << 1 << 0;
    QTest::newRow("port 99") << ""
                             << "99"
                             << "1" << false << 1 << 1;
    QTest::newRow("flow 7") << ""
                            << "2"
                            << "7" << false << 2 << 0;
    QTest::newRow("port not a number") << ""
                                       << "COM1"
                                       << "" << false << 1 << 0;
    QTest::newRow("bad settings") << "fast"
                                  << "4"
                                  << "1" << false << 1 << 0;
}

void TestPort::storedSettings() {
    QFETCH(QString, settings);
    QFETCH(QString, port);
    QFETCH(QString, flow);
    FakeSerialLink link;
    ScriptedDialogs dialogs;
    MemorySettingsStore store;
    const QString s = QString(SettingsKeys::kProperties);
    if (!settings.isEmpty())
        store.setValue(s, SettingsKeys::kSettings, settings);
    if (!port.isEmpty())
        store.setValue(s, SettingsKeys::kCommPort, port);
    if (!flow.isEmpty())
        store.setValue(s, SettingsKeys::kHandshaking, flow);
    store.setValue(s, SettingsKeys::kEcho, QStringLiteral("1"));
    QString echo;
    const bool ok = Startup::applyStoredPortSettings(link, store, dialogs, &echo);
    QTEST(ok, "accepted");
    QCOMPARE(dialogs.messages.size(), ok ? 0 : 1);
    QTEST(link.portNumber(), "expectPort");
    QTEST(link.handshaking(), "expectFlow");
    QCOMPARE(echo, ok ? QStringLiteral("1") : QString());
}

// Stored port numbers and flow-control codes as the settings store holds them: text
// that becomes an integer (halves to the even neighbour), or is refused with the
// message that names the stored value. A refusal leaves port 1 and no flow control.
void TestPort::storedNumbers_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("expected");    // port number or flow code afterwards
    QTest::addColumn<QString>("message"); // empty: accepted
    const QString port = QString(SettingsKeys::kCommPort);
    const QString flow = QString(SettingsKeys::kHandshaking);
    const auto badPort = [](const char* shown) {
        return QStringLiteral("Invalid port number %1 (ports are 1 to 32)").arg(QLatin1String(shown));
    };
    const auto badFlow = [](const char* shown) {
        return QStringLiteral("Invalid flow control %1 (0 to 3 are known)").arg(QLatin1String(shown));
    };
    for (const char* value : {"nan", "NaN", "inf", "-inf", "1e30", "-1e30"}) {
        QTest::addRow("port %s", value) << port << QString::fromLatin1(value) << 1 << badPort(value);
        QTest::addRow("flow %s", value) << flow << QString::fromLatin1(value) << 0 << badFlow(value);
    }
    QTest::newRow("port beyond 16 bits") << port << "70000" << 1 << badPort("70000");
    QTest::newRow("port 2.5") << port << "2.5" << 2 << QString();
    QTest::newRow("port 3.5") << port << "3.5" << 4 << QString();
    QTest::newRow("port 0.4") << port << "0.4" << 1 << badPort("0");
    QTest::newRow("port empty") << port << "" << 1 << QString();
    QTest::newRow("port abc") << port << "abc" << 1
                              << QStringLiteral("The stored port number \"abc\" is not a number");
    QTest::newRow("port 3") << port << "3" << 3 << QString();
    QTest::newRow("port 12 with blanks") << port << " 12 " << 12 << QString();
    QTest::newRow("flow 2.5") << flow << "2.5" << 2 << QString();
    QTest::newRow("flow 3.5") << flow << "3.5" << 0 << badFlow("4");
    QTest::newRow("flow 0.4") << flow << "0.4" << 0 << QString();
    QTest::newRow("flow empty") << flow << "" << 0 << QString();
    QTest::newRow("flow abc") << flow << "abc" << 0
                              << QStringLiteral("The stored flow control \"abc\" is not a number");
    QTest::newRow("flow 1") << flow << "1" << 1 << QString();
    QTest::newRow("flow 3") << flow << "3" << 3 << QString();
}

void TestPort::storedNumbers() {
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(int, expected);
    QFETCH(QString, message);
    MemorySettingsStore store;
    store.setValue(SettingsKeys::kProperties, key, value);
    QSerialPortLink link(PortMap(store, [] { return QStringList(); }));
    ScriptedDialogs dialogs;
    QString echo;
    QCOMPARE(Startup::applyStoredPortSettings(link, store, dialogs, &echo), message.isEmpty());
    QCOMPARE(key == QLatin1String("CommPort") ? link.portNumber() : link.handshaking(), expected);
    QCOMPARE(dialogs.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty())
        QCOMPARE(dialogs.messages.first().icon, DialogIcon::Warning);
}

void TestPort::storedFont_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("size");
    QTest::addColumn<bool>("apply");
    QTest::addColumn<QString>("expectName");
    QTest::addColumn<double>("expectSize");
    QTest::newRow("nothing stored") << QString() << QString() << true << "Arial" << 14.0;
    QTest::newRow("stored") << "Courier"
                            << "11" << true << "Courier" << 11.0;
    QTest::newRow("empty name") << ""
                                << "11" << false << "" << 14.0;
    QTest::newRow("size not a number") << "Mono"
                                       << "big" << true << "Mono" << 14.0;
    QTest::newRow("size zero") << "Mono"
                               << "0" << true << "Mono" << 14.0;
}

void TestPort::storedFont() {
    QFETCH(QString, name);
    QFETCH(QString, size);
    MemorySettingsStore store;
    if (!name.isNull())
        store.setValue(SettingsKeys::kFont, SettingsKeys::kFontName, name);
    if (!size.isNull())
        store.setValue(SettingsKeys::kFont, SettingsKeys::kFontSize, size);
    const Startup::FontSetting f = Startup::storedFont(store);
    QTEST(f.apply, "apply");
    QTEST(f.name, "expectName");
    QTEST(f.pointSize, "expectSize");
}

void TestPort::scanListsAvailablePorts() {
    Rig r;
    r.link.availablePorts = {1, 3, 32};
    r.link.setPortNumber(3);
    r.port.toggle();
    PortSettings settings(r.port, r.store, r.dialogs);
    QCOMPARE(settings.scan(), (QList<int>{1, 3, 32}));
    QVERIFY(r.dialogs.messages.isEmpty());
    QCOMPARE(r.link.portNumber(), 3);
    QVERIFY(r.link.isOpen());
    QCOMPARE(PortSettings::portEntry(3), QStringLiteral("Com 3"));
}

void TestPort::scanReportsUnexpectedErrorsAndGoesOn() {
    Rig r;
    r.link.availablePorts = {1, 5};
    r.link.openErrors.insert(
        2, {LinkErrorCode::PermissionDenied, QStringLiteral("Permission denied on /dev/b")});
    r.link.openErrors.insert(3, {LinkErrorCode::PortInUse, QStringLiteral("in use")});
    PortSettings settings(r.port, r.store, r.dialogs);
    QCOMPARE(settings.scan(), (QList<int>{1, 5}));
    QCOMPARE(r.dialogs.texts(), QStringList{QStringLiteral("Fehler   8020 . Permission denied on /dev/b")});
    QCOMPARE(r.link.portNumber(), 1);
    QVERIFY(!r.link.isOpen());
}

void TestPort::scanWithoutPorts() {
    Rig r;
    r.link.availablePorts = {};
    PortSettings settings(r.port, r.store, r.dialogs);
    QVERIFY(settings.scan().isEmpty());
    QCOMPARE(r.dialogs.texts(), (QStringList{QStringLiteral("No Comm port found."),
                                             QStringLiteral("Ceck cable, connectors and equipment")}));
    QCOMPARE(r.dialogs.messages[0].icon, DialogIcon::Warning);
    QCOMPARE(r.dialogs.messages[1].icon, DialogIcon::Critical);
}

void TestPort::settingsText() {
    Rig r;
    PortSettings settings(r.port, r.store, r.dialogs);
    QCOMPARE(settings.settingsText(), QStringLiteral("9600,n,8,1   Port:  1  Flow  0"));
}

void TestPort::saveStoresChoice() {
    Rig r;
    r.link.availablePorts = {1, 12};
    PortSettings settings(r.port, r.store, r.dialogs);
    QVERIFY(settings.save({QStringLiteral("Com 12"), QStringLiteral(" 19200 "), QStringLiteral("Even"),
                           QStringLiteral("7"), QStringLiteral("2"), 3}));
    const QString s = QString(SettingsKeys::kProperties);
    QCOMPARE(r.store.value(s, SettingsKeys::kSettings), QStringLiteral("19200,e,7,2"));
    QCOMPARE(r.store.value(s, QString(SettingsKeys::kCommPort)), QStringLiteral("12"));
    QCOMPARE(r.store.value(s, QString(SettingsKeys::kHandshaking)), QStringLiteral("3"));
    QCOMPARE(r.port.view().portCaption, QStringLiteral("Com:  12"));
    QVERIFY(r.dialogs.messages.isEmpty());
}

void TestPort::saveRefusedStoresNothing() {
    Rig r;
    PortSettings settings(r.port, r.store, r.dialogs);
    QVERIFY(!settings.save({QStringLiteral("Com 2"), QStringLiteral("9600"), QStringLiteral("Bogus"),
                            QStringLiteral("8"), QStringLiteral("1"), 0}));
    QCOMPARE(r.dialogs.messages.size(), 1);
    QCOMPARE(r.store.writes(), 0);

    r.link.refuseSettings = false;
    QVERIFY(!settings.save({QStringLiteral("Com99"), QStringLiteral("9600"), QStringLiteral("None"),
                            QStringLiteral("8"), QStringLiteral("1"), 0}));
    QCOMPARE(r.link.portNumber(), 2);
    QCOMPARE(r.store.writes(), 0);
}

void TestPort::saveOtherPortWhileOpen() {
    Rig r;
    r.link.availablePorts = {1, 2};
    r.port.toggle();
    PortSettings settings(r.port, r.store, r.dialogs);
    QVERIFY(settings.save({QStringLiteral("Com 2"), QStringLiteral("9600"), QStringLiteral("None"),
                           QStringLiteral("8"), QStringLiteral("1"), 0}));
    QVERIFY(r.link.isOpen());
    QCOMPARE(r.link.portNumber(), 2);
    QCOMPARE(r.port.view().picture, int(PortView::Changed));

    // A port that refuses to open puts the old one back, open, and stores nothing.
    r.link.openErrors.insert(1, {LinkErrorCode::DeviceNotOpen, QStringLiteral("gone")});
    const int writes = r.store.writes();
    QVERIFY(!settings.save({QStringLiteral("Com 1"), QStringLiteral("9600"), QStringLiteral("None"),
                            QStringLiteral("8"), QStringLiteral("1"), 0}));
    QCOMPARE(r.link.portNumber(), 2);
    QVERIFY(r.link.isOpen());
    QCOMPARE(r.store.writes(), writes);
}

void TestPort::drain_data() {
    QTest::addColumn<int>("pending");
    QTest::addColumn<QList<int>>("answers"); // DialogAnswer values
    QTest::addColumn<bool>("ends");
    QTest::addColumn<int>("questions");
    QTest::addColumn<int>("releaseAfter"); // wait steps before a held line is released, -1: none
    QTest::newRow("empty output closes at once") << 0 << QList<int>{} << true << 0 << -1;
    QTest::newRow("abort keeps running") << 10 << QList<int>{int(DialogAnswer::Abort)} << false << 1 << -1;
    QTest::newRow("ignore closes") << 10 << QList<int>{int(DialogAnswer::Ignore)} << true << 1 << -1;
    QTest::newRow("retry waits again")
        << 10 << QList<int>{int(DialogAnswer::Retry), int(DialogAnswer::Ignore)} << true << 2 << -1;
    QTest::newRow("held line released in time") << 0 << QList<int>{} << true << 0 << 3;
    QTest::newRow("held line released after a retry")
        << 0 << QList<int>{int(DialogAnswer::Retry)} << true << 1 << 15;
    QTest::newRow("held line, abort") << 0 << QList<int>{int(DialogAnswer::Abort)} << false << 1 << 100;
}

void TestPort::drain() {
    QFETCH(int, pending);
    QFETCH(QList<int>, answers);
    FakeSerialLink link;
    FakeClock clock;
    ScriptedDialogs dialogs;
    for (int a : answers)
        dialogs.answers.enqueue(static_cast<DialogAnswer>(a));
    QFETCH(int, releaseAfter);
    QVERIFY(link.setPortOpen(true));
    link.setPendingOutput(pending);
    const bool held = releaseAfter >= 0;
    if (held) {
        link.holdLine(true);
        QVERIFY(link.output("held"));
        QCOMPARE(link.outBufferCount(), 4);
    }
    int steps = 0;
    const bool ends = drainAndClose(link, clock, dialogs, [&] {
        clock.advance(1);
        if (++steps == releaseAfter)
            link.holdLine(false);
        QVERIFY(steps < 100);
    });
    QTEST(ends, "ends");
    QTEST(int(dialogs.messages.size()), "questions");
    QCOMPARE(link.isOpen(), !ends);
    for (const MessageRequest& m : dialogs.messages) {
        QCOMPARE(m.text, QStringLiteral("Data cannot be sent"));
        QCOMPARE(m.buttons, DialogButtons::AbortRetryIgnore);
    }
    if (pending > 0 || held)
        QVERIFY(steps >= 10 * int(dialogs.messages.size()));
    // Released output went out before the port closed; on Abort it still waits.
    if (held)
        QCOMPARE(link.written(), ends ? QByteArray("held") : QByteArray());
}

void TestPort::realLinkRefusals_data() {
    QTest::addColumn<QString>("mapped");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("mentions");
    QTest::newRow("no device for the number") << "" << int(LinkErrorCode::InvalidPortNumber) << "Port 1";
    QTest::newRow("path that does not exist")
        << "/nonexistent/ttyVornal" << int(LinkErrorCode::DeviceMissing) << "/nonexistent/ttyVornal";
    QTest::newRow("not a serial device") << "/dev/null" << int(LinkErrorCode::DeviceNotOpen) << "/dev/null";
}

void TestPort::realLinkRefusals() {
    QFETCH(QString, mapped);
    QFETCH(QString, mentions);
    MemorySettingsStore store;
    if (!mapped.isEmpty())
        store.setValue(SettingsKeys::kPorts, QStringLiteral("1"), mapped);
    QSerialPortLink link(PortMap(store, [] { return QStringList(); }));
    QVERIFY(!link.setPortOpen(true));
    QVERIFY(!link.isOpen());
    QTEST(int(link.lastError().code), "code");
    QVERIFY2(link.lastError().text.contains(mentions), qPrintable(link.lastError().text));
    QVERIFY(!link.output("x"));

    // Values out of range are refused and change nothing.
    QVERIFY(!link.setPortNumber(0));
    QVERIFY(!link.setPortNumber(99));
    QCOMPARE(link.portNumber(), 1);
    QVERIFY(!link.setHandshaking(7));
    QCOMPARE(link.handshaking(), 0);
    QVERIFY(!link.setSettings(QStringLiteral("9600,x,8,1")));
    QCOMPARE(link.settings(), QStringLiteral("9600,n,8,1"));
}

void TestPort::permissionText() {
    const QString text = permissionDeniedText(QStringLiteral("/dev/ttyUSB0"), QStringLiteral("dialout"));
    QVERIFY(text.contains(QStringLiteral("/dev/ttyUSB0")));
    QVERIFY(text.contains(QStringLiteral("\"dialout\"")));
    QVERIFY(text.contains(QStringLiteral("log out and in again")));
    QCOMPARE(deviceGroup(QStringLiteral("/nonexistent")), QString());
    QVERIFY(!deviceGroup(QStringLiteral("/dev/null")).isEmpty());
}

// Bytes that come from the box one at a time, in pieces of any size, or in a burst
// reach the program once each and in order, however the link gathers them; a trickle
// is handed on at most once per gathering time.
void TestPort::receivedPiecesArriveWhole_data() {
    // Sizes, written kPauseMs apart; a 0 is a pause of kQuietMs instead.
    QTest::addColumn<QList<int>>("pieces");
    QTest::addColumn<bool>("trickle");
    const QList<int> singles(120, 1);
    QTest::newRow("one byte at a time") << singles << true;
    QTest::newRow("pieces of a line") << QList<int>{3, 1, 7, 2, 9, 1, 1, 5, 8, 4, 6, 2, 9, 3} << true;
    QTest::newRow("a trickle, a burst, a trickle")
        << (QList<int>(30, 1) + QList<int>{6000} + QList<int>(30, 1)) << false;
    QTest::newRow("a burst, then a trickle") << (QList<int>{6000} + QList<int>(40, 1)) << false;
    QTest::newRow("a trickle, pauses, single bytes")
        << (QList<int>(30, 1) + QList<int>{0, 1, 0, 1, 0} + QList<int>(30, 1)) << true;
}

void TestPort::receivedPiecesArriveWhole() {
    QFETCH(QList<int>, pieces);
    QFETCH(bool, trickle);
    constexpr int kPauseMs = 2;
    constexpr int kQuietMs = 60;
    QString device;
    const int master = openRawPty(device);
    QVERIFY(master >= 0);
    MemorySettingsStore store;
    store.setValue(SettingsKeys::kPorts, QStringLiteral("1"), device);
    QSerialPortLink link(PortMap(store, [] { return QStringList(); }));
    QVERIFY2(link.setPortOpen(true), qPrintable(link.lastError().text));
    QByteArray sent;
    for (int size : std::as_const(pieces))
        for (int i = 0; i < size; ++i)
            sent.append(sent.size() % 70 == 69 ? '\r' : char('a' + sent.size() % 26));
    QByteArray received;
    int deliveries = 0;
    int miscounted = 0;
    connect(&link, &SerialLink::commEvent, this, [&](int code) {
        if (code == CommEvent::Receive) {
            const int waiting = link.inBufferCount();
            const QByteArray got = link.input();
            miscounted += waiting != got.size() || link.inBufferCount() != 0;
            received += got;
            ++deliveries;
        }
    });
    // While input trickles, the port itself reads only the first byte after each pause.
    int portReads = 0;
    auto* port = link.findChild<QSerialPort*>();
    QVERIFY(port);
    connect(port, &QSerialPort::readyRead, this, [&] { ++portReads; });
    QElapsedTimer elapsed;
    elapsed.start();
    std::thread writer([&] {
        qsizetype at = 0;
        for (int size : std::as_const(pieces)) {
            writeAll(master, sent.constData() + at, size_t(size));
            at += size;
            std::this_thread::sleep_for(std::chrono::milliseconds(size == 0 ? kQuietMs : kPauseMs));
        }
    });
    QTRY_COMPARE_WITH_TIMEOUT(received.size(), sent.size(), 10000);
    writer.join();
    QCOMPARE(received, sent);
    QCOMPARE(miscounted, 0);
    if (trickle) {
        QVERIFY2(deliveries <= elapsed.elapsed() / QSerialPortLink::kGatherMs + 2,
                 qPrintable(QStringLiteral("%1 deliveries in %2 ms").arg(deliveries).arg(elapsed.elapsed())));
        const int pauses = int(pieces.count(0));
        QVERIFY2(
            portReads <= deliveries / 2 + pauses + 2,
            qPrintable(QStringLiteral("%1 reads of the port, %2 deliveries").arg(portReads).arg(deliveries)));
    }
    link.setPortOpen(false);
    ::close(master);
}

QTEST_GUILESS_MAIN(TestPort)
#include "tst_port.moc"
