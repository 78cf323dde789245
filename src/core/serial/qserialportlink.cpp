#include "serial/qserialportlink.h"

#include "serial/devicemessages.h"
#include "serial/serialdevices.h"

#include <QFileInfo>
#include <QSerialPort>
#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
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
    case 3: // Qt offers no combined mode: XON/XOFF is added to the terminal settings.
        return QSerialPort::HardwareControl;
    default:
        return QSerialPort::NoFlowControl;
    }
}

} // namespace

QSerialPortLink::QSerialPortLink(PortMap portMap, const LineIo& lineIo, QObject* parent)
    : SerialLink(parent), m_portMap(std::move(portMap)), m_port(new QSerialPort(this)),
      m_writable(new QSocketNotifier(QSocketNotifier::Write, this)), m_lines(lineIo) {
    connect(&m_lines, &LineWatch::lineEvent, this, &SerialLink::commEvent);
    connect(&m_lines, &LineWatch::linesChanged, this, &SerialLink::modemLinesChanged);
    m_gather.setSingleShot(true);
    connect(&m_gather, &QTimer::timeout, this, &QSerialPortLink::gathered);
    connect(m_port, &QSerialPort::readyRead, this, &QSerialPortLink::onReadyRead);
    connect(m_port, &QSerialPort::errorOccurred, this,
            [this](QSerialPort::SerialPortError e) { onPortError(int(e)); });
    connect(m_writable, &QSocketNotifier::activated, this, [this] { writeHeld(); });
}

QSerialPortLink::~QSerialPortLink() {
    closePort();
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
    if (m_port->isOpen() && !applyFlowControl())
        return fail(LinkErrorCode::SettingsRefused, QStringLiteral("The port refused the flow control"));
    return succeed();
}

// The box stops our output with XOFF and releases it with XON only: the port's own
// software flow control would let any byte from the box restart it. Code 3 is
// hardware flow control with XON/XOFF on top.
bool QSerialPortLink::applyFlowControl() {
    if (!m_port->setFlowControl(toFlow(m_handshaking)))
        return false;
    termios tio{};
    if (::tcgetattr(m_port->handle(), &tio) != 0)
        return false;
    tio.c_iflag &= ~tcflag_t(IXANY);
    if (m_handshaking == 1 || m_handshaking == 3)
        tio.c_iflag |= IXON | IXOFF;
    else
        tio.c_iflag &= ~tcflag_t(IXON | IXOFF);
    return ::tcsetattr(m_port->handle(), TCSANOW, &tio) == 0;
}

bool QSerialPortLink::applyLineSettings() {
    const int bits = m_settings.dataBits;
    const auto dataBits = static_cast<QSerialPort::DataBits>(bits);
    return m_port->setBaudRate(m_settings.speed) && bits >= 5 && m_port->setDataBits(dataBits) &&
           m_port->setParity(toParity(m_settings.parity)) &&
           m_port->setStopBits(toStopBits(m_settings.stopBits)) && applyFlowControl();
}

bool QSerialPortLink::setPortOpen(bool open) {
    if (!open) {
        closePort();
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
    m_taken.clear();
    m_portHanded = 0;
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
        closePort();
        return fail(LinkErrorCode::SettingsRefused,
                    QStringLiteral("%1 refused the settings %2").arg(portLabel(), m_settings.toString()));
    }
    m_writable->setSocket(m_port->handle());
    m_lines.start(int(m_port->handle()));
    return succeed();
}

// What has not gone out when the port closes is dropped, the system's queue included:
// on a held line the close would otherwise wait for it, and the program with it.
void QSerialPortLink::closePort() {
    m_lines.stop();
    m_writable->setEnabled(false);
    m_writable->setSocket(-1);
    if (!m_port->isOpen())
        return;
    if (outBufferCount() > 0)
        ::tcflush(m_port->handle(), TCOFLUSH);
    m_held.clear();
    m_port->close();
}

bool QSerialPortLink::isOpen() const {
    return m_port->isOpen();
}

bool QSerialPortLink::output(const QByteArray& bytes) {
    if (!m_port->isOpen())
        return fail(LinkErrorCode::DeviceNotOpen, QStringLiteral("The port is not open"));
    m_held.append(bytes);
    QString failure;
    if (!writeHeld(&failure))
        return fail(LinkErrorCode::WriteFailed,
                    QStringLiteral("Writing to %1 failed: %2").arg(portLabel(), failure));
    return succeed();
}

// Writes as much of the held output as the line takes now; the rest waits for the
// line to become writable again. False when the device has gone: the port is closed
// then, the loss reported, and failure says why.
bool QSerialPortLink::writeHeld(QString* failure) {
    bool wrote = false;
    while (!m_held.isEmpty() && m_port->isOpen()) {
        const ssize_t written = ::write(m_port->handle(), m_held.constData(), size_t(m_held.size()));
        if (written > 0) {
            m_held.remove(0, written);
            wrote = true;
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        if (written == 0 || errno == EAGAIN || errno == EWOULDBLOCK)
            break; // held: XOFF, or the device does not take more yet
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        if (failure)
            *failure = reason;
        lose(reason);
        return false;
    }
    m_writable->setEnabled(m_port->isOpen() && !m_held.isEmpty());
    if (wrote && m_held.isEmpty())
        queueSendEvent();
    return true;
}

// The send event follows from the event loop, as the port's own would, never from
// inside the write that caused it.
void QSerialPortLink::queueSendEvent() {
    if (m_sendEventQueued)
        return;
    m_sendEventQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_sendEventQueued = false;
            if (m_port->isOpen() && m_held.isEmpty())
                emit commEvent(CommEvent::Send);
        },
        Qt::QueuedConnection);
}

