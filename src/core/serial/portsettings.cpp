#include "serial/portsettings.h"

#include "display/numbertext.h"
#include "files/settingskeys.h"
#include "files/settingsstore.h"
#include "serial/portcontroller.h"
#include "serial/seriallink.h"
#include "userdialogs.h"

namespace vornal {

const QStringList PortSettings::kSpeeds = {
    QStringLiteral("110"),   QStringLiteral("300"),    QStringLiteral("600"),    QStringLiteral("1200"),
    QStringLiteral("2400"),  QStringLiteral("4800"),   QStringLiteral("9600"),   QStringLiteral("14400"),
    QStringLiteral("19200"), QStringLiteral("28800"),  QStringLiteral("38400"),  QStringLiteral("56000"),
    QStringLiteral("57600"), QStringLiteral("115200"), QStringLiteral("128000"), QStringLiteral("256000")};
const QStringList PortSettings::kDataBits = {QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"),
                                             QStringLiteral("7"), QStringLiteral("8")};
const QStringList PortSettings::kParities = {QStringLiteral("Even"), QStringLiteral("Odd"),
                                             QStringLiteral("None"), QStringLiteral("Mark"),
                                             QStringLiteral("Space")};
const QStringList PortSettings::kStopBits = {QStringLiteral("1"), QStringLiteral("1.5"), QStringLiteral("2")};
const QStringList PortSettings::kFlowNames = {QStringLiteral("None"), QStringLiteral("Xon/Xoff"),
                                              QStringLiteral("RTS"), QStringLiteral("Xon/RTS")};

PortSettings::PortSettings(PortController& port, SettingsStore& store, UserDialogs& dialogs)
    : m_port(port), m_link(port.link()), m_store(store), m_dialogs(dialogs) {}

QString PortSettings::portEntry(int number) {
    return QStringLiteral("Com") + signedNumberText(number);
}

QList<int> PortSettings::scan() {
    // The settings window is the operator's handling of the port: a lost box is not
    // opened behind its back while the window tries the ports.
    m_port.stopAwaitingReturn();
    QList<int> available;
    const int current = m_link.portNumber();
    const bool wasOpen = m_link.isOpen();
    if (wasOpen)
        m_link.setPortOpen(false);
    for (int n = SerialLink::kFirstPort; n <= SerialLink::kLastPort; ++n) {
        if (!m_link.setPortNumber(n))
            continue;
        if (m_link.setPortOpen(true)) {
            available.append(n);
            m_link.setPortOpen(false);
            continue;
        }
        const LinkError error = m_link.lastError();
        switch (error.code) {
        case LinkErrorCode::InvalidPortNumber:
        case LinkErrorCode::PortAlreadyOpen:
        case LinkErrorCode::PortInUse:
        case LinkErrorCode::DeviceNotOpen:
        case LinkErrorCode::DeviceMissing:
        case LinkErrorCode::SettingsRefused:
            break;
        default:
            // Reported, and the scan goes on with the next port.
            m_dialogs.warning(QStringLiteral("Fehler  ") + signedNumberText(int(error.code)) +
                              QStringLiteral(" . ") + error.text);
            break;
        }
    }
    if (available.isEmpty()) {
        m_dialogs.warning(QStringLiteral("No Comm port found."));
        m_dialogs.critical(QStringLiteral("Ceck cable, connectors and equipment"));
    }
    m_link.setPortNumber(current);
    if (wasOpen && !m_link.setPortOpen(true))
        m_dialogs.warning(m_link.lastError().text);
    return available;
}

QString PortSettings::settingsText() const {
    return m_link.settings() + QStringLiteral("   Port: ") + signedNumberText(m_link.portNumber()) +
           QStringLiteral("  Flow ") + signedNumberText(m_link.handshaking());
}

bool PortSettings::save(const Choice& choice) {
    const int remembered = m_link.portNumber();
    int wanted = remembered;
    const QString tail = choice.portText.right(2).trimmed();
    if (!tail.isEmpty()) {
        bool ok = false;
        const int n = tail.toInt(&ok);
        wanted = ok ? n : -1;
    }
    if (wanted != remembered) {
        const bool wasOpen = m_link.isOpen();
        if (wasOpen)
            m_link.setPortOpen(false);
        if (!m_link.setPortNumber(wanted)) {
            m_dialogs.warning(m_link.lastError().text);
            m_link.setPortNumber(remembered);
            if (wasOpen)
                m_link.setPortOpen(true);
            return false;
        }
        if (wasOpen) {
            if (!m_link.setPortOpen(true)) {
                m_dialogs.warning(m_link.lastError().text);
                m_link.setPortNumber(remembered);
                m_link.setPortOpen(true);
                return false;
            }
            m_port.reopenedOnNewPort();
        }
    }
    m_port.showPortNumber();

    const QString parity = choice.parity.trimmed().left(1).toLower();
    const QString settings = choice.speed.trimmed() + QLatin1Char(',') + parity + QLatin1Char(',') +
                             choice.dataBits.trimmed() + QLatin1Char(',') + choice.stopBits.trimmed();
    if (!m_link.setSettings(settings)) {
        m_dialogs.warning(m_link.lastError().text);
        return false;
    }
    if (!m_link.setHandshaking(choice.flow)) {
        m_dialogs.warning(m_link.lastError().text);
        return false;
    }
    const QString section = QString(SettingsKeys::kProperties);
    m_store.setValue(section, QString(SettingsKeys::kSettings), m_link.settings());
    m_store.setValue(section, QString(SettingsKeys::kCommPort), QString::number(m_link.portNumber()));
    m_store.setValue(section, QString(SettingsKeys::kHandshaking), QString::number(m_link.handshaking()));
    return true;
}

} // namespace vornal
