#include "socketlayer.h"

#include "files/textcodec.h"
#include "hostresolver.h"
#include "socketwait.h"
#include "userdialogs.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vornal {

namespace {

using Clock = std::chrono::steady_clock;

// A decimal number without a dot is the address itself. Signed and unsigned 32-bit
// values are both taken as their bit pattern; anything else is not such a number.
bool plainNumberAddress(const QString& host, quint32* value) {
    if (host.isEmpty() || host.contains(QLatin1Char('.')))
        return false;
    int i = 0;
    bool negative = false;
    if (host.at(0) == QLatin1Char('+') || host.at(0) == QLatin1Char('-')) {
        negative = host.at(0) == QLatin1Char('-');
        i = 1;
    }
    if (i >= host.size())
        return false;
    qint64 n = 0;
    for (; i < host.size(); ++i) {
        const QChar c = host.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        n = n * 10 + (c.unicode() - '0');
        if (n > 0xFFFFFFFFLL)
            return false;
    }
    if (negative) {
        if (n > 0x80000000LL)
            return false;
        n = -n;
    }
    *value = quint32(n);
    return true;
}

} // namespace

SocketLayer::SocketLayer(UserDialogs& dialogs, HostResolver& resolver)
    : m_dialogs(dialogs), m_resolver(resolver) {}

SocketLayer::~SocketLayer() {
    closeQuietly();
}

SocketLayer::Deadline SocketLayer::receiveDeadline() const {
    return Clock::now() + m_timeouts.receive;
}

void SocketLayer::show(const QString& text) {
    m_dialogs.message({text, QString(), DialogButtons::Ok, DialogIcon::None, {}});
}

void SocketLayer::closeQuietly() {
    if (m_socket >= 0)
        ::close(m_socket);
    m_socket = -1;
}

QString SocketLayer::secondsText(std::chrono::milliseconds length) const {
    return QString::number(double(length.count()) / 1000.0);
}

SocketLayer::Lookup SocketLayer::resolve(const QString& name, quint16 index, quint32* address) {
    const std::optional<HostEntry> entry = m_resolver.lookup(name);
    if (!entry || index >= entry->addresses.size())
        return Lookup::Unknown;
    if (entry->length != 4 || entry->addresses.at(index).size() != 4) {
        show(QStringLiteral("ERROR: GetIp: Host.hLength = %1").arg(entry->length));
        return Lookup::Reported;
    }
    std::memcpy(address, entry->addresses.at(index).constData(), 4);
    return *address == 0 ? Lookup::Unknown : Lookup::Found;
}

quint32 SocketLayer::GetIp(const QString& name, quint16 index) {
    quint32 address = 0;
    return resolve(name, index, &address) == Lookup::Found ? address : 0;
}

