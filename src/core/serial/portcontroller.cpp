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
    emit toggling();
    emit lineReset();
    m_link.setSettings(QString::fromLatin1(kOpenSettings));
    if (!m_link.setPortOpen(!m_link.isOpen()))
        m_dialogs.warning(m_link.lastError().text);
    if (m_link.isOpen())
        showOpen();
    else
        showClosed(true);
}

void PortController::showOpen() {
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
    emit terminalTextSet(QStringLiteral("Terminal Ready "));
    if (!m_link.output(QByteArray(1, '\r')))
        m_dialogs.warning(m_link.lastError().text);
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
    m_view.open = true;
    m_view.openCaption = QStringLiteral("Close Port");
    m_view.sendCommandsEnabled = true;
    m_view.portCaption = QStringLiteral("Com: ") + signedNumberText(m_link.portNumber());
    m_view.picture = PortView::Changed;
    m_view.statusCaption = m_link.settings();
    emit viewChanged();
}

void PortController::showPortNumber() {
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
    m_dialogs.warning(message, QStringLiteral("Interface box"));
}

} // namespace vornal
