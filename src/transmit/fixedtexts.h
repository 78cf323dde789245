#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

namespace vornal {

class Clock;
class SerialLink;
class TextSender;
class UserDialogs;
struct ProgramState;

// The one-click texts of the main window, each sent with the short-text sender: the
// date and time stamp, the two line-up tests (the fox and "ryry...") and the preset
// phrases. Every text is one `SendTxt` followed by a lone CR, so on the wire it stands
// between two CRs.
class FixedTexts : public QObject {
    Q_OBJECT
public:
    static QString fox();
    // "ry" 35 times: 70 characters, one more than a wrapped line, sent unwrapped.
    static QString ry();
    // "local date: dd-mm-yyyy   local time:  hh:mm:ss", both of the moment given: a
    // stamp sent after midnight carries the new day's date.
    static QString timeStamp(const QDateTime& now);

    FixedTexts(TextSender& sender, const SerialLink& link, const ProgramState& state, UserDialogs& dialogs,
               const Clock& clock, QObject* parent = nullptr);

    // Needs the port open; with the port closed nothing at all happens.
    void sendTimeStamp();
    // Need a connection.
    void sendFox();
    void sendRy();
    // Needs a connection and the port open; an empty phrase sends a lone CR.
    void sendPhrase(const QString& phrase);

signals:
    void beep();
    void status(const QString& text);
    // The keyboard goes back to the terminal, its caret after the last character.
    void focusTerminal();

private:
    bool connectionActive();
    void sendTest(const QString& text);

    TextSender& m_sender;
    const SerialLink& m_link;
    const ProgramState& m_state;
    UserDialogs& m_dialogs;
    const Clock& m_clock;
};

} // namespace vornal
