#include "directoryserver.h"

#include "directoryframes.h"
#include "files/textcodec.h"

#include <QFile>
#include <QThread>

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace vornal::DirectoryFrames;

namespace {

void sleepMs(int ms) {
    if (ms > 0)
        QThread::msleep(ulong(ms));
}

} // namespace

DirectoryServer::DirectoryServer(DirsimOptions options, QList<Subscriber> subscribers)
    : m_options(std::move(options)), m_subscribers(std::move(subscribers)) {
    if (m_options.logPath == QLatin1String("-")) {
        m_log = stdout;
    } else if (!m_options.logPath.isEmpty()) {
        m_log = std::fopen(QFile::encodeName(m_options.logPath).constData(), "w");
        m_ownLog = m_log != nullptr;
    }
}

DirectoryServer::~DirectoryServer() {
    if (m_listener >= 0)
        ::close(m_listener);
    if (m_ownLog)
        std::fclose(m_log);
}

void DirectoryServer::note(const QString& text) {
    if (!m_log)
        return;
    std::fprintf(m_log, "%s\n", text.toUtf8().constData());
    std::fflush(m_log);
}

QByteArray DirectoryServer::recordFrame(const Subscriber& s) {
    QByteArray frame(kFrameSize, '\0');
    frame[0] = char(kRecordType);
    frame[1] = char(kFrameSize - 2);
    const quint32 n = quint32(s.number);
    for (int i = 0; i < 4; ++i)
        frame[kNumberOffset + i] = char((n >> (8 * i)) & 0xFF);
    // The whole field may be used; a shorter name ends with a zero.
    const QByteArray name = vornal::TextCodec::encode(s.name).left(kNameWidth);
    std::memcpy(frame.data() + kNameOffset, name.constData(), size_t(name.size()));
    return frame;
}

