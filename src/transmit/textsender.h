#pragma once

#include "core/programfolder.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

namespace vornal {

class SerialLink;
class UserDialogs;
struct ProgramState;

// Turns texts into paced character streams towards the interface box: a short text,
// a text file (translated, wrapped and sent from the copy "\SendFile.txt") and the
// automatic answer to "klkl" (from "\klkl.txt" through "\klkl-Temp.txt"). Characters
// go out on a fixed schedule of `CharDelay` seconds; while it waits, events run, so
// Cancel, the receive path and the window stay alive. An error is reported once, where
// it happens, and the sender then runs its closing steps.
class TextSender : public QObject {
    Q_OBJECT
public:
    static constexpr int kWrapWidth = 68;
    static constexpr double kKlklPause = 3.0;

    TextSender(SerialLink& link, ProgramState& state, UserDialogs& dialogs, ProgramFolder folder,
               QObject* parent = nullptr);

    // A short text through the short table; stops at the first failed write.
    // Returns false when not all of it went out.
    bool SendTxt(const QString& TextString);
    // A text file; an empty path with mode 5 asks the operator for the file.
    void SendTextFile(const QString& path, int mode);
    // The automatic answer.
    void SendKlkl();

    // The four send commands of the main window.
    enum class SendCommand { Header, Headlines, Message, TextFile };
    struct SendCommandInfo {
        SendCommand command;
        const char* control;
        const char* prompt;
        const char* status;
        const char* file; // empty: chosen in the open dialog
    };
    static const QList<SendCommandInfo>& sendCommands();
    void runSendCommand(SendCommand command);

    const QString& sendFileName() const { return m_SendFileName; }
    // The pause between the answer's two CR CR pairs (3 seconds; tests shorten it).
    void setKlklPause(double seconds) { m_klklPause = seconds; }

    // Saves the headline sets and writes the chosen headline before it is sent; unset
    // until the headline editor is there.
    std::function<void()> onExitHeadlineEditor;

signals:
    void status(const QString& text);
    void beep();
    // The four send commands while a file goes out.
    void sendCommandsEnabled(bool enabled);
    // Only "Send Text File", at the end of a file or answer.
    void sendTextFileEnabled();
    // The cancel window with what is being sent, and its end.
    void transmissionShown(const QString& label);
    void transmissionHidden();
    void counterCaption(const QString& caption);
    void sendIndicatorIdle();
    // The paste preview is emptied when a file starts.
    void previewCleared();

private:
    bool write(const QByteArray& bytes);
    bool chooseFile(QString* path);
    void finishFile();
    void finishKlkl();
    void error(const QString& text);

    SerialLink& m_link;
    ProgramState& m_state;
    UserDialogs& m_dialogs;
    ProgramFolder m_folder;
    QString m_SendFileName;
    double m_klklPause = kKlklPause;
};

} // namespace vornal
