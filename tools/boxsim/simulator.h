#pragma once

#include "box.h"
#include "boxoptions.h"
#include "bytelog.h"
#include "pseudoterminal.h"
#include "slavelink.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>

class QSocketNotifier;

// Wires the box to the pseudo-terminal: reads what the terminal sends, logs it,
// hands it to the box and writes the box's output back. With --control it also
// runs line statements read from standard input, each answered on standard output.
class Simulator : public QObject {
    Q_OBJECT
public:
    Simulator(const BoxOptions& options, std::optional<Script> script, const QElapsedTimer& clock,
              QObject* parent = nullptr);

    bool start(QString* error);
    void stop();

signals:
    void failed(const QString& why);

private:
    void readMaster();
    void writeMaster();
    void send(const QByteArray& bytes);
    void followPort();
    void stallReading(double seconds);
    void readControl();
    void runControlLine(const QByteArray& line);

    BoxOptions m_options;
    PseudoTerminal m_pty;
    SlaveLink m_link;
    ByteLog m_log;
    Box m_box;
    QSocketNotifier* m_readNotifier = nullptr;
    QSocketNotifier* m_writeNotifier = nullptr;
    QSocketNotifier* m_watchNotifier = nullptr;
    QSocketNotifier* m_controlNotifier = nullptr;
    QTimer m_stallTimer;
    bool m_stalled = false;
    QByteArray m_pending;
    QByteArray m_controlInput; // standard input up to the next line end
    bool m_incomingCallDone = false;
};
