#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

// The network's broadcast ("Rundsenden") service as a far station, for the numbers
// given with --broadcast. Once connected it prompts " +++):" for the receivers, reads
// the receivers list (one number and "," per line, the last number again with "+"),
// prompts " text eingeben." for the message, reads the message up to "+++", confirms
// with the number of receivers and hangs up. What it received is logged, one line
// per receiver, to the --broadcast-log file and noted on standard error.
class BroadcastService : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kListPrompt = "\r\n +++):";
    static constexpr const char* kTextPrompt = "\r\n text eingeben.\r\n";

    explicit BroadcastService(QString logPath, QObject* parent = nullptr);

    // A call to the service number has connected.
    void start(const QByteArray& serviceNumber);
    void stop();
    bool isRunning() const { return m_stage != Stage::Idle; }
    // Text that reached the service from the terminal.
    void receive(QByteArrayView text);

    // A message for the log: printable ASCII as it is, \r \n \\ and \xHH for the rest.
    static QByteArray escaped(const QByteArray& text);

signals:
    void send(const QByteArray& text);
    void hangUp();

private:
    enum class Stage { Idle, Receivers, Message };

    void readReceivers();
    void readMessage();
    void log(const QByteArray& message);

    QString m_logPath;
    Stage m_stage = Stage::Idle;
    QByteArray m_service;
    QByteArray m_received; // of the current stage
    QList<QByteArray> m_receivers;
};
