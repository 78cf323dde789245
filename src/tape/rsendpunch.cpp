#include "rsendpunch.h"

#include "programstate.h"
#include "textsender.h"
#include "userdialogs.h"

#include <QFileInfo>
#include <QStringList>

namespace vornal {

RSendPunch::RSendPunch(TextSender& sender, const ProgramState& state, UserDialogs& dialogs,
                       ProgramFolder folder, QObject* parent)
    : QObject(parent), m_sender(sender), m_state(state), m_dialogs(dialogs), m_folder(std::move(folder)) {}

bool RSendPunch::run() {
    const DialogAnswer answer =
        m_dialogs.message({QString::fromLatin1(kQuestion), QString(), DialogButtons::YesNo, DialogIcon::None,
                           DialogAnswer::Yes});
    if (answer != DialogAnswer::Yes)
        return false;
    if (!m_state.connectionActive) {
        emit beep();
        m_dialogs.message(
            {QString::fromLatin1(kNoConnection), QString(), DialogButtons::Ok, DialogIcon::None, {}});
        return false;
    }
    const QString header = m_folder.file(QString::fromLatin1(kHeaderFile));
    const QString message = m_folder.file(QString::fromLatin1(kMessageFile));
    QStringList missing;
    for (const QString& path : {header, message}) {
        if (!QFileInfo(path).isFile())
            missing.append(path);
    }
    if (!missing.isEmpty()) {
        m_dialogs.warning(
            QStringLiteral("Nothing was sent for punching: ") + missing.join(QStringLiteral(" and ")) +
            (missing.size() == 1 ? QStringLiteral(" is missing.") : QStringLiteral(" are missing.")));
        emit status(QStringLiteral("RSend Punch: nothing sent"));
        return false;
    }
    return m_sender.SendTextFile(header) && m_sender.SendTextFile(message);
}

} // namespace vornal
