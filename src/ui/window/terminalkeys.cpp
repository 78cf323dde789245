#include "window/terminalkeys.h"

#include "display/interfacecommands.h"
#include "files/textcodec.h"
#include "serial/seriallink.h"

#include <QKeyEvent>
#include <QPlainTextEdit>

namespace vornal {

TerminalKeys::TerminalKeys(QPlainTextEdit* terminal, const SerialLink& link, InterfaceCommands& commands)
    : QObject(terminal), m_link(link), m_commands(commands) {
    terminal->installEventFilter(this);
}

bool TerminalKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !m_link.isOpen())
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::SelectAll))
        return false;
    int k = -1;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        k = 13;
        break;
    case Qt::Key_Backspace:
        k = 8;
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // Tab moves on to the next control, as everywhere; byte 9 is "I Am".
        return false;
    case Qt::Key_Escape:
        k = 27;
        break;
    default:
        if (!key->text().isEmpty())
            k = static_cast<unsigned char>(TextCodec::encodeChar(key->text().at(0)));
        break;
    }
    if (k < 0)
        return false;
    return m_commands.keyPressed(k);
}

} // namespace vornal
