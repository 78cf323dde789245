#include "linecounter.h"

#include "programstate.h"

namespace vornal {

LineCounter::LineCounter(ProgramState& state, QObject* parent) : QObject(parent), m_state(state) {}

qint64 LineCounter::cycle() const {
    return m_state.Cycle;
}

void LineCounter::reset() {
    m_state.Cycle = 0;
    m_barTwips = 0;
    m_barColour = kGreen;
    m_counterColour = kGreen;
    emit barChanged(m_barTwips, m_barColour);
    emit counterChanged(QStringLiteral("0"), m_counterColour);
}

void LineCounter::resetCounter() {
    m_state.Cycle = 0;
    m_counterColour = kGreen;
    emit counterChanged(QStringLiteral("0"), m_counterColour);
}

bool LineCounter::advance() {
    const qint64 cycle = ++m_state.Cycle;
    m_barTwips += kTwipsPerCharacter;
    if (cycle == kYellowAt) {
        m_barColour = m_counterColour = kYellow;
    } else if (cycle == kRedAt) {
        emit beep();
        m_barColour = m_counterColour = kRed;
    }
    if (cycle >= kLineEndAt) {
        reset();
        return true;
    }
    emit counterChanged(QString::number(cycle), m_counterColour);
    emit barChanged(m_barTwips, m_barColour);
    return false;
}

} // namespace vornal
