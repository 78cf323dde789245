#pragma once

#include <QProcess>
#include <QStringList>

// vornal-dirsim as a child process on a free loopback port.
class DirsimProcess {
public:
    DirsimProcess() = default;
    ~DirsimProcess();
    DirsimProcess(const DirsimProcess&) = delete;
    DirsimProcess& operator=(const DirsimProcess&) = delete;

    // Starts it with these switches and "--port 0"; true once it listens.
    bool start(const QStringList& arguments);
    quint16 port() const { return m_port; }
    // For a --once run: waits for the exit and gives its code (-1 if it did not end).
    int exitCode(int timeoutMs = 10'000);
    QString errorText() const { return m_error; }

private:
    QProcess m_process;
    quint16 m_port = 0;
    QString m_error;
};
