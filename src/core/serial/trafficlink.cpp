#include "serial/trafficlink.h"

namespace vornal {

TrafficLink::TrafficLink(SerialLink& link, QObject* parent) : SerialLink(parent), m_link(link) {
    // Delivered at once, as the real link's: the receive path runs inside the event.
    connect(&m_link, &SerialLink::commEvent, this, &SerialLink::commEvent);
    connect(&m_link, &SerialLink::deviceLost, this, &SerialLink::deviceLost);
    connect(&m_link, &SerialLink::modemLinesChanged, this, &SerialLink::modemLinesChanged);
}

bool TrafficLink::output(const QByteArray& bytes) {
    if (!m_link.output(bytes))
        return false;
    emit sent(bytes);
    return true;
}

bool TrafficLink::outputCommand(const QByteArray& bytes, const QString& name) {
    if (!m_link.outputCommand(bytes, name))
        return false;
    emit commandSent(name);
    return true;
}

} // namespace vornal
