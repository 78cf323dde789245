#include "display/portevents.h"

#include "display/terminaldisplay.h"
#include "files/textcodec.h"
#include "serial/seriallink.h"

namespace vornal {

PortEvents::PortEvents(SerialLink& link, TerminalDisplay& display, QObject* parent)
    : QObject(parent), m_link(link), m_display(display) {
    m_timer2.setInterval(2000);
    m_timer2.setSingleShot(true);
    connect(&m_timer2, &QTimer::timeout, this, [this] { emit status(QStringLiteral("Status: ")); });
    connect(&m_link, &SerialLink::commEvent, this, &PortEvents::handle);
}

bool PortEvents::isLineEvent(int code) {
    return code >= CommEvent::Cts && code <= CommEvent::Eof;
}

QString PortEvents::eventText(int code) {
    switch (code) {
    case CommEvent::Send:
    case CommEvent::Receive:
    case -3:
        return {};
    case CommEvent::Cts:
        return QStringLiteral("Change in CTS Detected");
    case CommEvent::Dsr:
        return QStringLiteral("Change in DSR Detected");
    case CommEvent::Cd:
        return QStringLiteral("Change in CD Detected");
    case CommEvent::Ring:
        return QStringLiteral("The Phone is Ringing");
    case CommEvent::Eof:
        return QStringLiteral("End of File Detected");
    case CommEvent::Break:
        return QStringLiteral("Break Received");
    case CommEvent::CtsTimeout:
        return QStringLiteral("CTS Timeout");
    case CommEvent::DsrTimeout:
        return QStringLiteral("DSR Timeout");
    case CommEvent::Frame:
        return QStringLiteral("Framing Error");
    case CommEvent::Overrun:
        return QStringLiteral("Overrun Error");
    case CommEvent::CdTimeout:
        return QStringLiteral("Carrier Detect Timeout");
    case CommEvent::RxOver:
        return QStringLiteral("Receive Buffer Overflow");
    case CommEvent::RxParity:
        return QStringLiteral("Parity Error");
    case CommEvent::TxFull:
        return QStringLiteral("Transmit Buffer Full");
    case CommEvent::Dcb:
        return QStringLiteral("Error retrieving DCB");
    default:
        return QStringLiteral("Unknown error or event");
    }
}

void PortEvents::handle(int code) {
    switch (code) {
    case CommEvent::Receive: {
        const QByteArray data = m_link.input();
        emit receiveIndicator(true);
        emit sendIndicator(false);
        if (!data.isEmpty()) {
            QString text = TextCodec::decode(data);
            m_display.DisplayReceived(text);
        }
        return;
    }
    case -3:
        m_link.clearInput();
        return;
    case CommEvent::Send:
        emit sendIndicator(true);
        emit receiveIndicator(false);
        return;
    default:
        break;
    }
    const QString text = eventText(code);
    if (isLineEvent(code)) {
        emit status(QStringLiteral("Status: ") + text);
        m_timer2.start();
    } else {
        m_timer2.stop();
        emit status(QStringLiteral("Status: ") + text);
    }
}

} // namespace vornal
