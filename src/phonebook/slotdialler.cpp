#include "slotdialler.h"

#include "slotdialling.h"

#include "display/interfacecommands.h"
#include "serial/seriallink.h"
#include "userdialogs.h"

namespace vornal {

SlotDialler::SlotDialler(SerialLink& link, UserDialogs& dialogs, InterfaceCommands& commands)
    : m_link(link), m_dialogs(dialogs), m_commands(commands) {}

bool SlotDialler::dial(const QString& caption, int width) {
    if (!m_link.isOpen()) {
        m_dialogs.message(
            {QString::fromLatin1(kPortClosed), QString(), DialogButtons::Ok, DialogIcon::None, {}});
        return false;
    }
    m_commands.CallNumber(slotDialNumber(caption, width), slotLabelText(caption));
    return true;
}

} // namespace vornal
