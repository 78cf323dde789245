#include "fixedtexts.h"

#include "textsender.h"

#include "clock.h"
#include "programstate.h"
#include "serial/seriallink.h"
#include "startup.h"
#include "userdialogs.h"

namespace vornal {

namespace {

const QString kCR = QStringLiteral("\r");

} // namespace

QString FixedTexts::fox() {
    return QStringLiteral("the quick brown fox jumps over the lazy dog 1234567890 ()");
}

QString FixedTexts::ry() {
    return QStringLiteral("ry").repeated(35);
}

QString FixedTexts::timeStamp(const QDateTime& now) {
    return QStringLiteral("local date: ") + Startup::startDateText(now.date()) +
           QStringLiteral("   local time:  ") + now.time().toString(QStringLiteral("hh:mm:ss"));
}

FixedTexts::FixedTexts(TextSender& sender, const SerialLink& link, const ProgramState& state,
                       UserDialogs& dialogs, const Clock& clock, QObject* parent)
    : QObject(parent), m_sender(sender), m_link(link), m_state(state), m_dialogs(dialogs), m_clock(clock) {}

bool FixedTexts::connectionActive() {
    if (m_state.connectionActive)
        return true;
    emit beep();
    m_dialogs.message({QStringLiteral(" No existing connection active ......"),
                       QString(),
                       DialogButtons::Ok,
                       DialogIcon::None,
                       {}});
    return false;
}

void FixedTexts::sendTimeStamp() {
    if (!m_link.isOpen())
        return;
    // A text that did not go out leaves its reason in the status line.
    if (!m_sender.SendTxt(timeStamp(m_clock.now()) + kCR) || !m_sender.SendTxt(kCR))
        return;
    emit focusTerminal();
    emit status(QStringLiteral("Sending Time Stamp"));
}

void FixedTexts::sendTest(const QString& text) {
    if (!connectionActive())
        return;
    if (m_sender.SendTxt(text + kCR))
        m_sender.SendTxt(kCR);
    emit focusTerminal();
}

void FixedTexts::sendFox() {
    sendTest(fox());
}

void FixedTexts::sendRy() {
    sendTest(ry());
}

void FixedTexts::sendPhrase(const QString& phrase) {
    if (!connectionActive())
        return;
    if (!m_link.isOpen()) {
        m_dialogs.message({QStringLiteral("Open Communication Port First ..... "),
                           QString(),
                           DialogButtons::Ok,
                           DialogIcon::None,
                           {}});
        return;
    }
    m_sender.SendTxt(kCR + phrase + kCR);
    emit focusTerminal();
}

} // namespace vornal
