#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal through a self-pipe, so that
// cleanup runs in the event loop rather than in a signal handler.
class SignalWatcher : public QObject {
    Q_OBJECT
public:
    explicit SignalWatcher(QObject* parent = nullptr);

signals:
    void terminationRequested(int signalNumber);

private:
    static void onSignal(int signalNumber);

    static inline int s_pipe[2] = {-1, -1};
    QSocketNotifier* m_notifier = nullptr;
};
