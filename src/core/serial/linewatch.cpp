#include "serial/linewatch.h"

#include "serial/seriallink.h"

namespace vornal {

LineWatch::LineWatch(const LineIo& io, QObject* parent) : QObject(parent), m_io(io) {
    m_timer.setInterval(kIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &LineWatch::poll);
}

LineWatch::Sample LineWatch::read() const {
    return {m_io.modemLines(m_fd), m_io.errorCounters(m_fd)};
}

void LineWatch::take(const Sample& now) {
    const bool changed = now.lines != m_last.lines;
    m_last = now;
    if (changed)
        emit linesChanged();
}

void LineWatch::start(int fd) {
    m_fd = fd;
    const Sample now = read();
    take(now);
    if (now.lines || now.counters)
        m_timer.start();
    else
        m_timer.stop();
}

void LineWatch::stop() {
    m_timer.stop();
    m_fd = -1;
    take({});
}

void LineWatch::poll() {
    if (m_fd < 0)
        return;
    const Sample now = read();
    const QList<int> events = eventsBetween(m_last, now);
    take(now);
    for (int code : events) {
        if (m_fd < 0) // a handler closed the port
            return;
        emit lineEvent(code);
    }
}

QList<int> LineWatch::eventsBetween(const Sample& before, const Sample& after) {
    const bool bothLines = before.lines && after.lines;
    const bool bothCounters = before.counters && after.counters;
    const auto grew = [&](quint32 LineCounters::*count) {
        return bothCounters && (*after.counters).*count > (*before.counters).*count;
    };
    const auto differs = [&](bool ModemLines::*line) {
        return bothLines && (*before.lines).*line != (*after.lines).*line;
    };
    QList<int> events;
    if (differs(&ModemLines::cts) || grew(&LineCounters::cts))
        events.append(CommEvent::Cts);
    if (differs(&ModemLines::dsr) || grew(&LineCounters::dsr))
        events.append(CommEvent::Dsr);
    if (differs(&ModemLines::cd) || grew(&LineCounters::cd))
        events.append(CommEvent::Cd);
    if ((bothLines && !before.lines->ri && after.lines->ri) || grew(&LineCounters::ring))
        events.append(CommEvent::Ring);
    if (grew(&LineCounters::frame))
        events.append(CommEvent::Frame);
    if (grew(&LineCounters::parity))
        events.append(CommEvent::RxParity);
    if (grew(&LineCounters::overrun))
        events.append(CommEvent::Overrun);
    if (grew(&LineCounters::bufferOverrun))
        events.append(CommEvent::RxOver);
    if (grew(&LineCounters::breaks))
        events.append(CommEvent::Break);
    return events;
}

} // namespace vornal
