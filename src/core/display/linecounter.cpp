#include "display/linecounter.h"

namespace vornal {

LineCounter::LineCounter(QObject* parent) : QObject(parent) {}

void LineCounter::reset() {
    m_cycle = 0;
    m_barTwips = 0;
    m_barColour = kGreen;
    m_counterColour = kGreen;
    emit barChanged(m_barTwips, m_barColour);
    emit counterChanged(QStringLiteral("0"), m_counterColour);
}

void LineCounter::resetCounter() {
    m_cycle = 0;
    m_counterColour = kGreen;
    emit counterChanged(QStringLiteral("0"), m_counterColour);
}

void LineCounter::resetBar() {
    m_barTwips = 0;
    m_barColour = kGreen;
    emit barChanged(m_barTwips, m_barColour);
}

bool LineCounter::advance() {
    const qint64 cycle = ++m_cycle;
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