bool DirectoryServer::listen(QString* error) {
    m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_listener < 0) {
        *error = QStringLiteral("socket: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    const int on = 1;
    ::setsockopt(m_listener, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(m_options.port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(m_listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(m_listener, 8) != 0) {
        *error = QStringLiteral("127.0.0.1:%1: %2")
                     .arg(m_options.port)
                     .arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    socklen_t length = sizeof address;
    ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);
    return true;
}

int DirectoryServer::run() {
    for (;;) {
        const int client = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            std::fprintf(stderr, "vornal-dirsim: accept: %s\n", std::strerror(errno));
            return 1;
        }
        const int on = 1;
        ::setsockopt(client, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        // A client that stops answering does not hold the simulator for ever.
        timeval limit{60, 0};
        ::setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
        ::setsockopt(client, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
        note(QStringLiteral("connected"));
        const bool kept = serve(client);
        ::close(client);
        note(QStringLiteral("closed"));
        if (m_options.once)
            return kept ? 0 : 1;
    }
}

bool DirectoryServer::sendAll(int client, const char* data, int size) {
    while (size > 0) {
        const ssize_t sent = ::send(client, data, size_t(size), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0) {
            note(QStringLiteral("send failed: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
            return false;
        }
        data += sent;
        size -= int(sent);
    }
    return true;
}

bool DirectoryServer::sendFrame(int client, const QByteArray& frame) {
    if (m_options.dripMs >= 0) {
        for (int i = 0; i < frame.size(); ++i) {
            if (i > 0)
                sleepMs(m_options.dripMs);
            if (!sendAll(client, frame.constData() + i, 1))
                return false;
        }
        return true;
    }
    if (m_options.split && frame.at(0) == char(kRecordType)) {
        const int first = std::clamp(m_options.splitAt, 1, int(frame.size()) - 1);
        if (!sendAll(client, frame.constData(), first))
            return false;
        sleepMs(m_options.splitPauseMs);
        return sendAll(client, frame.constData() + first, int(frame.size()) - first);
    }
    return sendAll(client, frame.constData(), int(frame.size()));
}

bool DirectoryServer::receiveExactly(int client, char* data, int size) {
    while (size > 0) {
        const ssize_t got = ::recv(client, data, size_t(size), 0);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        data += got;
        size -= int(got);
    }
    return true;
}

void DirectoryServer::waitForClose(int client) {
    char sink[256];
    for (;;) {
        const ssize_t got = ::recv(client, sink, sizeof sink, 0);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return;
        note(QStringLiteral("unexpected %1 bytes").arg(got));
    }
}

void DirectoryServer::doFault(int client) {
    switch (m_options.fault) {
    case Fault::WrongType: {
        QByteArray frame = recordFrame({0, QStringLiteral("WRONG TYPE")});
        frame[0] = char(m_options.faultType);
        note(QStringLiteral("fault wrong-type %1").arg(m_options.faultType));
        sendAll(client, frame.constData(), int(frame.size()));
        waitForClose(client);
        return;
    }
    case Fault::Short: {
        const QByteArray frame = recordFrame({99999, QStringLiteral("SHORT RECORD")});
        const int length = std::clamp(m_options.shortLength, 1, int(frame.size()) - 1);
        note(QStringLiteral("fault short %1").arg(length));
        sendAll(client, frame.constData(), length);
        return;
    }
    case Fault::Close:
        note(QStringLiteral("fault close"));
        return;
    case Fault::Silence:
        note(QStringLiteral("fault silence"));
        waitForClose(client);
        return;
    case Fault::Garbage: {
        QByteArray bytes(std::max(1, m_options.garbageLength), '\0');
        for (char& b : bytes) {
            m_garbageState = m_garbageState * 1103515245u + 12345u;
            b = char(m_garbageState >> 16);
        }
        if (bytes[0] == char(kRecordType) || bytes[0] == char(kEndType))
            bytes[0] = char(0xEE);
        note(QStringLiteral("fault garbage %1 bytes, first 0x%2")
                 .arg(bytes.size())
                 .arg(uchar(bytes[0]), 0, 16));
        sendAll(client, bytes.constData(), int(bytes.size()));
        waitForClose(client);
        return;
    }
    case Fault::None:
        return;
    }
}

bool DirectoryServer::serve(int client) {
    char request[kSearchSize];
    if (!receiveExactly(client, request, kSearchSize)) {
        note(QStringLiteral("request missing"));
        return false;
    }
    const bool terminated = std::memchr(request + kSearchTextOffset, 0, kSearchTextWidth) != nullptr;
    if (uchar(request[0]) != kSearchType || uchar(request[1]) != kSearchLength ||
        uchar(request[2]) != kSearchVersion || !terminated) {
        note(QStringLiteral("request bad: type %1 length %2 version %3")
                 .arg(uchar(request[0]))
                 .arg(uchar(request[1]))
                 .arg(uchar(request[2])));
        return false;
    }
    note(QStringLiteral("request ok \"%1\"").arg(QString::fromLatin1(request + kSearchTextOffset)));

    const int count = int(m_subscribers.size());
    for (int i = 0; i < count; ++i) {
        if (m_options.fault != Fault::None && i == m_options.faultAfter) {
            doFault(client);
            return true;
        }
        if (!sendFrame(client, recordFrame(m_subscribers.at(i))))
            return false;
        char ack[kAckSize];
        if (!receiveExactly(client, ack, kAckSize)) {
            note(QStringLiteral("ack %1 missing").arg(i + 1));
            return false;
        }
        if (uchar(ack[0]) != kAckType || ack[1] != 0) {
            note(QStringLiteral("ack %1 bad: %2 %3").arg(i + 1).arg(uchar(ack[0])).arg(uchar(ack[1])));
            return false;
        }
        note(QStringLiteral("ack %1 ok").arg(i + 1));
    }
    if (m_options.fault != Fault::None) {
        doFault(client);
        return true;
    }
    const int length = std::clamp(m_options.endLength, 1, kFrameSize);
    QByteArray end(length, '\0');
    end[0] = char(kEndType);
    if (length > 1)
        end[1] = char(length - 2 < 0 ? 0 : length - 2);
    // The client may close as soon as the type byte is in.
    if (!sendFrame(client, end)) {
        note(QStringLiteral("client closed during the end frame"));
        return true;
    }
    note(QStringLiteral("end sent %1 bytes").arg(length));
    // The client closes first; closing here before it does could reset its
    // connection while it still reads.
    waitForClose(client);
    return true;
}
