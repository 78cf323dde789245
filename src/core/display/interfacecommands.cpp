#include "display/interfacecommands.h"

#include "display/linecounter.h"
#include "display/numbertext.h"
#include "display/terminalbuffer.h"
#include "display/terminaldisplay.h"
#include "files/textcodec.h"
#include "look/soundplayer.h"
#include "programstate.h"
#include "serial/seriallink.h"

#include <QList>

namespace vornal {

namespace {

// A dialled number's value as the box takes it: digits with an optional sign and
// blanks around them. Anything else cannot be dialled.
struct DialValue {
    bool valid = false;
    int compared85 = 0; // -1 below 85, 0 equal, 1 above
    QString signedForm; // blank or minus sign, then the digits without leading zeros
};

DialValue dialValue(const QString& number) {
    DialValue v;
    QString t = number.trimmed();
    bool negative = false;
    if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'))) {
        negative = t.startsWith(QLatin1Char('-'));
        t.remove(0, 1);
    }
    if (t.isEmpty())
        return v;
    for (QChar c : std::as_const(t)) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return v;
    }
    qsizetype first = 0;
    while (first < t.size() - 1 && t[first] == QLatin1Char('0'))
        ++first;
    const QString digits = t.mid(first);
    negative = negative && digits != QLatin1String("0");
    v.valid = true;
    if (negative)
        v.compared85 = -1;
    else if (digits.size() > 2)
        v.compared85 = 1;
    else
        v.compared85 = digits.toInt() < 85 ? -1 : digits.toInt() > 85 ? 1 : 0;
    v.signedForm = (negative ? QStringLiteral("-") : QStringLiteral(" ")) + digits;
    return v;
}

} // namespace

const QList<InterfaceCommands::CommandInfo>& InterfaceCommands::commands() {
    static const QList<CommandInfo> kCommands = {
        {Command::Bell, QByteArray("\x07"), "Ringing the bell", "Bell"},
        {Command::Werda, QByteArray("\x0d\x17"), "Sending whoIs", "Who Is"},
        {Command::IAm, QByteArray("\x0d\x09"), "Sending Here Is", "Here Is"},
        {Command::GoAhead, QByteArray("+?"), "Go Ahead", "Go Ahead"},
        {Command::Zi, QByteArray("\x0f"), " Sending Figures  1... ", "Figures"},
        {Command::Bu, QByteArray("\x0e"), " Sending Letters  A... ", "Letters"},
        {Command::LoKal, QByteArray("\x0c"), "Local Mode Enabled", "Local Mode"},
        {Command::Msg, QByteArray("\x11"), "Reading Vornal Messages", "Messages"},
        {Command::NextMessage, QByteArray("n"), "Next Vornal Message", "Next Message"},
        {Command::CancelMsg, QByteArray("l"), "Cancel Vornal Messages", "Cancel Messages"},
        {Command::Status, QByteArray("\x14"), "Reading Vornal Status", "Status"},
        {Command::Konfig, QByteArray("\x0b"), "Configuration", "Configuration"},
        {Command::CR, QByteArray("\x1bM"), "Sending Carriage Return only", "Carriage Return only"},
        {Command::LineFeed, QByteArray("\x1bJ"), "Sending Line feed only", "Line Feed only"},
        {Command::CloseConnection, QByteArray("\x13"), "Closing Vornal Connection", "Close Connection"},
    };
    return kCommands;
}

InterfaceCommands::InterfaceCommands(SerialLink& link, ProgramState& state, TerminalDisplay& display,
                                     TerminalBuffer& box, LineCounter& counter, SoundPlayer& sound,
                                     ProgramFolder folder, QObject* parent)
    : QObject(parent), m_link(link), m_state(state), m_display(display), m_box(box), m_counter(counter),
      m_sound(sound), m_folder(std::move(folder)) {}

// A command goes out under its name, so that the traffic log shows the name rather
// than the control bytes.
bool InterfaceCommands::send(const QByteArray& bytes, const char* command) {
    if (command ? m_link.outputCommand(bytes, QString::fromLatin1(command)) : m_link.output(bytes))
        return true;
    emit status(m_link.lastError().text);
    return false;
}

void InterfaceCommands::playSound(const char* name) {
    m_sound.open(m_folder.file(QString::fromLatin1(name)));
    m_sound.play();
}

void InterfaceCommands::run(Command command) {
    if (!m_link.isOpen())
        return;
    const auto& table = commands();
    const auto it = std::find_if(table.begin(), table.end(),
                                 [command](const CommandInfo& c) { return c.command == command; });
    if (command == Command::CloseConnection && !m_state.soundMuted)
        playSound("/soundstop.wav");
    if (!send(it->bytes, it->name))
        return;
    emit status(QString::fromLatin1(it->status));
    switch (command) {
    case Command::GoAhead:
        m_state.connectionActive = false;
        break;
    case Command::LoKal:
        playSound("/soundstart.wav");
        break;
    case Command::CR:
        m_counter.resetCounter();
        break;
    case Command::CloseConnection:
        m_state.connectionActive = false;
        m_state.pastePreview = true;
        emit callClosed();
        break;
    default:
        break;
    }
}

void InterfaceCommands::portToggled() {
    m_state.pastePreview = true;
}

void InterfaceCommands::Call() {
    emit hideHeadlinePanel();
    if (!m_link.isOpen())
        return;
    if (!m_state.soundMuted)
        playSound("/soundstart.wav");
    if (!send(QByteArray(1, '\x01'), "Call"))
        return;
    QString prompt = QStringLiteral("Dial Vornal Number please\r");
    m_display.DisplayReceived(prompt);
    emit status(QStringLiteral("Dial Vornal Number please"));
    m_state.connectionActive = true;
}

void InterfaceCommands::clearText() {
    emit hideHeadlinePanel();
    m_box.clear();
    emit status(QStringLiteral("Text Cancelled"));
    m_counter.reset();
}

void InterfaceCommands::CallNumber(const QString& CallNr, const QString& CallNm) {
    const DialValue value = dialValue(CallNr);
    if (!value.valid) {
        emit status(QStringLiteral("Not dialled: \"%1\" is not a number").arg(CallNr));
        return;
    }
    if (value.compared85 == 0 || !m_link.isOpen())
        return;
    if (!send(QByteArray(1, '\x01'), "Call"))
        return;
    QString caption = CallNm + QLatin1Char('\r');
    m_display.DisplayReceived(caption);
    const QString dialled =
        value.compared85 > 0 ? signedNumberText(m_state.config.DialPrefix) + CallNr : value.signedForm;
    if (!send(TextCodec::encode(dialled)))
        return;
    emit status(QStringLiteral("Dialing ") + CallNr + QLatin1Char(' ') + CallNm);
    m_state.connectionActive = true;
}

bool InterfaceCommands::keyPressed(int k) {
    if (!m_link.isOpen())
        return false;
    if (k == 13) {
        send(QByteArray(1, '\r'));
        m_counter.reset();
    } else {
        send(QByteArray(1, char(k)));
        if (m_counter.advance())
            send(QByteArray(1, '\r'));
    }
    emit caretToEnd();
    return true;
}

} // namespace vornal
