#pragma once

#include "files/programfolder.h"

#include <QByteArray>
#include <QObject>
#include <QString>

namespace vornal {

class LineCounter;
class SerialLink;
class SoundPlayer;
class TerminalBuffer;
class TerminalDisplay;
struct ProgramState;

// The interface box's commands, dialling and the keyboard into a live line. Every
// command goes out at once, with no terminator and no wait for an answer.
class InterfaceCommands : public QObject {
    Q_OBJECT
public:
    enum class Command {
        Bell,
        Werda,
        IAm,
        GoAhead,
        Zi,
        Bu,
        LoKal,
        Msg,
        NextMessage,
        CancelMsg,
        Status,
        Konfig,
        CR,
        LineFeed,
        CloseConnection,
    };
    struct CommandInfo {
        Command command;
        QByteArray bytes;
        const char* status;
        const char* name; // how the traffic log names what went out
    };
    static const QList<CommandInfo>& commands();

    InterfaceCommands(SerialLink& link, ProgramState& state, TerminalDisplay& display, TerminalBuffer& box,
                      LineCounter& counter, SoundPlayer& sound, ProgramFolder folder,
                      QObject* parent = nullptr);

    // The port was opened or closed: the clipboard goes to the preview first again.
    void portToggled();
    // A command button: nothing happens while the port is closed.
    void run(Command command);
    // "Call": asks the operator to type the number.
    void Call();
    // "Clear Text": works with the port open or closed and sends nothing.
    void clearText();
    // Dials CallNr, showing CallNm in the terminal.
    void CallNumber(const QString& CallNr, const QString& CallNm);
    // A typed character. Returns true when the key was taken (the port is open): the
    // typed character is never shown locally, only the box's echo is.
    bool keyPressed(int k);

signals:
    void status(const QString& text);
    void hideHeadlinePanel();
    // The close command went out: the broadcast sequence ends.
    void callClosed();
    void caretToEnd();

private:
    bool send(const QByteArray& bytes, const char* command = nullptr);
    void playSound(const char* name);

    SerialLink& m_link;
    ProgramState& m_state;
    TerminalDisplay& m_display;
    TerminalBuffer& m_box;
    LineCounter& m_counter;
    SoundPlayer& m_sound;
    ProgramFolder m_folder;
};

} // namespace vornal
