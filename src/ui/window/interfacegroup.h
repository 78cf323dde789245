#pragma once

#include <QGroupBox>

namespace vornal {

class InterfaceCommands;

// The Interface group: "Call", the box's commands in their order, and "Clear Text".
class InterfaceGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit InterfaceGroup(InterfaceCommands& commands, QWidget* parent = nullptr);
};

} // namespace vornal
