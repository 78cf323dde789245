#pragma once

#include "serial/seriallink.h"
#include "serial/serialsettings.h"

#include <QElapsedTimer>
#include <QList>
#include <QMap>
#include <QSet>

namespace vornal {

// An in-memory serial link: records every write with its time, lets a test inject
// received bytes, events and refusals, and hold output back to test draining.
class FakeSerialLink final : public SerialLink {
    Q_OBJECT
public:
    struct Write {
        QByteArray bytes;
        qint64 nanoseconds;
    };

    FakeSerialLink();

    bool setPortNumber(int number) override;
    int portNumber() const override { return m_port; }
    bool setSettings(const QString& settings) override;
    QString settings() const override { return m_settings; }
    bool setHandshaking(int code) override;
    int handshaking() const override { return m_flow; }
    bool setPortOpen(bool open) override;
    bool isOpen() const override { return m_open; }
    bool output(const QByteArray& bytes) override;
    QByteArray input() override;
    int inBufferCount() const override { return int(m_input.size()); }
    void clearInput() override { m_input.clear(); }
    int outBufferCount() const override { return m_pendingOutput + int(m_heldOutput.size()); }
    QString deviceName() const override {
        return device.isEmpty() ? QStringLiteral("/dev/fake%1").arg(m_port) : device;
    }
    SerialDeviceList systemDevices() const override { return devices; }
    std::optional<ModemLines> modemLines() const override { return m_lines; }
    LinkError lastError() const override { return m_error; }

    // Test controls.
    QByteArray written() const;
    QList<Write> writes() const { return m_writes; }
    void clearWrites() { m_writes.clear(); }
    void receive(const QByteArray& bytes);
    void raiseEvent(int code) { emit commEvent(code); }
    void loseDevice(const QString& message);
    // The modem lines as the real link reads them; announced.
    void setModemLines(const std::optional<ModemLines>& lines) {
        m_lines = lines;
        emit modemLinesChanged();
    }
    // Holds the line as a box does with XOFF: output is accepted and counted by
    // outBufferCount() but not written until the line is released; then it is
    // recorded as one write, in order, and the send event follows.
    void holdLine(bool held);
    QByteArray heldOutput() const { return m_heldOutput; }
    // Ports that open; every other number fails with the given error.
    QSet<int> availablePorts = {1};
    QMap<int, LinkError> openErrors;
    bool refuseSettings = false;
    int pendingOutputAfterWrite = 0;
    // After this many more writes on the open port every write fails with
    // writeFailure (a line that refuses output); negative: never.
    int writesBeforeFailure = -1;
    LinkError writeFailure{LinkErrorCode::WriteFailed,
                           QStringLiteral("Writing to /dev/fake1 failed: Input/output error")};
    void setPendingOutput(int bytes) { m_pendingOutput = bytes; }
    int openCount = 0;
    // What systemDevices() lists.
    SerialDeviceList devices;
    // What deviceName() names; /dev/fake<port> when empty.
    QString device;

private:
    bool fail(LinkErrorCode code, const QString& text);

    int m_port = 1;
    QString m_settings = QStringLiteral("9600,n,8,1");
    int m_flow = 0;
    bool m_open = false;
    QByteArray m_input;
    QList<Write> m_writes;
    QElapsedTimer m_clock;
    int m_pendingOutput = 0;
    bool m_lineHeld = false;
    QByteArray m_heldOutput;
    LinkError m_error;
    std::optional<ModemLines> m_lines;
};

} // namespace vornal
