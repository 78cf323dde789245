#pragma once

#include "files/programfiles.h"
#include "files/programfolder.h"

#include <QObject>
#include <QString>

namespace vornal {

class TextSender;
class UserDialogs;
struct ProgramState;

// "RSend Punch": after the operator's Yes, the broadcast header "\RSHeader.txt" and
// then the message "\Message.txt" go to the connected teleprinter with the file
// sender, so that both come out on its punch. Nothing is sent without an active
// connection, or when either file is missing; the message follows only when the
// whole header went out.
class RSendPunch : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kQuestion =
        "This option sends Header / Message / Textfile to the connected teleprinter for punching ";
    static constexpr const char* kNoConnection = " No existing connection active ......";
    static constexpr const char* kHeaderFile = ProgramFiles::kBroadcastHeader;
    static constexpr const char* kMessageFile = ProgramFiles::kMessage;

    RSendPunch(TextSender& sender, const ProgramState& state, UserDialogs& dialogs, ProgramFolder folder,
               QObject* parent = nullptr);

    // Returns true when the header and the message both went out whole.
    bool run();

signals:
    void beep();
    void status(const QString& text);

private:
    TextSender& m_sender;
    const ProgramState& m_state;
    UserDialogs& m_dialogs;
    ProgramFolder m_folder;
};

} // namespace vornal
