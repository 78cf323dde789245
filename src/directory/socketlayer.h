#pragma once

#include <QString>

#include <array>
#include <chrono>
#include <cstdint>

namespace vornal {

class HostResolver;
class UserDialogs;

// The small TCP client of the directory download: one connection at a time, one
// 102-byte frame buffer that every frame is built in and received into, and helpers
// that put and get fixed-width fields in it. Every failure is shown to the operator at
// once and returned as -1 (0 from GetIp); the caller decides what follows.
//
// The socket is non-blocking underneath: connecting and receiving wait with the
// thread's events handled, so the window keeps painting, and they give up after a
// time-out with a message that names the server.
class SocketLayer {
public:
    static constexpr int kFrameSize = 102;
    // ReceiveData and SendData: the wait ran out (the message has been shown).
    static constexpr int kTimedOut = -2;
    static constexpr std::chrono::milliseconds kEventsEvery{5};

    struct Timeouts {
        std::chrono::milliseconds connect{10'000};
        std::chrono::milliseconds receive{30'000};
    };

    using Deadline = std::chrono::steady_clock::time_point;

    SocketLayer(UserDialogs& dialogs, HostResolver& resolver);
    ~SocketLayer();
    SocketLayer(const SocketLayer&) = delete;
    SocketLayer& operator=(const SocketLayer&) = delete;

    // Bytes that an operation does not write keep what an earlier frame left there.
    std::array<unsigned char, kFrameSize> FrameBuffer{};

    // The socket interface here needs no start-up or release.
    void SocketStartup() {}
    void SocketCleanup() {}

    // host: a plain decimal number without a dot (the address itself, lowest byte
    // first: 16777343 is 127.0.0.1), a dotted address, or a name. Returns the socket
    // handle, or -1 after a message; a socket that could not connect is closed again.
    int ConnectSocket(const QString& host, quint16 port);
    // The address number index of the name, its bytes in network order in memory;
    // 0 when the name is unknown or its addresses are not 4 bytes long.
    quint32 GetIp(const QString& name, quint16 index);
    // One send of count bytes from the start of buffer: the count sent, or -1.
    int SendData(const unsigned char* buffer, int count);
    // Handles the pending events (at most every kEventsEvery), then one receive of at
    // most size bytes into the start of buffer: the count, 0 when the peer has closed, -1 on an error, or
    // kTimedOut when nothing arrived before the deadline.
    int ReceiveData(unsigned char* buffer, int size);
    int ReceiveData(unsigned char* buffer, int size, Deadline deadline);
    // Shuts the connection down both ways and closes it.
    void Disconnect();

    // A zero-terminated text field of width bytes at offset: a shorter text is copied
    // whole with a zero after it; a longer one is cut to width - 1 characters. Bytes of
    // the field after the zero are left alone.
    void PutString(int offset, const QString& text, int width);
    // The field's characters up to its first zero byte, at most width of them.
    QString GetString(int offset, int width) const;
    // The four bytes at offset as a little-endian signed 32-bit number.
    qint32 GetLong(int offset) const;

    int socketHandle() const { return m_socket; }
    const QString& host() const { return m_host; }
    void setTimeouts(const Timeouts& timeouts) { m_timeouts = timeouts; }
    const Timeouts& timeouts() const { return m_timeouts; }
    Deadline receiveDeadline() const;

private:
    enum class Lookup { Found, Unknown, Reported };
    Lookup resolve(const QString& name, quint16 index, quint32* address);
    void show(const QString& text);
    void closeQuietly();
    QString secondsText(std::chrono::milliseconds length) const;

    UserDialogs& m_dialogs;
    HostResolver& m_resolver;
    int m_socket = -1;
    QString m_host;
    Timeouts m_timeouts;
    Deadline m_eventsHandled{};
};

} // namespace vornal
