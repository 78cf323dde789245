#pragma once

#include "script.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>

// Plays a far-side script: sends text, pauses, waits for text from the terminal,
// holds the line or stops reading, and hangs up. Text is matched case-insensitively
// (a teleprinter has one case), and each wait only looks past the previous match.
class ScriptPlayer : public QObject {
    Q_OBJECT
public:
    explicit ScriptPlayer(Script script, QObject* parent = nullptr);

    void start();
    void stop();
    bool isRunning() const { return m_running; }
    // Text that reached the far side from the terminal.
    void receive(QByteArrayView text);

signals:
    void send(const QByteArray& text);
    void hangUp();
    // The line statements: XOFF (true) or XON (false) from the box, and a stop of
    // the box's reading for so many seconds (0: reading again at once).
    void holdLine(bool hold);
    void stallReading(double seconds);

private:
    void advance();
    bool consumeMatch(const QByteArray& needle);

    Script m_script;
    size_t m_next = 0;
    bool m_running = false;
    bool m_waiting = false;
    double m_waitTimeout = 0; // seconds, 0: wait for ever
    QByteArray m_received;    // lower case
    qsizetype m_matchFrom = 0;
    QTimer m_pauseTimer;
    QTimer m_waitTimer;
};
