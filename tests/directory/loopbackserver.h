#pragma once

#include <QByteArray>
#include <QList>
#include <QtGlobal>

#include <atomic>
#include <mutex>
#include <thread>

// A test's own peer on 127.0.0.1: accepts one connection on a free port and plays a
// script of sends, receives, pauses and closes on a thread of its own, so that the
// client under test can run its waits on the test's thread.
class LoopbackServer {
public:
    struct Step {
        enum class Kind { Send, Drip, Receive, Pause, Close, Reset, WaitClose } kind;
        QByteArray bytes;
        int count = 0; // Receive: bytes to gather; Drip: milliseconds between bytes
        int ms = 0;    // Pause
    };
    static Step send(QByteArray bytes) { return {Step::Kind::Send, std::move(bytes)}; }
    static Step drip(QByteArray bytes, int ms) { return {Step::Kind::Drip, std::move(bytes), ms}; }
    static Step receive(int count) { return {Step::Kind::Receive, {}, count}; }
    static Step pause(int ms) { return {Step::Kind::Pause, {}, 0, ms}; }
    static Step close() { return {Step::Kind::Close, {}}; }
    // Closes so that the client sees its connection reset.
    static Step reset() { return {Step::Kind::Reset, {}}; }
    // Reads until the client closes, then closes.
    static Step waitClose() { return {Step::Kind::WaitClose, {}}; }

    LoopbackServer();
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    quint16 port() const { return m_port; }
    void start(QList<Step> script);
    // Waits for the script to end (at most timeoutMs); true when it did.
    bool finish(int timeoutMs = 10'000);
    bool accepted() const { return m_accepted; }
    // What each Receive step gathered, in order.
    QList<QByteArray> received() const;

private:
    void play(QList<Step> script);

    int m_listener = -1;
    quint16 m_port = 0;
    std::thread m_thread;
    std::atomic<bool> m_accepted{false};
    std::atomic<bool> m_done{false};
    mutable std::mutex m_mutex;
    QList<QByteArray> m_received;
};
