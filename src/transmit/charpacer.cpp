#include "charpacer.h"

#include "serial/wait.h"

namespace vornal {

CharPacer::CharPacer(double intervalSeconds) : m_interval(secondsToDuration(intervalSeconds)) {}

void CharPacer::start() {
    m_deadline = Clock::now();
    m_started = true;
    m_hasReturned = false;
}

void CharPacer::waitNext() {
    if (!m_started)
        start();
    const Clock::time_point now = Clock::now();
    if (m_interval <= Clock::duration::zero()) {
        m_deadline = now;
        m_lastReturn = now;
        return;
    }
    const Clock::time_point next = m_deadline + m_interval;
    if (now - next > kRestartAfter) {
        m_deadline = now;
        m_lastReturn = now;
        return;
    }
    m_deadline = next;
    // A late return is made up, but never by more than catchUp() at a time, so no gap
    // between two characters comes out much shorter than the interval.
    Clock::time_point target = next;
    if (m_hasReturned)
        target = std::max(target, m_lastReturn + m_interval - catchUp());
    Wait(target).run();
    m_lastReturn = Clock::now();
    m_hasReturned = true;
}

} // namespace vornal
