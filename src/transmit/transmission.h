#pragma once

#include "charpacer.h"

#include "serial/seriallink.h"

#include <QObject>
#include <QString>

#include <functional>

namespace vornal {

class TransmissionRun;

// The one paced transmission towards the interface box. Every sender (a short text, a
// text file, the automatic answer, and the clipboard, presets, receivers list and
// punching) runs its characters through run(), which
//  - refuses to start while another transmission runs, so no send starts inside
//    another one (the send commands are disabled meanwhile: runningChanged),
//  - paces the characters on a fixed schedule and waits while the box holds the
//    line (XOFF, CTS, or a box that stops reading) instead of piling them up,
//  - shows the cancel window when the sender says so and honours Cancel,
//  - and runs the closing steps on every way out: end, cancel, write error.
class Transmission : public QObject {
    Q_OBJECT
public:
    enum class Outcome { Done, Cancelled, Failed, Busy };

    explicit Transmission(SerialLink& link, QObject* parent = nullptr);

    // Runs `body` as one transmission paced at `interval` seconds per character.
    // Returns Busy, without running it, while another transmission runs.
    Outcome run(double interval, const std::function<void(TransmissionRun&)>& body);

    bool isRunning() const { return m_running; }
    // The operator's Cancel (`CancelSend`): set by cancel(), cleared when a run starts,
    // set again when it ends.
    bool cancelRequested() const { return m_cancel; }
    // The error of the failed write that ended the last run.
    const LinkError& lastError() const { return m_error; }
    // The last run ended because the interface box went away; that was said already.
    bool deviceWasLost() const { return m_deviceLost; }

public slots:
    void cancel();

signals:
    // True for the whole of a run: the send commands stay disabled.
    void runningChanged(bool running);
    // The cancel window with what is sent, and its end (every run ends with it).
    void shown(const QString& label);
    void finished();
    // The cancel window keeps the focus while this is true.
    void focusWanted(bool wanted);
    // The character counter `lblMaxChar` while a text goes out.
    void counterCaption(const QString& caption);
    void sendIndicatorIdle();

private:
    friend class TransmissionRun;

    SerialLink& m_link;
    bool m_running = false;
    bool m_cancel = true;
    bool m_deviceLost = false;
    LinkError m_error;
};

// What a sender does inside one run.
class TransmissionRun {
public:
    // More than this many bytes waiting to go out means the box holds the line.
    static constexpr int kHeldAbove = 32;

    // Shows the cancel window with `label`; from here on Cancel is honoured.
    void show(const QString& label);
    // One write; false once a write has failed (the run is then over).
    bool write(const QByteArray& bytes);
    // Waits for the next character's turn: the schedule, then while the box holds
    // the line. Returns false when the run should stop (cancelled, failed).
    bool next();
    // A fixed pause (the automatic answer's 3 seconds, the pause between lines).
    void pause(double seconds);
    // Starts the character schedule afresh from now, as a new run does: the next next()
    // waits a whole interval, however long ago the last character went out.
    void restartPacing();
    // True once the operator cancelled (only after show()) or a write failed.
    bool stopped() const;
    void showCount(qint64 count);

private:
    friend class Transmission;
    TransmissionRun(Transmission& owner, double interval);
    void waitWhileHeld();

    Transmission& m_owner;
    CharPacer m_pacer;
    bool m_shown = false;
    bool m_failed = false;
};

} // namespace vornal
