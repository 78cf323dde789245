#include "terminaldisplay.h"

#include "programstate.h"
#include "terminalbuffer.h"

namespace vornal {

TerminalDisplay::TerminalDisplay(TerminalBuffer& box, ProgramState& state, QObject* parent)
    : QObject(parent), m_box(box), m_state(state) {}

void TerminalDisplay::gather(const QString& text) {
    m_AnswerBuffer.append(text);
    if (m_AnswerBuffer.size() > kAnswerTail)
        m_AnswerBuffer.remove(0, m_AnswerBuffer.size() - kAnswerTail);
}

void TerminalDisplay::DisplayReceived(QString& text) {
    // One cut of 4096 characters is enough for text that arrives at the line rate; a
    // chunk larger than the cut (after a stall) would otherwise let the display grow
    // without bound, so the cut repeats until the display is back within its limit.
    while (m_box.length() > kTrimAbove)
        m_box.removeFront(kTrimBy);
    const qsizetype displayLength = m_box.length();

    // A backspace erases the character before it in the same text; one at the start
    // replaces the last displayed character with what is inserted (any number of them
    // replace just that one).
    QString edited;
    edited.reserve(text.size() + text.size() / 8);
    bool replaceLast = false;
    for (QChar c : std::as_const(text)) {
        if (c == QLatin1Char('\b')) {
            if (edited.isEmpty())
                replaceLast = displayLength > 0;
            else
                edited.chop(1);
            continue;
        }
        if (c == QLatin1Char('\n'))
            continue;
        edited.append(c);
        if (c == QLatin1Char('\r'))
            edited.append(QLatin1Char('\n'));
    }
    text = edited;

    if (m_state.KlklAutoAnswer == 1 && m_AnswerBusy == 0)
        gather(text);
    m_box.replaceBack(replaceLast ? 1 : 0, text);
    emit received();

    // A second "klkl" that arrives while the answer is being sent does not start
    // another answer inside the first.
    if (m_AnswerBusy == 0 && m_AnswerBuffer.contains(QLatin1String("klkl"))) {
        m_AnswerBusy = 1;
        m_AnswerBuffer.clear();
        if (onKlkl)
            onKlkl();
        m_AnswerBusy = 0;
    }

    if (m_state.BroadcastActive == 1) {
        gather(text);
        if (m_AnswerBuffer.contains(QLatin1String(" +++):"))) {
            m_AnswerBuffer.clear();
            if (onReceiverListPrompt)
                onReceiverListPrompt();
        }
        if (m_AnswerBuffer.contains(QLatin1String(" text eingeben."))) {
            m_AnswerBuffer.clear();
            if (onReceiverListPrompt)
                onReceiverListPrompt();
        }
    }

    if (m_state.SoundMuted == 0 && onReceiveSound)
        onReceiveSound();
}

} // namespace vornal
