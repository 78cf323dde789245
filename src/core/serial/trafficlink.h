#pragma once

#include "serial/seriallink.h"

namespace vornal {

// The serial link as the program uses it: every operation goes to the real link, and
// what went out is announced, so that the traffic log sees every write without any
// sender having to tell it.
class TrafficLink final : public SerialLink {
    Q_OBJECT
public:
    explicit TrafficLink(SerialLink& link, QObject* parent = nullptr);

    bool setPortNumber(int number) override { return m_link.setPortNumber(number); }
    int portNumber() const override { return m_link.portNumber(); }
    bool setSettings(const QString& settings) override { return m_link.setSettings(settings); }
    QString settings() const override { return m_link.settings(); }
    bool setHandshaking(int code) override { return m_link.setHandshaking(code); }
    int handshaking() const override { return m_link.handshaking(); }
    bool setPortOpen(bool open) override { return m_link.setPortOpen(open); }
    bool isOpen() const override { return m_link.isOpen(); }
    bool output(const QByteArray& bytes) override;
    bool outputCommand(const QByteArray& bytes, const QString& name) override;
    QByteArray input() override { return m_link.input(); }
    int inBufferCount() const override { return m_link.inBufferCount(); }
    void clearInput() override { m_link.clearInput(); }
    int outBufferCount() const override { return m_link.outBufferCount(); }
    QString deviceName() const override { return m_link.deviceName(); }
    SerialDeviceList systemDevices() const override { return m_link.systemDevices(); }
    std::optional<ModemLines> modemLines() const override { return m_link.modemLines(); }
    LinkError lastError() const override { return m_link.lastError(); }

signals:
    // Bytes the link took.
    void sent(const QByteArray& bytes);
    // One of the box's commands the link took.
    void commandSent(const QString& name);

private:
    SerialLink& m_link;
};

} // namespace vornal
