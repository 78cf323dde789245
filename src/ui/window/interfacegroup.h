#pragma once

#include <QGroupBox>

namespace vornal {

class InterfaceCommands;

// The Interface group: "Call", the box's commands in their order, and "Clear Text".
class InterfaceGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit InterfaceGroup(InterfaceCommands& commands, QWidget* parent = nullptr);

signals:
    // A command after which the box waits for the operator to type (the number of a
    // call, an answer, the messages' choices): the keyboard belongs in the terminal.
    void typingWanted();
};

} // namespace vornal
