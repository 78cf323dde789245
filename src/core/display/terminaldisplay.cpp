#include "display/terminaldisplay.h"

#include "display/terminalbuffer.h"
#include "programstate.h"

#include <QMetaObject>

namespace vornal {

TerminalDisplay::TerminalDisplay(TerminalBuffer& box, const ProgramState& state, QObject* parent)
    : QObject(parent), m_box(box), m_state(state) {}

// Only after the phrases were looked for in the whole piece: a phrase anywhere in a
// long piece is found, and the tail kept finds one split across pieces.
void TerminalDisplay::trimGathered() {
    for (QString* gathered : {&m_AnswerBuffer, &m_promptBuffer}) {
        if (gathered->size() > kAnswerTail)
            gathered->remove(0, gathered->size() - kAnswerTail);
    }
}

void TerminalDisplay::replaceText(const QString& text) {
    m_box.setText(text);
    emit replaced(text);
}

void TerminalDisplay::DisplayReceived(QString& text) {
    // One cut of 4096 characters is enough for text that arrives at the line rate; a
    // chunk larger than the cut (after a stall) would otherwise let the display grow
    // without bound, so the cut repeats until the display is back within its limit.
    while (m_box.length() > kTrimAbove)
        m_box.removeFront(kTrimBy);
    const qsizetype displayLength = m_box.length();

    // Backspaces first, on the text as it came: a backspace erases the character
    // before it in the same text, a line feed included; one at the start replaces the
    // last displayed character with what is inserted (any number of them replace just
    // that one). Then line feeds are dropped and every CR becomes CR LF.
    QString erased;
    erased.reserve(text.size());
    bool replaceLast = false;
    for (QChar c : std::as_const(text)) {
        if (c != QLatin1Char('\b'))
            erased.append(c);
        else if (erased.isEmpty())
            replaceLast = displayLength > 0;
        else
            erased.chop(1);
    }
    QString edited;
    edited.reserve(erased.size() + erased.size() / 8);
    for (QChar c : std::as_const(erased)) {
        if (c == QLatin1Char('\n'))
            continue;
        edited.append(c);
        if (c == QLatin1Char('\r'))
            edited.append(QLatin1Char('\n'));
    }
    text = edited;

    // With the answer off nothing is kept, so a "klkl" counts only as it arrived while
    // the answer is on.
    // A backspace at the start of a piece takes the last character back from the
    // gathered texts as from the display, so that a phrase is heard as it is shown,
    // however the text was cut into pieces.
    if (!m_state.klklAutoAnswer)
        m_AnswerBuffer.clear();
    else if (!m_AnswerBusy) {
        m_AnswerBuffer.chop(replaceLast ? 1 : 0);
        m_AnswerBuffer.append(text);
    }
    m_box.replaceBack(replaceLast ? 1 : 0, text);
    emit shown(text);
    emit received();

    // A second "klkl" that arrives while the answer is being sent does not start
    // another answer inside the first.
    if (m_state.klklAutoAnswer && !m_AnswerBusy && m_AnswerBuffer.contains(QLatin1String("klkl"))) {
        m_AnswerBusy = true;
        m_AnswerBuffer.clear();
        QMetaObject::invokeMethod(this, &TerminalDisplay::klklHeard, Qt::QueuedConnection);
    }

    if (m_state.broadcastActive) {
        m_promptBuffer.chop(replaceLast ? 1 : 0);
        m_promptBuffer.append(text);
        if (m_promptBuffer.contains(QLatin1String(" +++):"))) {
            m_promptBuffer.clear();
            QMetaObject::invokeMethod(this, &TerminalDisplay::receiverListPrompted, Qt::QueuedConnection);
        }
        if (m_promptBuffer.contains(QLatin1String(" text eingeben."))) {
            m_promptBuffer.clear();
            QMetaObject::invokeMethod(this, &TerminalDisplay::receiverListPrompted, Qt::QueuedConnection);
        }
    } else {
        // A prompt begun in an earlier broadcast does not complete in the next one.
        m_promptBuffer.clear();
    }
    trimGathered();

    if (!m_state.soundMuted)
        emit receiveSound();
}

} // namespace vornal
