#pragma once

#include "files/programfolder.h"

#include <QList>
#include <QObject>
#include <QString>

namespace vornal {

class LineCounter;
class Transmission;
class TransmissionRun;
class UserDialogs;
struct ProgramState;

// Turns texts into paced character streams towards the interface box: a short text,
// a text file (translated, wrapped and sent from the copy "\SendFile.txt") and the
// automatic answer to "klkl" (from "\klkl.txt" through "\klkl-Temp.txt"). Each goes
// out as one `Transmission`: characters on a fixed schedule of `CharDelay` seconds,
// events handled while it waits, so Cancel, the receive path and the window stay
// alive. An error is reported once, where it happens, and the closing steps run.
class TextSender : public QObject {
    Q_OBJECT
public:
    // Transmitted lines are wrapped to this width; a transmitted line never passes
    // kLineEndAt characters (the answer inserts a CR there).
    static constexpr int kWrapWidth = 68;
    static constexpr int kLineEndAt = 69;
    static constexpr double kKlklPause = 3.0;

    TextSender(Transmission& transmission, const ProgramState& state, LineCounter& counter,
               UserDialogs& dialogs, ProgramFolder folder, QObject* parent = nullptr);

    // A short text through the short table; stops at the first failed write.
    // Returns false when not all of it went out.
    bool SendTxt(const QString& TextString);
    // What SendTxt writes, inside a run of the caller's: a CR, then each character
    // through the short table followed by its pause, on a schedule started afresh.
    // False when the run stopped (a failed write, Cancel).
    static bool writeShortText(TransmissionRun& run, const QString& TextString);
    // A text file; an empty path with mode 5 asks the operator for the file. Returns
    // true when the whole file went out (not refused, cancelled or failed).
    enum class FileSource { Path, AskWhenEmpty };
    bool SendTextFile(const QString& path, FileSource source = FileSource::Path);
    // The automatic answer.
    void SendKlkl();

    // The four send commands of the main window.
    enum class SendCommand { Header, Headlines, Message, TextFile };
    struct SendCommandInfo {
        SendCommand command;
        const char* prompt;
        const char* status;
        const char* file; // empty: chosen in the open dialog
    };
    static const QList<SendCommandInfo>& sendCommands();
    void runSendCommand(SendCommand command);

    const QString& sendFileName() const { return m_SendFileName; }
    // The pause between the answer's two CR CR pairs (3 seconds; tests shorten it).
    void setKlklPause(double seconds) { m_klklPause = seconds; }

    // A lone line feed in a file that is sent is a line end, as CR LF is.
    static QByteArray withCrLf(const QByteArray& bytes);

public slots:
    // Called by the headline editor while "Send Headline" runs its exit action: the
    // headline could not be written, so the old file is not sent.
    void headlineNotWritten() { m_headlineNotWritten = true; }

signals:
    void status(const QString& text);
    void beep();
    // "Send Headline" first saves the headline sets and writes the chosen headline;
    // the headline editor does that in a direct connection.
    void headlineExitRequested();
    // The paste preview is emptied when a file starts.
    void previewCleared();

private:
    bool chooseFile(QString* path);
    void error(const QString& text);
    void reportStop(const QString& what);

    Transmission& m_transmission;
    const ProgramState& m_state;
    LineCounter& m_counter;
    UserDialogs& m_dialogs;
    ProgramFolder m_folder;
    QString m_SendFileName;
    double m_klklPause = kKlklPause;
    bool m_headlineNotWritten = false;
};

} // namespace vornal
