#pragma once

#include <QObject>
#include <QString>

namespace vornal {

class SerialLink;
class Transmission;
class UserDialogs;
struct ProgramState;

// Punches human-readable tape: the text's sequence (Puncher) goes to the interface
// box one character at a time, `CharDelay` seconds after each, as one paced
// transmission. Characters that find the port closed are skipped. A failed write is
// reported once, with the port's reason, and ends the punching; a box that went away
// has been reported by the port already and is not reported again.
class PunchSender : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kActiveCaption = " Puncher Active ";
    static constexpr const char* kIdleCaption = "Preview";
    static constexpr const char* kStatus = "Sending Human Readables";

    PunchSender(Transmission& transmission, SerialLink& link, const ProgramState& state, UserDialogs& dialogs,
                QObject* parent = nullptr);

    // Returns true when the whole sequence went out (or was skipped with the port closed);
    // false when it failed or another transmission was running.
    bool PunchText(const QString& text);

signals:
    void status(const QString& text);
    // True from the first character sent, false when punching ends.
    void punchingChanged(bool punching);
    // The character just sent, for the picture to show its glyph.
    void characterSent(QChar c);

private:
    Transmission& m_transmission;
    SerialLink& m_link;
    const ProgramState& m_state;
    UserDialogs& m_dialogs;
};

} // namespace vornal
