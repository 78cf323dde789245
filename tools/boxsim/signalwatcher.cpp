#include "signalwatcher.h"

#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

SignalWatcher::SignalWatcher(QObject* parent) : QObject(parent) {
    if (pipe2(s_pipe, O_NONBLOCK | O_CLOEXEC) != 0)
        return;
    m_notifier = new QSocketNotifier(s_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        unsigned char number = 0;
        while (::read(s_pipe[0], &number, 1) == 1)
            emit terminationRequested(number);
    });
    struct sigaction action {};
    action.sa_handler = &SignalWatcher::onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : {SIGTERM, SIGINT, SIGHUP})
        sigaction(number, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);
}

void SignalWatcher::onSignal(int signalNumber) {
    const unsigned char number = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t ignored = ::write(s_pipe[1], &number, 1);
}
