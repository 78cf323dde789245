#include "fakeseriallink.h"

namespace vornal {

FakeSerialLink::FakeSerialLink() {
    m_clock.start();
}

bool FakeSerialLink::fail(LinkErrorCode code, const QString& text) {
    m_error = {code, text};
    return false;
}

bool FakeSerialLink::setPortNumber(int number) {
    if (m_open)
        return fail(LinkErrorCode::PortAlreadyOpen, QStringLiteral("Port already open"));
    if (number < kFirstPort || number > kLastPort)
        return fail(LinkErrorCode::InvalidPortNumber, QStringLiteral("Invalid port number"));
    m_port = number;
    m_error = {};
    return true;
}

bool FakeSerialLink::setSettings(const QString& settings) {
    if (refuseSettings || !SerialSettings::parse(settings))
        return fail(LinkErrorCode::InvalidValue, QStringLiteral("Invalid property value"));
    m_settings = SerialSettings::parse(settings)->toString();
    m_error = {};
    return true;
}

bool FakeSerialLink::setHandshaking(int code) {
    if (code < 0 || code > kMaxFlowControl)
        return fail(LinkErrorCode::InvalidValue, QStringLiteral("Invalid property value"));
    m_flow = code;
    m_error = {};
    return true;
}

bool FakeSerialLink::setPortOpen(bool open) {
    if (!open) {
        m_open = false;
        m_heldOutput.clear();
        m_error = {};
        return true;
    }
    if (m_open)
        return fail(LinkErrorCode::PortAlreadyOpen, QStringLiteral("Port already open"));
    if (openErrors.contains(m_port)) {
        m_error = openErrors.value(m_port);
        return false;
    }
    if (!availablePorts.contains(m_port))
        return fail(LinkErrorCode::InvalidPortNumber, QStringLiteral("Invalid port number"));
    m_open = true;
    ++openCount;
    m_error = {};
    return true;
}

bool FakeSerialLink::output(const QByteArray& bytes) {
    if (!m_open)
        return fail(LinkErrorCode::DeviceNotOpen, QStringLiteral("The port is not open"));
    if (writesBeforeFailure == 0)
        return fail(writeFailure.code, writeFailure.text);
    if (writesBeforeFailure > 0)
        --writesBeforeFailure;
    if (m_lineHeld || !m_heldOutput.isEmpty()) {
        m_heldOutput += bytes;
        m_error = {};
        return true;
    }
    m_writes.append({bytes, m_clock.nsecsElapsed()});
    m_pendingOutput += pendingOutputAfterWrite;
    m_error = {};
    return true;
}

QByteArray FakeSerialLink::input() {
    QByteArray data;
    data.swap(m_input);
    return data;
}

QByteArray FakeSerialLink::written() const {
    QByteArray all;
    for (const Write& w : m_writes)
        all += w.bytes;
    return all;
}

void FakeSerialLink::receive(const QByteArray& bytes) {
    m_input += bytes;
    emit commEvent(CommEvent::Receive);
}

void FakeSerialLink::loseDevice(const QString& message) {
    m_open = false;
    m_heldOutput.clear();
    emit deviceLost(message);
}

void FakeSerialLink::holdLine(bool held) {
    m_lineHeld = held;
    if (held || m_heldOutput.isEmpty() || !m_open)
        return;
    m_writes.append({m_heldOutput, m_clock.nsecsElapsed()});
    m_heldOutput.clear();
    emit commEvent(CommEvent::Send);
}

} // namespace vornal
