#include "systemhostresolver.h"

#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

namespace vornal {

std::optional<HostEntry> SystemHostResolver::lookup(const QString& name) {
    const QByteArray host = name.toUtf8();
    if (host.isEmpty() || host.contains('\0'))
        return std::nullopt;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.constData(), nullptr, &hints, &found) != 0 || !found)
        return std::nullopt;
    HostEntry entry;
    for (const addrinfo* a = found; a; a = a->ai_next) {
        if (a->ai_family != AF_INET || a->ai_addrlen < sizeof(sockaddr_in))
            continue;
        const auto* in = reinterpret_cast<const sockaddr_in*>(a->ai_addr);
        const QByteArray bytes(reinterpret_cast<const char*>(&in->sin_addr.s_addr), 4);
        if (!entry.addresses.contains(bytes))
            entry.addresses.append(bytes);
    }
    freeaddrinfo(found);
    if (entry.addresses.isEmpty())
        return std::nullopt;
    return entry;
}

} // namespace vornal
