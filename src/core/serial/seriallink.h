#pragma once

#include "serial/lineio.h"
#include "serial/serialdevice.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <optional>

namespace vornal {

// Event codes of the port's one event. 2 is received data; the rest are line events
// and errors, shown in the status line.
namespace CommEvent {
constexpr int Send = 1;
constexpr int Receive = 2;
constexpr int Cts = 3;
constexpr int Dsr = 4;
constexpr int Cd = 5;
constexpr int Ring = 6;
constexpr int Eof = 7;
constexpr int Break = 1001;
constexpr int CtsTimeout = 1002;
constexpr int DsrTimeout = 1003;
constexpr int Frame = 1004;
constexpr int Overrun = 1006;
constexpr int CdTimeout = 1007;
constexpr int RxOver = 1008;
constexpr int RxParity = 1009;
constexpr int TxFull = 1010;
constexpr int Dcb = 1011;
} // namespace CommEvent

// Error numbers of refused operations, shown to the operator with their text.
enum class LinkErrorCode {
    None = 0,
    InvalidValue = 380,
    InvalidPortNumber = 8002,
    PortAlreadyOpen = 8005,
    PortInUse = 8010,
    DeviceNotOpen = 8012,
    SettingsRefused = 8015,
    PermissionDenied = 8020,
    DeviceMissing = 8021,
    WriteFailed = 8022,
};

struct LinkError {
    LinkErrorCode code = LinkErrorCode::None;
    QString text;
    explicit operator bool() const { return code != LinkErrorCode::None; }
};

// The serial port the interface box hangs on: the operations the program needs of a
// serial component. Operations that the port refuses return false and leave the
// reason in lastError().
class SerialLink : public QObject {
    Q_OBJECT
public:
    static constexpr int kFirstPort = 1;
    static constexpr int kLastPort = 32;
    static constexpr int kMaxFlowControl = 3;

    using QObject::QObject;

    virtual bool setPortNumber(int number) = 0;
    virtual int portNumber() const = 0;
    // A line settings string such as "9600,n,8,1". Applied at once when open.
    virtual bool setSettings(const QString& settings) = 0;
    virtual QString settings() const = 0;
    // 0 none, 1 XON/XOFF, 2 RTS/CTS, 3 both.
    virtual bool setHandshaking(int code) = 0;
    virtual int handshaking() const = 0;
    virtual bool setPortOpen(bool open) = 0;
    virtual bool isOpen() const = 0;
    virtual bool output(const QByteArray& bytes) = 0;
    // One of the box's commands, named for the traffic log ("Bell"); it goes out as
    // output(bytes) does.
    virtual bool outputCommand(const QByteArray& bytes, const QString& name) {
        Q_UNUSED(name);
        return output(bytes);
    }
    // Everything received and waiting.
    virtual QByteArray input() = 0;
    virtual int inBufferCount() const = 0;
    virtual void clearInput() = 0;
    // Bytes not yet sent: those the link still holds and those in the system's
    // output queue (the kernel's, TIOCOUTQ). Output the box holds back (XOFF, or a
    // box that does not read) counts until it has gone out, so a sender can wait on it.
    virtual int outBufferCount() const = 0;
    // The device behind the current port number, for messages ("/dev/ttyUSB0").
    virtual QString deviceName() const = 0;
    // The system's serial devices that port numbers can name, for the port settings
    // window; a link without such devices has none.
    virtual SerialDeviceList systemDevices() const { return {}; }
    // The modem lines of the open port as last read; none while closed or where the
    // device has none (a pseudo-terminal).
    virtual std::optional<ModemLines> modemLines() const { return std::nullopt; }
    virtual LinkError lastError() const = 0;

signals:
    // One signal for everything that happens on the line, with its event code.
    void commEvent(int code);
    // The device went away while open; the link has closed itself already.
    void deviceLost(const QString& message);
    // modemLines() changed, or became known or unknown.
    void modemLinesChanged();
};

} // namespace vornal
