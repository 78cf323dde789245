#pragma once

#include <QObject>

class QPlainTextEdit;

namespace vornal {

class InterfaceCommands;
class SerialLink;

// While the port is open, what is typed in the terminal text goes to the box as
// bytes (Return 13, Backspace 8, Escape 27, a character in Windows-1252) and only the
// box's echo reaches the text. Copying, selecting and Tab stay the text box's own.
class TerminalKeys : public QObject {
    Q_OBJECT
public:
    TerminalKeys(QPlainTextEdit* terminal, const SerialLink& link, InterfaceCommands& commands);

private:
    bool eventFilter(QObject* watched, QEvent* event) override;

    const SerialLink& m_link;
    InterfaceCommands& m_commands;
};

} // namespace vornal
