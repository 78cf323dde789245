#include "charpacer.h"

#include "delay.h"

namespace vornal {

CharPacer::CharPacer(double intervalSeconds) : m_interval(secondsToDuration(intervalSeconds)) {}

void CharPacer::setInterval(double seconds) {
    m_interval = secondsToDuration(seconds);
}

void CharPacer::start() {
    m_deadline = Clock::now();
    m_started = true;
}

void CharPacer::waitNext() {
    if (!m_started)
        start();
    const Clock::time_point now = Clock::now();
    if (m_interval <= Clock::duration::zero()) {
        m_deadline = now;
        return;
    }
    const Clock::time_point next = m_deadline + m_interval;
    if (now - next > m_interval) {
        m_deadline = now;
        return;
    }
    m_deadline = next;
    waitUntil(next);
}

} // namespace vornal
