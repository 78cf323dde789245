#pragma once

#include "files/programfiles.h"
#include "files/programfolder.h"

#include <QObject>
#include <QString>

namespace vornal {

class LineCounter;
class Transmission;
class UserDialogs;
struct ProgramState;

// The paste command in its two passes. The first folds the clipboard text as a text
// file is folded (full translation, wrapped to 68 columns) and shows it in the
// preview; "Send Preview" then runs the command in sending mode, which transmits,
// character by character with the cancel window, exactly the text that was previewed,
// even if the clipboard has changed since. `PastePreview` (ProgramState::pastePreview)
// says which pass the next run is; this class says when it changes (pastePreviewSet).
class ClipboardPaste : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kScratchFile = ProgramFiles::kClipboard;

    enum class Outcome { NoConnection, Previewed, Sent, Stopped, Busy };

    ClipboardPaste(Transmission& transmission, const ProgramState& state, LineCounter& counter,
                   UserDialogs& dialogs, ProgramFolder folder, QObject* parent = nullptr);

    // The paste command. In the preview pass `clipboardText` is folded and shown; the
    // sending pass ignores it and transmits what was previewed.
    Outcome paste(const QString& clipboardText);
    // "Send Preview": the command runs in sending mode (and stays in it when there is
    // no connection, so the next paste click sends too).
    Outcome sendPreview();

    // The clipboard text as it goes out: its lines ended by CR LF (the clipboard ends
    // them with a lone LF), through the file's code page, translated and wrapped, then
    // a line end as the copy on disk holds it. The wire carries a CR first, then this
    // text with every LF left out.
    static QString fold(QStringView clipboardText);
    // The folded text as the preview box shows it: one line break for each line end.
    static QString displayText(QStringView folded);

    // What the last preview showed (and what the sending pass sends).
    const QString& previewed() const { return m_previewed; }

signals:
    void beep();
    void status(const QString& text);
    // The preview pass has folded the text: show the panel with it.
    void previewReady(const QString& display);
    // The preview box is emptied (the sending pass starts).
    void previewCleared();
    // The program-wide `PastePreview` takes this value.
    void pastePreviewSet(bool preview);

private:
    Outcome run(bool previewPass, const QString& clipboardText);
    Outcome preview(const QString& clipboardText);
    Outcome send();
    void error(const QString& text);
    void reportStop(const QString& what);

    Transmission& m_transmission;
    const ProgramState& m_state;
    LineCounter& m_counter;
    UserDialogs& m_dialogs;
    ProgramFolder m_folder;
    QString m_previewed;
};

} // namespace vornal
