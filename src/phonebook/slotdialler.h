#pragma once

#include <QString>

namespace vornal {

class InterfaceCommands;
class SerialLink;
class UserDialogs;

// Dials a call slot: the favourite slots and the local numbers share it. With the
// port closed the operator is told to open it and nothing is sent; everything else
// (an empty number, the connection state) is the business of CallNumber.
class SlotDialler {
public:
    static constexpr const char* kPortClosed = "Open Communication Port First ..... ";

    SlotDialler(SerialLink& link, UserDialogs& dialogs, InterfaceCommands& commands);

    // Reads the first width characters of the caption as the number; the terminal
    // shows four blanks and the whole caption. False when the port was closed.
    bool dial(const QString& caption, int width);

private:
    SerialLink& m_link;
    UserDialogs& m_dialogs;
    InterfaceCommands& m_commands;
};

} // namespace vornal