QByteArray QSerialPortLink::input() {
    if (!m_port->isOpen())
        return {};
    QByteArray data;
    if (m_trickle) {
        // The port's byte stays in its buffer, which keeps its reading off until the
        // trickle ends; it is handed on here once.
        data = m_port->peek(m_port->bytesAvailable()).mid(m_portHanded);
        m_portHanded += data.size();
    } else {
        data = m_port->readAll().mid(m_portHanded);
        m_portHanded = 0;
    }
    if (!m_taken.isEmpty()) {
        data.append(m_taken);
        m_taken.clear();
    }
    m_lastInput = data.size();
    return data;
}

void QSerialPortLink::releasePort() {
    if (m_portHanded == 0)
        return;
    // Reading the port's buffer empty starts its reading again; what it held beyond
    // the bytes handed on comes before anything the gathering read.
    m_taken.prepend(m_port->readAll().mid(m_portHanded));
    m_portHanded = 0;
}

// At the line rate bytes arrive one at a time, and waking up for each costs more than
// everything the program does with it. While input only trickles in, the port buffers
// a single byte, which stops its reading until that byte is taken; the first byte
// after a quiet spell is reported at once. That byte is handed on but left in the
// port's buffer, so the port stays asleep, and the bytes after it are read straight
// from the device every kGatherMs: one wake-up per gathering. A gathering that finds
// nothing hands the reading back to the port, which reports the next byte at once.
// Input that comes in large pieces is read as it comes.
void QSerialPortLink::setTrickle(bool trickle) {
    if (trickle == m_trickle)
        return;
    if (!trickle)
        releasePort();
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
    if (m_trickle && m_portHanded > 0 && !m_gather.isActive())
        m_gather.start(int(kGatherMs));
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
    const bool arrived = ::ioctl(m_port->handle(), FIONREAD, &waiting) == 0 && waiting > 0;
    if (arrived && !takeWaiting(waiting)) {
        // Let the port read everything that is waiting; its read event delivers it, or
        // its error event reports a device that is gone.
        releasePort();
        m_draining = true;
        m_trickle = false;
        m_port->setReadBufferSize(0);
        return;
    }
    if (!arrived)
        releasePort(); // a pause (or a device that cannot tell): the port watches again
    if (!m_taken.isEmpty() || m_port->bytesAvailable() > m_portHanded)
        deliver();
}

// The port reads nothing while its one-byte buffer is full, so the bytes waiting on
// the device come after that byte and can be read here without the port. A read that
// fails or finds the end leaves it to the port to find out why.
bool QSerialPortLink::takeWaiting(int waiting) {
    const qsizetype had = m_taken.size();
    m_taken.resize(had + waiting);
    const ssize_t got = ::read(m_port->handle(), m_taken.data() + had, size_t(waiting));
    m_taken.resize(had + std::max<qsizetype>(0, got));
    return got > 0;
}

int QSerialPortLink::inBufferCount() const {
    return m_port->isOpen() ? int(m_port->bytesAvailable() - m_portHanded + m_taken.size()) : 0;
}

void QSerialPortLink::clearInput() {
    if (!m_port->isOpen())
        return;
    m_port->readAll();
    m_portHanded = 0;
    m_taken.clear();
    m_port->clear(QSerialPort::Input);
}

int QSerialPortLink::outBufferCount() const {
    if (!m_port->isOpen())
        return 0;
    int queued = 0;
    if (::ioctl(m_port->handle(), TIOCOUTQ, &queued) != 0 || queued < 0)
        queued = 0;
    return int(std::min<qint64>(qint64(m_held.size()) + queued, INT_MAX));
}

SerialDeviceList QSerialPortLink::systemDevices() const {
    return SerialDevices::system();
}

QString QSerialPortLink::deviceName() const {
    return m_portMap.devicePath(m_portNumber);
}

void QSerialPortLink::onPortError(int error) {
    const auto e = static_cast<QSerialPort::SerialPortError>(error);
    if (e != QSerialPort::ResourceError && e != QSerialPort::ReadError)
        return;
    const QString text = m_port->errorString();
    m_port->clearError();
    lose(text);
}

void QSerialPortLink::lose(const QString& error) {
    if (m_closingAfterLoss || !m_port->isOpen())
        return;
    m_closingAfterLoss = true;
    // A read that finds the other end gone gets no bytes and no error of its own, and
    // the port then names whatever call failed last: a hang-up is said as such.
    QString reason = error;
    pollfd line{m_port->handle(), 0, 0};
    if (::poll(&line, 1, 0) == 1 && (line.revents & POLLHUP))
        reason = QStringLiteral("the device has gone away");
    closePort();
    emit deviceLost(QStringLiteral("The connection to the interface box on %1 was lost (%2). The port has "
                                   "been closed; check the cable and the box, then open the port again.")
                        .arg(portLabel(), reason));
}

} // namespace vornal
