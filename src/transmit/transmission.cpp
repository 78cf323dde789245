#include "transmission.h"

#include "delay.h"

#include "serial/wait.h"

#include <QCoreApplication>

namespace vornal {

namespace {

// The output queue drains without an event to say so; while the box holds the line
// the sender looks again this often.
constexpr auto kHeldPoll = std::chrono::milliseconds(10);

} // namespace

Transmission::Transmission(SerialLink& link, QObject* parent) : QObject(parent), m_link(link) {
    connect(&m_link, &SerialLink::deviceLost, this, [this] {
        if (m_running)
            m_deviceLost = true;
    });
}

void Transmission::cancel() {
    m_cancel = true;
    emit focusWanted(false);
}

Transmission::Outcome Transmission::run(double interval, const std::function<void(TransmissionRun&)>& body) {
    if (m_running)
        return Outcome::Busy;
    m_running = true;
    m_cancel = false;
    m_deviceLost = false;
    m_error = {};
    emit runningChanged(true);

    TransmissionRun session(*this, interval);
    body(session);
    const bool cancelled = session.m_shown && m_cancel;

    // The closing steps, whichever way the body ended.
    m_cancel = true;
    emit focusWanted(false);
    emit sendIndicatorIdle();
    emit finished();
    m_running = false;
    emit runningChanged(false);
    if (session.m_failed)
        return Outcome::Failed;
    return cancelled ? Outcome::Cancelled : Outcome::Done;
}

TransmissionRun::TransmissionRun(Transmission& owner, double interval) : m_owner(owner), m_pacer(interval) {}

void TransmissionRun::show(const QString& label) {
    m_shown = true;
    m_owner.m_cancel = false;
    emit m_owner.shown(label);
    emit m_owner.focusWanted(true);
    // Let the window appear before the first character, so that drawing it does not
    // fall into the first pause.
    QCoreApplication::processEvents();
}

bool TransmissionRun::write(const QByteArray& bytes) {
    if (m_failed)
        return false;
    if (bytes.isEmpty())
        return true;
    if (m_owner.m_link.output(bytes))
        return true;
    m_failed = true;
    m_owner.m_error = m_owner.m_link.lastError();
    return false;
}

bool TransmissionRun::stopped() const {
    return m_failed || (m_shown && m_owner.m_cancel);
}

bool TransmissionRun::next() {
    if (m_failed)
        return false;
    m_pacer.waitNext();
    waitWhileHeld();
    return !stopped();
}

// A box that holds the line (XOFF, CTS, or one that stops reading) leaves what was
// written in the output queue; the next character waits until it moves again, so a
// long text never piles up behind a held line. The pacer starts its schedule afresh
// when the line moves again: the box's hold is not made up with shorter gaps.
void TransmissionRun::waitWhileHeld() {
    SerialLink& link = m_owner.m_link;
    const auto held = [&] { return link.isOpen() && link.outBufferCount() > kHeldAbove && !stopped(); };
    if (!held())
        return;
    while (held())
        Wait(Wait::Clock::now() + kHeldPoll).wakeWhen([&] { return !held(); }).run();
    m_pacer.start();
}

void TransmissionRun::pause(double seconds) {
    Delay(seconds);
}

void TransmissionRun::restartPacing() {
    m_pacer.start();
}

void TransmissionRun::showCount(qint64 count) {
    emit m_owner.counterCaption(QString::number(count));
}

} // namespace vornal