int SocketLayer::ConnectSocket(const QString& host, quint16 port) {
    m_host = host;
    unsigned char octets[4];
    quint32 plain = 0;
    if (plainNumberAddress(host, &plain)) {
        for (int i = 0; i < 4; ++i)
            octets[i] = static_cast<unsigned char>(plain >> (8 * i));
    } else {
        const QByteArray text = TextCodec::encode(host);
        in_addr_t parsed = text.contains('\0') ? INADDR_NONE : ::inet_addr(text.constData());
        if (parsed == INADDR_NONE) {
            quint32 found = 0;
            const Lookup result = resolve(host, 0, &found);
            if (result != Lookup::Found) {
                if (result == Lookup::Unknown)
                    show(QStringLiteral("ERROR: GetIp(%1) failed").arg(host));
                return -1;
            }
            parsed = found;
        }
        std::memcpy(octets, &parsed, 4);
    }

    closeQuietly();
    m_socket = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_socket < 0) {
        m_socket = -1;
        show(QStringLiteral("ERROR: socket = %1").arg(-1));
        return -1;
    }

    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    std::memcpy(&address.sin_addr.s_addr, octets, 4);

    const Deadline deadline = Clock::now() + m_timeouts.connect;
    int rc = ::connect(m_socket, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    if (rc < 0 && (errno == EINPROGRESS || errno == EINTR)) {
        if (waitForSocket(m_socket, SocketWaitFor::Write, deadline) == SocketWaitResult::TimedOut) {
            closeQuietly();
            show(QStringLiteral("ERROR: no connection to %1 within %2 seconds")
                     .arg(host, secondsText(m_timeouts.connect)));
            return -1;
        }
        int error = 0;
        socklen_t length = sizeof error;
        rc = (::getsockopt(m_socket, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0) ? 0 : -1;
    }
    if (rc < 0) {
        closeQuietly();
        show(QStringLiteral("ERROR: connect = %1").arg(-1));
        return -1;
    }
    // The acknowledgements are tiny; they go out at once rather than waiting for the
    // peer's acknowledgement of the one before.
    const int on = 1;
    ::setsockopt(m_socket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return m_socket;
}

int SocketLayer::SendData(const unsigned char* buffer, int count) {
    if (m_socket >= 0 && count >= 0) {
        const Deadline deadline = receiveDeadline();
        for (;;) {
            const ssize_t sent = ::send(m_socket, buffer, size_t(count), MSG_NOSIGNAL);
            if (sent >= 0)
                return int(sent);
            if (errno == EINTR)
                continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK)
                break;
            if (waitForSocket(m_socket, SocketWaitFor::Write, deadline) == SocketWaitResult::TimedOut) {
                show(QStringLiteral("ERROR: %1 took no data within %2 seconds")
                         .arg(m_host, secondsText(m_timeouts.receive)));
                return kTimedOut;
            }
        }
    }
    show(QStringLiteral("ERROR: send = %1").arg(-1));
    return -1;
}

int SocketLayer::ReceiveData(unsigned char* buffer, int size) {
    return ReceiveData(buffer, size, receiveDeadline());
}

int SocketLayer::ReceiveData(unsigned char* buffer, int size, Deadline deadline) {
    // Once every few milliseconds is enough for the window to stay live; handled for
    // every frame, the events (paints above all) would cost more than the frames. A
    // receive that has to wait handles the events all the while anyway.
    const Clock::time_point now = Clock::now();
    if (now - m_eventsHandled >= kEventsEvery) {
        handlePendingEvents();
        m_eventsHandled = Clock::now();
    }
    if (m_socket >= 0 && size >= 0) {
        if (size == 0)
            return 0;
        for (;;) {
            if (waitForSocket(m_socket, SocketWaitFor::Read, deadline) == SocketWaitResult::TimedOut) {
                show(QStringLiteral("ERROR: no answer from %1 within %2 seconds")
                         .arg(m_host, secondsText(m_timeouts.receive)));
                return kTimedOut;
            }
            const ssize_t got = ::recv(m_socket, buffer, size_t(size), 0);
            if (got >= 0)
                return int(got);
            if (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK)
                break;
        }
    }
    show(QStringLiteral("ERROR: recv = %1").arg(-1));
    return -1;
}

void SocketLayer::Disconnect() {
    if (m_socket < 0)
        return;
    if (::shutdown(m_socket, SHUT_RDWR) < 0) {
        show(QStringLiteral("ERROR: shutdown = %1").arg(-1));
        // Closed all the same: a socket left open here would never be closed.
        closeQuietly();
        return;
    }
    const int rc = ::close(m_socket);
    m_socket = -1;
    if (rc < 0)
        show(QStringLiteral("ERROR: closesocket = %1").arg(-1));
}

void SocketLayer::PutString(int offset, const QString& text, int width) {
    if (offset < 0 || width <= 0 || offset >= kFrameSize)
        return;
    width = std::min(width, kFrameSize - offset);
    const QByteArray bytes = TextCodec::encode(text);
    const int count = std::min<int>(int(bytes.size()), width - 1);
    std::memcpy(FrameBuffer.data() + offset, bytes.constData(), size_t(count));
    FrameBuffer[size_t(offset) + size_t(count)] = 0;
}

QString SocketLayer::GetString(int offset, int width) const {
    if (offset < 0 || width <= 0 || offset >= kFrameSize)
        return QString();
    width = std::min(width, kFrameSize - offset);
    const auto* start = FrameBuffer.data() + offset;
    const auto* end = std::find(start, start + width, 0);
    return TextCodec::decode(QByteArrayView(start, end - start));
}

qint32 SocketLayer::GetLong(int offset) const {
    if (offset < 0 || offset + 4 > kFrameSize)
        return 0;
    quint32 value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | FrameBuffer[size_t(offset) + size_t(i)];
    return qint32(value);
}

} // namespace vornal
