#include "serial/portcontroller.h"

#include "clock.h"
#include "display/numbertext.h"
#include "serial/seriallink.h"
#include "userdialogs.h"

namespace vornal {

PortController::PortController(SerialLink& link, Clock& clock, UserDialogs& dialogs, QObject* parent)
    : QObject(parent), m_link(link), m_clock(clock), m_dialogs(dialogs) {
    m_timer1.setInterval(1000);
    connect(&m_timer1, &QTimer::timeout, this, &PortController::tick);
    connect(&m_link, &SerialLink::deviceLost, this, &PortController::onDeviceLost);
    connect(&m_return, &DeviceReturn::returned, this, &PortController::reopenAfterReturn);
}

QString PortController::elapsedText(qint64 seconds) {
    if (seconds < 0)
        seconds = 0;
    seconds %= 24 * 3600;
    return QStringLiteral("%1:%2:%3 ")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg((seconds / 60) % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

void PortController::toggle() {
    m_return.stop();
    emit toggling();
    emit lineReset();
    m_link.setSettings(QString::fromLatin1(kOpenSettings));
    if (!m_link.setPortOpen(!m_link.isOpen()))
        m_dialogs.warning(m_link.lastError().text);
    if (m_link.isOpen())
        showOpen(OpenedBy::Operator);
    else
        showClosed(true);
}

void PortController::showOpen(OpenedBy by) {
    m_view.open = true;
    m_view.sendCommandsEnabled = true;
    m_view.portCaption = QStringLiteral("Com: ") + signedNumberText(m_link.portNumber());
    m_view.picture = PortView::Active;
    m_view.statusCaption = m_link.settings();
    m_view.openCaption = QStringLiteral("Close Port");
    m_connectStart = m_clock.now();
    m_timer1.start();
    m_view.propertiesEnabled = false;
    emit viewChanged();
    if (by == OpenedBy::Operator)
        emit terminalTextSet(QStringLiteral("Terminal Ready "));
    if (!m_link.output(QByteArray(1, '\r')) && by == OpenedBy::Operator)
        m_dialogs.warning(m_link.lastError().text);
    if (by == OpenedBy::Operator)
        emit focusTerminal();
}

void PortController::showClosed(bool replaceText) {
    m_view.open = false;
    m_view.sendCommandsEnabled = false;
    m_view.portCaption = QStringLiteral("Com: Unknown");
    m_view.picture = PortView::Idle;
    m_view.statusCaption = QStringLiteral("Closed 1");
    m_view.openCaption = QStringLiteral("Open Port ");
    m_timer1.stop();
    m_view.elapsed = QStringLiteral("Off Line");
    m_view.propertiesEnabled = true;
    emit viewChanged();
    if (replaceText)
        emit terminalTextSet(QStringLiteral("Terminal Closed "));
}

void PortController::reopenedOnNewPort() {
    m_return.stop();
    m_view.open = true;
    m_view.openCaption = QStringLiteral("Close Port");
    m_view.sendCommandsEnabled = true;
    m_view.portCaption = QStringLiteral("Com: ") + signedNumberText(m_link.portNumber());
    m_view.picture = PortView::Changed;
    m_view.statusCaption = m_link.settings();
    emit viewChanged();
}

void PortController::showPortNumber() {
    m_return.stop();
    m_view.portCaption = QStringLiteral("Com: ") + signedNumberText(m_link.portNumber());
    emit viewChanged();
}

void PortController::tick() {
    m_view.elapsed = elapsedText(m_connectStart.secsTo(m_clock.now()));
    emit viewChanged();
}

void PortController::onDeviceLost(const QString& message) {
    emit lineReset();
    // The received text stays: the operator may still need what arrived before the loss.
    showClosed(false);
    m_return.watch(m_link.deviceName());
    // One warning while the box is away: a box that comes back and goes again while
    // the first one is still on the screen is not announced a second time.
    if (m_lossWarningShown)
        return;
    m_lossWarningShown = true;
    m_dialogs.warning(message, QStringLiteral("Interface box"));
    m_lossWarningShown = false;
}

// A failed open is tried again on the next look at the device, without a message.
void PortController::reopenAfterReturn() {
    if (m_link.isOpen()) {
        m_return.stop();
        return;
    }
    m_link.setSettings(QString::fromLatin1(kOpenSettings));
    if (!m_link.setPortOpen(true))
        return;
    m_return.stop();
    emit lineReset();
    showOpen(OpenedBy::Return);
    if (m_link.isOpen()) // the CR found the device gone again otherwise
        emit status(QStringLiteral("The interface box is back: %1 is open again").arg(m_link.deviceName()));
}

} // namespace vornal
