#include "qserialportlink.h"

#include "devicemessages.h"

#include <QFileInfo>
#include <QSerialPort>
#include <sys/ioctl.h>
#include <unistd.h>

namespace vornal {

namespace {

QSerialPort::Parity toParity(QChar letter) {
    switch (letter.unicode()) {
    case 'e':
        return QSerialPort::EvenParity;
    case 'o':
        return QSerialPort::OddParity;
    case 'm':
        return QSerialPort::MarkParity;
    case 's':
        return QSerialPort::SpaceParity;
    default:
        return QSerialPort::NoParity;
    }
}

QSerialPort::StopBits toStopBits(const QString& text) {
    if (text == QLatin1String("2"))
        return QSerialPort::TwoStop;
    if (text == QLatin1String("1.5"))
        return QSerialPort::OneAndHalfStop;
    return QSerialPort::OneStop;
}

QSerialPort::FlowControl toFlow(int code) {
    switch (code) {
    case 1:
        return QSerialPort::SoftwareControl;
    case 2:
    case 3: // Qt offers no combined mode; hardware flow control is the stronger half.
        return QSerialPort::HardwareControl;
    default:
        return QSerialPort::NoFlowControl;
    }
}

} // namespace

QSerialPortLink::QSerialPortLink(PortMap portMap, QObject* parent)
    : SerialLink(parent), m_portMap(std::move(portMap)), m_port(new QSerialPort(this)) {
    m_gather.setSingleShot(true);
    connect(&m_gather, &QTimer::timeout, this, &QSerialPortLink::gathered);
    connect(m_port, &QSerialPort::readyRead, this, &QSerialPortLink::onReadyRead);
    connect(m_port, &QSerialPort::bytesWritten, this, [this] {
        if (m_port->bytesToWrite() == 0)
            emit commEvent(CommEvent::Send);
    });
    connect(m_port, &QSerialPort::errorOccurred, this,
            [this](QSerialPort::SerialPortError e) { onPortError(int(e)); });
}

QSerialPortLink::~QSerialPortLink() {
    if (m_port->isOpen())
        m_port->close();
}

bool QSerialPortLink::fail(LinkErrorCode code, const QString& text) {
    m_error = {code, text};
    return false;
}

bool QSerialPortLink::succeed() {
    m_error = {};
    return true;
}

QString QSerialPortLink::portLabel() const {
    const QString device = m_portMap.devicePath(m_portNumber);
    return device.isEmpty() ? QStringLiteral("Port %1").arg(m_portNumber)
                            : QStringLiteral("Port %1 (%2)").arg(m_portNumber).arg(device);
}

bool QSerialPortLink::setPortNumber(int number) {
    if (m_port->isOpen())
        return fail(LinkErrorCode::PortAlreadyOpen, QStringLiteral("Port already open"));
    if (number < kFirstPort || number > kLastPort)
        return fail(LinkErrorCode::InvalidPortNumber,
                    QStringLiteral("Invalid port number %1 (ports are 1 to 32)").arg(number));
    m_portNumber = number;
    return succeed();
}

bool QSerialPortLink::setSettings(const QString& settings) {
    const auto parsed = SerialSettings::parse(settings);
    if (!parsed)
        return fail(LinkErrorCode::InvalidValue,
                    QStringLiteral("Invalid port settings \"%1\"").arg(settings));
    const SerialSettings previous = m_settings;
    m_settings = *parsed;
    if (m_port->isOpen() && !applyLineSettings()) {
        m_settings = previous;
        applyLineSettings();
        return fail(LinkErrorCode::SettingsRefused,
                    QStringLiteral("The port refused the settings \"%1\"").arg(settings));
    }
    return succeed();
}

bool QSerialPortLink::setHandshaking(int code) {
    if (code < 0 || code > kMaxFlowControl)
        return fail(LinkErrorCode::InvalidValue,
                    QStringLiteral("Invalid flow control %1 (0 to 3 are known)").arg(code));
    m_handshaking = code;
    if (m_port->isOpen() && !m_port->setFlowControl(toFlow(code)))
        return fail(LinkErrorCode::SettingsRefused, QStringLiteral("The port refused the flow control"));
    return succeed();
}

bool QSerialPortLink::applyLineSettings() {
    const int bits = m_settings.dataBits;
    const auto dataBits = static_cast<QSerialPort::DataBits>(bits);
    return m_port->setBaudRate(m_settings.speed) && bits >= 5 && m_port->setDataBits(dataBits) &&
           m_port->setParity(toParity(m_settings.parity)) &&
           m_port->setStopBits(toStopBits(m_settings.stopBits)) &&
           m_port->setFlowControl(toFlow(m_handshaking));
}

bool QSerialPortLink::setPortOpen(bool open) {
    if (!open) {
        if (m_port->isOpen())
            m_port->close();
        return succeed();
    }
    if (m_port->isOpen())
        return fail(LinkErrorCode::PortAlreadyOpen, QStringLiteral("Port already open"));
    const QString device = m_portMap.devicePath(m_portNumber);
    if (device.isEmpty())
        return fail(LinkErrorCode::InvalidPortNumber,
                    QStringLiteral("Port %1 names no serial device: no device is listed at that position "
                                   "and none is set for it in the settings (section Ports).")
                        .arg(m_portNumber));
    if (!QFileInfo::exists(device))
        return fail(
            LinkErrorCode::DeviceMissing,
            QStringLiteral("The device %1 of port %2 does not exist. Is the interface box plugged in?")
                .arg(device)
                .arg(m_portNumber));
    m_port->setPortName(device);
    m_closingAfterLoss = false;
    m_draining = false;
    m_gather.stop();
    m_sinceDelivery.invalidate();
    m_trickle = false;
    m_port->setReadBufferSize(0);
    if (!m_port->open(QIODevice::ReadWrite)) {
        const QSerialPort::SerialPortError e = m_port->error();
        const QString qtText = m_port->errorString();
        m_port->clearError();
        if (e == QSerialPort::PermissionError) {
            const QByteArray path = device.toLocal8Bit();
            if (::access(path.constData(), R_OK | W_OK) == 0)
                return fail(LinkErrorCode::PortInUse,
                            QStringLiteral("%1 is in use by another program.").arg(portLabel()));
            return fail(LinkErrorCode::PermissionDenied, permissionDeniedText(device, deviceGroup(device)));
        }
        if (e == QSerialPort::DeviceNotFoundError)
            return fail(
                LinkErrorCode::DeviceMissing,
                QStringLiteral("The device %1 of port %2 does not exist.").arg(device).arg(m_portNumber));
        return fail(LinkErrorCode::DeviceNotOpen,
                    QStringLiteral("%1 cannot be opened: %2").arg(portLabel(), qtText));
    }
    if (!applyLineSettings()) {
        m_port->close();
        return fail(LinkErrorCode::SettingsRefused,
                    QStringLiteral("%1 refused the settings %2").arg(portLabel(), m_settings.toString()));
    }
    return succeed();
}

bool QSerialPortLink::isOpen() const {
    return m_port->isOpen();
}

bool QSerialPortLink::output(const QByteArray& bytes) {
    if (!m_port->isOpen())
        return fail(LinkErrorCode::DeviceNotOpen, QStringLiteral("The port is not open"));
    if (m_port->write(bytes) != bytes.size())
        return fail(LinkErrorCode::WriteFailed,
                    QStringLiteral("Writing to %1 failed: %2").arg(portLabel(), m_port->errorString()));
    m_port->flush();
    return succeed();
}

QByteArray QSerialPortLink::input() {
    if (!m_port->isOpen())
        return {};
    QByteArray data = m_port->readAll();
    m_lastInput = data.size();
    return data;
}

// At the line rate bytes arrive one at a time, and waking up for each costs more than
// everything the program does with it. While input only trickles in, the port buffers
// a single byte, which stops its reading until that byte is taken; the first byte
// after a quiet spell is reported at once, the ones after it together every
// kGatherMs. Input that comes in large pieces is read as it comes.
void QSerialPortLink::setTrickle(bool trickle) {
    if (trickle == m_trickle)
        return;
    m_trickle = trickle;
    m_port->setReadBufferSize(trickle ? 1 : 0);
}

void QSerialPortLink::deliver() {
    m_sinceDelivery.start();
    m_lastInput = 0;
    emit commEvent(CommEvent::Receive);
    if (!m_port->isOpen())
        return;
    if (m_lastInput > 0)
        setTrickle(m_lastInput < kLargeInput);
}

void QSerialPortLink::onReadyRead() {
    if (m_draining) {
        m_draining = false;
        deliver();
        return;
    }
    if (!m_trickle || !m_sinceDelivery.isValid() || m_sinceDelivery.elapsed() >= kGatherMs) {
        m_gather.stop();
        deliver();
        return;
    }
    if (!m_gather.isActive())
        m_gather.start(int(std::max<qint64>(1, kGatherMs - m_sinceDelivery.elapsed())));
}

void QSerialPortLink::gathered() {
    if (!m_port->isOpen())
        return;
    int waiting = 0;
    if (::ioctl(m_port->handle(), FIONREAD, &waiting) == 0 && waiting > 0) {
        // Let the port read everything that is waiting; its read event delivers it.
        m_draining = true;
        m_trickle = false;
        m_port->setReadBufferSize(0);
        return;
    }
    deliver();
}

int QSerialPortLink::inBufferCount() const {
    return m_port->isOpen() ? int(m_port->bytesAvailable()) : 0;
}

void QSerialPortLink::clearInput() {
    if (!m_port->isOpen())
        return;
    m_port->readAll();
    m_port->clear(QSerialPort::Input);
}

int QSerialPortLink::outBufferCount() const {
    return m_port->isOpen() ? int(m_port->bytesToWrite()) : 0;
}

QString QSerialPortLink::deviceName() const {
    return m_portMap.devicePath(m_portNumber);
}

void QSerialPortLink::onPortError(int error) {
    const auto e = static_cast<QSerialPort::SerialPortError>(error);
    if (e != QSerialPort::ResourceError && e != QSerialPort::ReadError)
        return;
    if (m_closingAfterLoss || !m_port->isOpen())
        return;
    m_closingAfterLoss = true;
    const QString text = m_port->errorString();
    m_port->clearError();
    m_port->close();
    emit deviceLost(QStringLiteral("The connection to the interface box on %1 was lost (%2). The port has "
                                   "been closed; check the cable and the box, then open the port again.")
                        .arg(portLabel(), text));
}

} // namespace vornal
