#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace vornal {

// What a name lookup found: the length of each address and the addresses in the
// order the resolver gave them, each as its bytes in network order.
struct HostEntry {
    int length = 4;
    QList<QByteArray> addresses;
};

// Turns a host name into addresses. The socket layer asks through this so that a test
// can answer for names without sending anything to a name server.
class HostResolver {
public:
    virtual ~HostResolver() = default;
    // No entry for the name: nullopt.
    virtual std::optional<HostEntry> lookup(const QString& name) = 0;
};

} // namespace vornal
