#pragma once

#include "serial/seriallink.h"

class Transcript;

// A serial link that passes everything to the real one and writes what goes out and
// what comes in to the transcript.
class TappedLink final : public vornal::SerialLink {
    Q_OBJECT
public:
    TappedLink(vornal::SerialLink& real, Transcript& transcript);

    bool setPortNumber(int number) override { return m_real.setPortNumber(number); }
    int portNumber() const override { return m_real.portNumber(); }
    bool setSettings(const QString& settings) override { return m_real.setSettings(settings); }
    QString settings() const override { return m_real.settings(); }
    bool setHandshaking(int code) override { return m_real.setHandshaking(code); }
    int handshaking() const override { return m_real.handshaking(); }
    bool setPortOpen(bool open) override { return m_real.setPortOpen(open); }
    bool isOpen() const override { return m_real.isOpen(); }
    bool output(const QByteArray& bytes) override;
    QByteArray input() override;
    int inBufferCount() const override { return m_real.inBufferCount(); }
    void clearInput() override { m_real.clearInput(); }
    int outBufferCount() const override { return m_real.outBufferCount(); }
    QString deviceName() const override { return m_real.deviceName(); }
    vornal::SerialDeviceList systemDevices() const override { return m_real.systemDevices(); }
    std::optional<vornal::ModemLines> modemLines() const override { return m_real.modemLines(); }
    vornal::LinkError lastError() const override { return m_real.lastError(); }

private:
    vornal::SerialLink& m_real;
    Transcript& m_transcript;
};
