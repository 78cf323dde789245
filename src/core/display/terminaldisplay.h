#pragma once

#include <QObject>
#include <QString>

namespace vornal {

class TerminalBuffer;
struct ProgramState;

// Shows what the interface box sends: received text is edited for the display
// (backspaces erase, line feeds are dropped, a CR becomes CR LF), the display is kept
// bounded, and the text is watched for "klkl" and the broadcast service's prompts.
// Each watch gathers the text in its own buffer: "klkl" only while the automatic answer
// is on, the prompts only while a broadcast is armed, so neither sees the other's text.
//
// What a phrase starts (the automatic answer, the receivers list) transmits and waits
// between characters, so it must not run inside the receive handler: the port does
// not report new input while its handler is still running. The phrase signals are
// therefore delivered from the event loop, after DisplayReceived has returned.
class TerminalDisplay : public QObject {
    Q_OBJECT
public:
    static constexpr qsizetype kTrimAbove = 16000;
    static constexpr qsizetype kTrimBy = 4096;
    // The longest phrase watched for is 15 characters; keeping the last 256 characters
    // of each gathered text after each test finds every phrase split across chunks.
    static constexpr qsizetype kAnswerTail = 256;

    TerminalDisplay(TerminalBuffer& box, const ProgramState& state, QObject* parent = nullptr);

    // Appends text to the display with the conversions above. The text is changed.
    void DisplayReceived(QString& text);
    // The whole display becomes a text of the terminal's own ("Terminal Ready ").
    void replaceText(const QString& text);

    const QString& answerBuffer() const { return m_AnswerBuffer; }
    const QString& promptBuffer() const { return m_promptBuffer; }
    // True from the "klkl" that started the automatic answer until answerFinished().
    bool answerBusy() const { return m_AnswerBusy; }
    // The automatic answer has ended (sent, cancelled or refused); the next "klkl"
    // may start another.
    void answerFinished() { m_AnswerBusy = false; }

signals:
    // Text added to the display, as edited for it (every CR followed by an LF).
    void shown(const QString& text);
    // The display was replaced by a text of the terminal's own.
    void replaced(const QString& text);
    // The receive indicator turns active.
    void received();
    // Delivered after DisplayReceived has returned (see above).
    void klklHeard();
    void receiverListPrompted();
    // Delivered at once: playing a sound does not wait.
    void receiveSound();

private:
    void trimGathered();

    TerminalBuffer& m_box;
    const ProgramState& m_state;
    QString m_AnswerBuffer; // for "klkl"
    QString m_promptBuffer; // for the broadcast service's prompts
    bool m_AnswerBusy = false;
};

} // namespace vornal
