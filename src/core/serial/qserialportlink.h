#pragma once

#include "serial/linewatch.h"
#include "serial/portmap.h"
#include "serial/seriallink.h"
#include "serial/serialsettings.h"

#include <QElapsedTimer>
#include <QTimer>

class QSerialPort;
class QSocketNotifier;

namespace vornal {

// The real serial link on a QSerialPort. A device that goes away while open (read or
// resource error, a failed write) closes the port at once and is reported once:
// QSerialPort would otherwise repeat the error at full speed until the port is closed.
//
// Output is written by the link itself rather than through QSerialPort, which takes a
// write that would block (the box sent XOFF, or stopped reading and the system's
// buffer is full) for a lost device. A held line is normal: what the line does not
// take yet waits here, in order, and goes out as soon as the line takes it again.
//
// While open, the modem lines and the driver's error counters are read through the
// LineIo given (the system's by default) and their changes raised as line events and
// errors; a device without them raises none.
class QSerialPortLink final : public SerialLink {
    Q_OBJECT
public:
    // About one display frame: input that trickles in is handed on at this pace.
    static constexpr qint64 kGatherMs = 16;

    explicit QSerialPortLink(PortMap portMap, const LineIo& lineIo = systemLineIo(),
                             QObject* parent = nullptr);
    ~QSerialPortLink() override;

    bool setPortNumber(int number) override;
    int portNumber() const override { return m_portNumber; }
    bool setSettings(const QString& settings) override;
    QString settings() const override { return m_settings.toString(); }
    bool setHandshaking(int code) override;
    int handshaking() const override { return m_handshaking; }
    bool setPortOpen(bool open) override;
    bool isOpen() const override;
    bool output(const QByteArray& bytes) override;
    QByteArray input() override;
    int inBufferCount() const override;
    void clearInput() override;
    // The bytes held here plus those in the system's output queue (TIOCOUTQ).
    int outBufferCount() const override;
    QString deviceName() const override;
    SerialDeviceList systemDevices() const override;
    std::optional<ModemLines> modemLines() const override { return m_lines.lines(); }
    LinkError lastError() const override { return m_error; }

private:
    bool fail(LinkErrorCode code, const QString& text);
    bool succeed();
    bool applyLineSettings();
    bool applyFlowControl();
    bool writeHeld(QString* failure = nullptr);
    void queueSendEvent();
    void closePort();
    void onPortError(int error);
    void lose(const QString& error);
    QString portLabel() const;

    PortMap m_portMap;
    QSerialPort* m_port;
    int m_portNumber = 1;
    SerialSettings m_settings;
    int m_handshaking = 0;
    LinkError m_error;
    bool m_closingAfterLoss = false;

    QByteArray m_held;                     // output the line has not taken yet, in order
    QSocketNotifier* m_writable = nullptr; // on while bytes are held
    bool m_sendEventQueued = false;
    LineWatch m_lines;

    static constexpr qsizetype kLargeInput = 64;
    void onReadyRead();
    void gathered();
    void deliver();
    void setTrickle(bool trickle);
    QTimer m_gather;
    QElapsedTimer m_sinceDelivery;
    qsizetype m_lastInput = 0;
    bool m_trickle = false;
    bool m_draining = false;
    // What the gathering read from the device itself, after the port's own buffer.
    QByteArray m_taken;
    // How many bytes at the front of the port's buffer were handed on already.
    qint64 m_portHanded = 0;
    bool takeWaiting(int waiting);
    void releasePort();
};

} // namespace vornal
