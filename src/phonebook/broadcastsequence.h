#pragma once

#include "files/programfolder.h"
#include "slotdialler.h"

#include <QObject>
#include <QString>
#include <QStringList>

namespace vornal {

class InterfaceCommands;
class SerialLink;
class Transmission;
class UserDialogs;
struct ProgramState;

// The broadcast ("Rundsenden") sequence: a service button dials the broadcast service
// and arms the sequence; when the service prompts for the receivers (the receive path
// reports it), or when the operator presses "Tx RS Numbers", the receivers file goes
// out as one transmission: a line feed, then each line as a short text followed by a
// pause of kLinePause seconds. Then the operator is told to send the message, and the
// sequence ends. Closing the call ends it too.
//
// This is the one writer of the broadcast flags of ProgramState:
//   Idle          broadcastActive 0, broadcastListSent 0, service buttons enabled
//   Armed         broadcastActive 1, broadcastListSent 0, service buttons disabled
//   Transmitting  broadcastListSent 1 (raised before the first character)
//   Confirming    broadcastListSent 1, the confirmation box open
// While the list is being sent or confirmed, a further prompt or "Tx RS Numbers" does
// nothing at all. A receivers file that cannot be read, a failed write, Cancel or a
// call closed meanwhile is reported as such, never as a list sent, and ends the
// sequence as well.
class BroadcastSequence : public QObject {
    Q_OBJECT
public:
    enum class Phase { Idle, Armed, Transmitting, Confirming };

    static constexpr double kLinePause = 0.18;
    static constexpr const char* kPortClosed = SlotDialler::kPortClosed;
    static constexpr const char* kQuestion =
        "This Option will call automaticaly the Rundsenden service and transmit all the subscribers from the "
        "Rundsenden list. After the connection is established you will receive a prompt to send your "
        "message.";
    static constexpr const char* kQuestionTitle = "Vornal Rundsenden Service on ";
    static constexpr const char* kCallLabel = "    Rundsenden";
    static constexpr const char* kTransmitted =
        "The Subscriber number list was transmitted correctly, you may send your message now...  end with "
        "+++ ";
    static constexpr const char* kNoConnection = " No existing connection active ......";
    static constexpr const char* kNotSent = "The Subscriber number list was not transmitted: ";
    static constexpr const char* kNotComplete = "The Subscriber number list was not transmitted completely: ";
    static constexpr const char* kCancelLabel = "Transmitting Rundsenden Receivers List";

    BroadcastSequence(ProgramState& state, Transmission& transmission, SerialLink& link, UserDialogs& dialogs,
                      InterfaceCommands& commands, ProgramFolder folder, QObject* parent = nullptr);

    Phase phase() const;
    // The caption of service button 1 or 2: the configured number in shortest form.
    QString serviceNumber(int service) const;

    // A service button: asks, dials the service and arms the sequence.
    void StartBroadcast(int service);
    // Transmits the receivers file and ends the sequence; nothing while a list is
    // already being sent or confirmed.
    void SendReceiverList();
    // "Tx RS Numbers": without a call the operator is told so.
    void sendNumbers();

public slots:
    // The receive path found the service's prompt; counts only while armed.
    void promptHeard();
    // The call was closed: the sequence ends (a list being sent stops after its line).
    void connectionClosed();

signals:
    void serviceButtonsEnabled(bool enabled);
    void status(const QString& text);
    void beep();

private:
    void tell(const QString& text);
    void end();

    ProgramState& m_state;
    Transmission& m_transmission;
    SerialLink& m_link;
    UserDialogs& m_dialogs;
    InterfaceCommands& m_commands;
    ProgramFolder m_folder;
    bool m_transmitting = false;
    bool m_closedMeanwhile = false;
};

} // namespace vornal
