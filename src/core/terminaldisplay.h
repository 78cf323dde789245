#pragma once

#include <QObject>
#include <QString>

#include <functional>

namespace vornal {

class TerminalBuffer;
struct ProgramState;

// Shows what the interface box sends: received text is edited for the display
// (backspaces erase, line feeds are dropped, a CR becomes CR LF), the display is kept
// bounded, and the text is watched for "klkl" and the broadcast service's prompts.
class TerminalDisplay : public QObject {
    Q_OBJECT
public:
    static constexpr qsizetype kTrimAbove = 16000;
    static constexpr qsizetype kTrimBy = 4096;
    // The longest phrase watched for is 15 characters; keeping more than that of the
    // gathered text finds every phrase split across chunks.
    static constexpr qsizetype kAnswerTail = 256;

    TerminalDisplay(TerminalBuffer& box, ProgramState& state, QObject* parent = nullptr);

    // Appends text to the display with the conversions above. The text is changed.
    void DisplayReceived(QString& text);

    const QString& answerBuffer() const { return m_AnswerBuffer; }
    int answerBusy() const { return m_AnswerBusy; }

    // Run when their phrase is found; unset, they do nothing.
    std::function<void()> onKlkl;
    std::function<void()> onReceiverListPrompt;
    std::function<void()> onReceiveSound;

signals:
    // The receive indicator turns active.
    void received();

private:
    void gather(const QString& text);

    TerminalBuffer& m_box;
    ProgramState& m_state;
    QString m_AnswerBuffer;
    int m_AnswerBusy = 0;
};

} // namespace vornal
