#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QSerialPort>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>

namespace vornal {

// One of the simulators as a child process: started and waited for until it says it is
// ready, stopped (terminated, else killed) when this goes away. Every wait has a timeout.
class SimulatorProcess {
public:
    SimulatorProcess() = default;
    ~SimulatorProcess() { stop(); }
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    void stop();
    QProcess& process() { return m_process; }
    // Why the last start failed: the process's error and its error channel.
    QString startFailure() const { return m_failure; }
    // With --control: sends one control line and returns the simulator's answer without
    // the program name ("done LINE" or "refused LINE (why)"), empty when none came in time.
    QByteArray control(const QByteArray& line, int timeoutMs = 3000);

protected:
    // Starts `program` and waits (10 s at most) until its standard output matches `ready`.
    bool start(const QString& program, const QStringList& arguments, const QRegularExpression& ready);
    QRegularExpressionMatch m_ready;

private:
    QProcess m_process;
    QString m_failure;
    QByteArray m_output; // control answers not yet taken
};

// vornal-boxsim on a pseudo-terminal linked at link(), every byte it receives logged to
// logPath(); and a serial port to talk to it as the terminal does.
class BoxSimulator : public SimulatorProcess {
public:
    // In a folder of its own, with a link name no other test's simulator has (QSerialPort
    // locks by the port's file name), dialling fast (0.25 s dial pause, 0.05 s connect
    // delay) unless start's arguments say otherwise.
    BoxSimulator();
    // Linked at <folder>/box, logging to <folder>/box.log.
    explicit BoxSimulator(const QString& folder);
    ~BoxSimulator() {
        m_port.close();
        stop(); // before the folder goes
    }

    bool start(const QStringList& extraArguments = {});

    QString path(const QString& name) const { return m_folder + QLatin1Char('/') + name; }
    const QString& link() const { return m_link; }
    QString logPath() const { return path(QStringLiteral("box.log")); }
    // The path of the written file in the folder; empty when it could not be written.
    QString writeFile(const QString& name, const QByteArray& contents) const;

    struct LoggedByte {
        double seconds;
        int byte;
    };
    // The log so far, from its lines "<seconds> <byte>".
    QList<LoggedByte> log() const;
    QList<int> loggedBytes() const;
    QStringList logLines() const;
    bool waitForLogCount(int count, int timeoutMs = 3000);

    // The port on the link, 9600 8N1 without flow control.
    bool openPort();
    void closePort() { m_port.close(); }
    QSerialPort& port() { return m_port; }
    bool write(const QByteArray& bytes);
    // Reads until `needle` has arrived since the last clearReceived().
    bool waitFor(const QByteArray& needle, int timeoutMs = 3000);
    // Reads whatever arrives within the time.
    void readFor(int milliseconds);
    QByteArray received() const { return m_received; }
    void clearReceived() { m_received.clear(); }

private:
    std::optional<QTemporaryDir> m_dir;
    QString m_folder;
    QString m_link;
    QStringList m_defaults;
    QSerialPort m_port;
    QByteArray m_received;
};

// vornal-dirsim on a free loopback port.
class DirsimProcess : public SimulatorProcess {
public:
    // Starts it with these switches and "--port 0"; true once it listens.
    bool start(const QStringList& arguments);
    quint16 port() const { return quint16(m_ready.captured(1).toUInt()); }
    // For a --once run: waits for the exit and gives its code (-1 if it did not end).
    int exitCode(int timeoutMs = 10'000);
    QString errorText() const { return startFailure(); }
};

} // namespace vornal
