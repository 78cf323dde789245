#include "loopbackserver.h"

#include <QElapsedTimer>
#include <QThread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

LoopbackServer::LoopbackServer() {
    m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(m_listener, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    ::listen(m_listener, 4);
    socklen_t length = sizeof address;
    ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);
}

LoopbackServer::~LoopbackServer() {
    finish(15'000);
    if (m_thread.joinable())
        m_thread.join();
    if (m_listener >= 0)
        ::close(m_listener);
}

void LoopbackServer::start(QList<Step> script) {
    m_thread = std::thread([this, script = std::move(script)] { play(script); });
}

bool LoopbackServer::finish(int timeoutMs) {
    if (!m_thread.joinable())
        return true;
    QElapsedTimer t;
    t.start();
    while (!m_done && t.elapsed() < timeoutMs)
        QThread::msleep(5);
    return m_done;
}

QList<QByteArray> LoopbackServer::received() const {
    std::lock_guard lock(m_mutex);
    return m_received;
}

void LoopbackServer::play(QList<Step> script) {
    pollfd p{m_listener, POLLIN, 0};
    if (::poll(&p, 1, 10'000) != 1) {
        m_done = true;
        return;
    }
    int client = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) {
        m_done = true;
        return;
    }
    m_accepted = true;
    const int on = 1;
    ::setsockopt(client, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    timeval limit{10, 0};
    ::setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    for (const Step& step : script) {
        if (client < 0)
            break;
        switch (step.kind) {
        case Step::Kind::Send:
            ::send(client, step.bytes.constData(), size_t(step.bytes.size()), MSG_NOSIGNAL);
            break;
        case Step::Kind::Drip:
            for (char b : step.bytes) {
                ::send(client, &b, 1, MSG_NOSIGNAL);
                QThread::msleep(ulong(step.count));
            }
            break;
        case Step::Kind::Receive: {
            QByteArray got;
            char buffer[256];
            while (got.size() < step.count) {
                const ssize_t n = ::recv(client, buffer,
                                         std::min<size_t>(sizeof buffer, size_t(step.count - got.size())), 0);
                if (n <= 0)
                    break;
                got.append(buffer, n);
            }
            std::lock_guard lock(m_mutex);
            m_received.append(got);
            break;
        }
        case Step::Kind::Pause:
            QThread::msleep(ulong(step.ms));
            break;
        case Step::Kind::Close:
            ::close(client);
            client = -1;
            break;
        case Step::Kind::Reset: {
            linger l{1, 0};
            ::setsockopt(client, SOL_SOCKET, SO_LINGER, &l, sizeof l);
            ::close(client);
            client = -1;
            break;
        }
        case Step::Kind::WaitClose: {
            char buffer[256];
            while (::recv(client, buffer, sizeof buffer, 0) > 0) {
            }
            ::close(client);
            client = -1;
            break;
        }
        }
    }
    if (client >= 0)
        ::close(client);
    m_done = true;
}
