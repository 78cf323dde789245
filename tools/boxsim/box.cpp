#include "box.h"

#include "broadcastservice.h"
#include "scriptplayer.h"

#include <cstdio>
#include <utility>

namespace {

namespace Byte {
constexpr quint8 Dial = 1;
constexpr quint8 Bell = 7;
constexpr quint8 HereIs = 9; // after CR
constexpr quint8 Configuration = 11;
constexpr quint8 Local = 12;
constexpr quint8 CarriageReturn = 13;
constexpr quint8 Letters = 14;
constexpr quint8 Figures = 15;
constexpr quint8 Messages = 17;
constexpr quint8 Close = 19;
constexpr quint8 Status = 20;
constexpr quint8 WhoIsThere = 23; // after CR
constexpr quint8 Escape = 27;
} // namespace Byte

bool isDigit(quint8 byte) {
    return byte >= '0' && byte <= '9';
}

QByteArray digitsOf(const QByteArray& text) {
    QByteArray digits;
    for (char c : text)
        if (isDigit(static_cast<quint8>(c)))
            digits.append(c);
    return digits;
}

int milliseconds(double seconds) {
    return static_cast<int>(seconds * 1000 + 0.5);
}

} // namespace

Box::Box(const BoxOptions& options, std::optional<Script> script, QObject* parent)
    : QObject(parent), m_options(options), m_messages{"from 12345 vornal d: meeting moved to friday",
                                                      "from 67890 vornal d: please call back"} {
    m_dialTimer.setSingleShot(true);
    m_connectTimer.setSingleShot(true);
    connect(&m_dialTimer, &QTimer::timeout, this, &Box::finishDialling);
    connect(&m_connectTimer, &QTimer::timeout, this, &Box::answerCall);
    m_service = new BroadcastService(m_options.broadcastLogPath, this);
    connect(m_service, &BroadcastService::send, this, [this](const QByteArray& text) {
        if (m_state == CallState::Connected)
            say(text);
    });
    connect(m_service, &BroadcastService::hangUp, this, [this] {
        if (m_state == CallState::Connected)
            endCall();
    });
    if (script) {
        m_player = new ScriptPlayer(std::move(*script), this);
        connect(m_player, &ScriptPlayer::send, this, [this](const QByteArray& text) {
            if (m_state == CallState::Connected)
                say(text);
        });
        connect(m_player, &ScriptPlayer::hangUp, this, [this] {
            if (m_state == CallState::Connected)
                endCall();
        });
        connect(m_player, &ScriptPlayer::holdLine, this,
                [this](bool hold) { say(hold ? QByteArrayView("\x13") : QByteArrayView("\x11")); });
        connect(m_player, &ScriptPlayer::stallReading, this, &Box::stallRequested);
    }
}

void Box::receive(QByteArrayView bytes) {
    for (char c : bytes)
        handle(static_cast<quint8>(c));
}

void Box::notice(QByteArrayView text) {
    QByteArray line = "\r\n[";
    line.append(text.data(), text.size());
    line.append("]\r\n");
    say(line);
}

void Box::handle(quint8 byte) {
    const bool afterCr = std::exchange(m_afterCr, false);
    const bool afterPlus = std::exchange(m_afterPlus, false);

    if (std::exchange(m_afterEsc, false)) {
        if (byte == 'M' || byte == 'm') {
            say("\r");
            toFarSide("\r");
            return;
        }
        if (byte == 'J' || byte == 'j') {
            say("\n");
            toFarSide("\n");
            return;
        }
        // Any other byte drops the escape and counts as itself.
    }
    if (m_inMessages && handleMessages(byte))
        return;
    if (m_state == CallState::Dialling && handleDialling(byte))
        return;

    switch (byte) {
    case Byte::Dial:
        startDialling();
        return;
    case Byte::Bell:
        notice("bell");
        return;
    case Byte::HereIs:
        if (afterCr) {
            hereIs();
            return;
        }
        break; // a plain tab
    case Byte::Configuration:
        say(configText());
        return;
    case Byte::Local:
        if (m_state != CallState::Idle) {
            m_dialTimer.stop();
            m_connectTimer.stop();
            if (m_player)
                m_player->stop();
            m_service->stop();
            m_state = CallState::Idle;
        }
        notice("local");
        return;
    case Byte::Letters:
    case Byte::Figures: {
        const bool figures = byte == Byte::Figures;
        if (figures != m_figures)
            say(figures ? "[figures]" : "[letters]");
        m_figures = figures;
        return;
    }
    case Byte::Messages:
        showMessages();
        return;
    case Byte::Close:
        if (m_state == CallState::Idle)
            notice("no call");
        else
            endCall();
        return;
    case Byte::Status:
        say(statusText());
        return;
    case Byte::WhoIsThere:
        if (afterCr)
            whoIsThere();
        return; // without the CR it means nothing to the box
    case Byte::Escape:
        m_afterEsc = true;
        return;
    default:
        break;
    }

    typed(byte);
    if (byte == Byte::CarriageReturn)
        m_afterCr = true;
    if (byte == '+')
        m_afterPlus = true;
    if (byte == '?' && afterPlus)
        notice("go ahead");
}

void Box::typed(quint8 byte) {
    const char c = static_cast<char>(byte);
    say(QByteArrayView(&c, 1));
    toFarSide(QByteArrayView(&c, 1));
}

void Box::toFarSide(QByteArrayView text) {
    if (m_state != CallState::Connected)
        return;
    if (m_service->isRunning())
        m_service->receive(text);
    else if (m_player)
        m_player->receive(text);
}

// --- dialling ---------------------------------------------------------------

