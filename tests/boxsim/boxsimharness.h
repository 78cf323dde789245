#pragma once

#include <QByteArray>
#include <QProcess>
#include <QSerialPort>
#include <QStringList>
#include <QTemporaryDir>

// Runs one simulator with a private link and log, and talks to it through a
// QSerialPort as the terminal does. Every wait has a timeout.
class BoxSimHarness {
public:
    BoxSimHarness();
    ~BoxSimHarness();

    // Starts the simulator (fast dial pause and connect delay unless overridden)
    // and waits for its ready line.
    bool start(const QStringList& extraArgs = {});
    bool openPort();
    void closePort() { m_port.close(); }
    bool write(const QByteArray& bytes);

    // Reads until `needle` has arrived since the last clearReceived().
    bool waitFor(const QByteArray& needle, int timeoutMs = 3000);
    // Reads whatever arrives within the time.
    void readFor(int milliseconds);
    QByteArray received() const { return m_received; }
    void clearReceived() { m_received.clear(); }

    // With --control: sends one control line and returns the simulator's answer
    // ("done LINE" or "refused LINE (why)"), empty when none came in time.
    QByteArray control(const QByteArray& line, int timeoutMs = 3000);

    bool waitForLogCount(int count, int timeoutMs = 3000);
    QStringList logLines() const;

    QString writeFile(const QString& name, const QByteArray& contents) const;
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString linkPath() const { return m_linkPath; }
    QString logPath() const { return path(QStringLiteral("bytes.log")); }
    QString startFailure() const { return m_failure; }
    QProcess& process() { return m_process; }
    QSerialPort& port() { return m_port; }

private:
    QTemporaryDir m_dir;
    QString m_linkPath;
    QString m_failure;
    QProcess m_process;
    QSerialPort m_port;
    QByteArray m_received;
    QByteArray m_output; // the simulator's standard output after its ready line
};
