#include "unload.h"

#include "clock.h"
#include "serial/seriallink.h"
#include "userdialogs.h"

#include <QDateTime>

namespace vornal {

namespace {

// Whole seconds on the full date and time, so that a wait across midnight still ends.
qint64 wholeSeconds(const Clock& clock) {
    return clock.now().toSecsSinceEpoch();
}

} // namespace

bool drainAndClose(SerialLink& link, const Clock& clock, UserDialogs& dialogs,
                   const std::function<void()>& waitStep) {
    if (!link.isOpen())
        return true;
    qint64 deadline = wholeSeconds(clock) + 10;
    while (link.isOpen() && link.outBufferCount() > 0) {
        if (wholeSeconds(clock) > deadline) {
            const DialogAnswer answer =
                dialogs.message({QStringLiteral("Data cannot be sent"), QString(),
                                 DialogButtons::AbortRetryIgnore, DialogIcon::Warning, DialogAnswer::Retry});
            if (answer == DialogAnswer::Abort)
                return false;
            if (answer == DialogAnswer::Ignore)
                break;
            deadline = wholeSeconds(clock) + 10;
        }
        waitStep();
    }
    link.setPortOpen(false);
    return true;
}

} // namespace vornal
