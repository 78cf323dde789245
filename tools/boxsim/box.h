#pragma once

#include "boxoptions.h"
#include "script.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTimer>
#include <optional>

class BroadcastService;
class ScriptPlayer;

// The interface box: turns the bytes the terminal sends into what the box and
// the far station print back. A call goes idle -> dialling -> connecting ->
// connected; the recorded-messages mode lies over any of these.
class Box : public QObject {
    Q_OBJECT
public:
    Box(const BoxOptions& options, std::optional<Script> script, QObject* parent = nullptr);

    void receive(QByteArrayView bytes);
    // A call from the far station, as if it had dialled us.
    void acceptIncomingCall();

signals:
    void output(const QByteArray& bytes);
    // The script asks the simulator to stop reading the line for so many seconds
    // (0: read again at once).
    void stallRequested(double seconds);

private:
    enum class CallState { Idle, Dialling, Connecting, Connected };

    void handle(quint8 byte);
    bool handleDialling(quint8 byte);
    bool handleMessages(quint8 byte);
    void typed(quint8 byte);
    void toFarSide(QByteArrayView text);
    void say(QByteArrayView text) { emit output(QByteArray(text.data(), text.size())); }
    void notice(QByteArrayView text);

    void startDialling();
    void finishDialling();
    void answerCall();
    void connected(QByteArrayView notice);
    void endCall();
    void whoIsThere();
    void hereIs();

    void showMessages();
    void showMessage();
    void nextMessage();
    void cancelMessages();

    QByteArray farAnswerback() const;
    QByteArray farNumberWithoutZeros() const;
    QByteArray statusText() const;
    QByteArray configText() const;

    BoxOptions m_options;
    CallState m_state = CallState::Idle;
    QByteArray m_dialled;   // as typed, blanks and minus signs included
    QByteArray m_farNumber; // digits of the station we are connected to
    bool m_afterCr = false;
    bool m_afterEsc = false;
    bool m_afterPlus = false;
    bool m_figures = false;
    bool m_inMessages = false;
    qsizetype m_messageIndex = 0;
    QList<QByteArray> m_messages;
    QTimer m_dialTimer;
    QTimer m_connectTimer;
    ScriptPlayer* m_player = nullptr;
    BroadcastService* m_service = nullptr;
};