void Box::startDialling() {
    if (m_state == CallState::Connecting || m_state == CallState::Connected) {
        notice("call in progress");
        return;
    }
    m_state = CallState::Dialling;
    m_dialled.clear();
    m_dialTimer.stop();
    say("\r\n[dial] ");
}

// The number has no terminator: it ends after the dial pause without a digit,
// or at the first byte that cannot be part of it.
bool Box::handleDialling(quint8 byte) {
    if (isDigit(byte) || byte == ' ' || byte == '-') {
        m_dialled.append(static_cast<char>(byte));
        say(QByteArray(1, static_cast<char>(byte)));
        if (!digitsOf(m_dialled).isEmpty())
            m_dialTimer.start(milliseconds(m_options.dialPause));
        return true;
    }
    switch (byte) {
    case Byte::Dial:
        startDialling();
        return true;
    case Byte::Close:
    case Byte::Bell:
    case Byte::Status:
    case Byte::Configuration:
        return false; // handled as usual, the dialling goes on (or is cancelled by Close)
    default:
        finishDialling();
        return false;
    }
}

void Box::finishDialling() {
    m_dialTimer.stop();
    if (m_state != CallState::Dialling)
        return;
    const QByteArray digits = digitsOf(m_dialled);
    if (digits.isEmpty()) {
        m_state = CallState::Idle;
        notice("no number");
        return;
    }
    m_farNumber = digits;
    m_state = CallState::Connecting;
    say("\r\n[calling " + digits + "]");
    std::fprintf(stderr, "vornal-boxsim: calling %s\n", digits.constData());
    m_connectTimer.start(milliseconds(m_options.connectDelay));
}

void Box::answerCall() {
    if (m_state != CallState::Connecting)
        return;
    const QString number = QString::fromLatin1(m_farNumber);
    if (m_options.busyNumbers.contains(number)) {
        m_state = CallState::Idle;
        say("\r\nocc\r\n");
        return;
    }
    if (m_farNumber.size() < 2 || m_options.unknownNumbers.contains(number)) {
        m_state = CallState::Idle;
        say("\r\nnp\r\n");
        return;
    }
    connected("connected");
}

void Box::acceptIncomingCall() {
    if (m_state != CallState::Idle)
        return;
    m_farNumber = digitsOf(m_options.caller);
    connected("incoming call");
}

void Box::connected(QByteArrayView notice) {
    m_state = CallState::Connected;
    say("\r\n[" + QByteArray(notice.data(), notice.size()) + "]\r\n" + farAnswerback() + "\r\n");
    const QByteArray number = farNumberWithoutZeros();
    if (m_options.broadcastNumbers.contains(QString::fromLatin1(number)))
        m_service->start(number);
    else if (m_player)
        m_player->start();
}

void Box::endCall() {
    m_dialTimer.stop();
    m_connectTimer.stop();
    if (m_player)
        m_player->stop();
    m_service->stop();
    m_state = CallState::Idle;
    say("\r\nclosed\r\n");
}

void Box::whoIsThere() {
    if (m_state == CallState::Connected)
        say("\r\n" + farAnswerback() + "\r\n");
    else
        notice("no call");
}

void Box::hereIs() {
    const QByteArray text = "\r\n" + m_options.ownAnswerback + "\r\n";
    say(text);
    toFarSide(text);
}

// A far station's answerback is its number (without trunk zeros) and a name.
QByteArray Box::farAnswerback() const {
    return farNumberWithoutZeros() + ' ' + m_options.farName;
}

QByteArray Box::farNumberWithoutZeros() const {
    qsizetype zeros = 0;
    while (zeros + 1 < m_farNumber.size() && m_farNumber[zeros] == '0')
        ++zeros;
    return m_farNumber.mid(zeros);
}

// --- recorded messages --------------------------------------------------------

bool Box::handleMessages(quint8 byte) {
    if (byte == 'n' || byte == 'N') {
        nextMessage();
        return true;
    }
    if (byte == 'l' || byte == 'L') {
        cancelMessages();
        return true;
    }
    m_inMessages = false; // anything else leaves the mode and counts as usual
    return false;
}

void Box::showMessages() {
    if (m_messages.isEmpty()) {
        notice("no messages");
        return;
    }
    m_inMessages = true;
    m_messageIndex = 0;
    say("\r\n[messages: " + QByteArray::number(m_messages.size()) + "]");
    showMessage();
}

void Box::showMessage() {
    say("\r\n[message " + QByteArray::number(m_messageIndex + 1) + "/" +
        QByteArray::number(m_messages.size()) + "]\r\n" + m_messages[m_messageIndex] + "\r\n");
}

void Box::nextMessage() {
    if (++m_messageIndex < m_messages.size()) {
        showMessage();
        return;
    }
    m_inMessages = false;
    notice("end of messages");
}

void Box::cancelMessages() {
    m_messages.clear();
    m_inMessages = false;
    notice("messages cancelled");
}

// --- information texts --------------------------------------------------------

QByteArray Box::statusText() const {
    QByteArray state;
    switch (m_state) {
    case CallState::Idle:
        state = "idle";
        break;
    case CallState::Dialling:
        state = "dialling";
        break;
    case CallState::Connecting:
        state = "calling " + m_farNumber;
        break;
    case CallState::Connected:
        state = "connected " + m_farNumber;
        break;
    }
    if (m_inMessages)
        state += ", reading messages";
    return "\r\n[status: " + state + (m_figures ? ", figures, " : ", letters, ") +
           QByteArray::number(m_messages.size()) + " messages]\r\n";
}

QByteArray Box::configText() const {
    return "\r\n[config: 9600,n,8,1, answerback " + m_options.ownAnswerback + ", dial pause " +
           QByteArray::number(m_options.dialPause, 'f', 1) + " s]\r\n";
}
