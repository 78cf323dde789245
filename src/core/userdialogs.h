#pragma once

#include <QString>

#include <optional>

namespace vornal {

enum class DialogIcon { None, Information, Warning, Critical, Question };
enum class DialogButtons { Ok, OkCancel, YesNo, YesNoCancel, AbortRetryIgnore, RetryCancel };
enum class DialogAnswer { Ok, Cancel, Yes, No, Abort, Retry, Ignore };

struct MessageRequest {
    QString text;
    QString title;
    DialogButtons buttons = DialogButtons::Ok;
    DialogIcon icon = DialogIcon::None;
    std::optional<DialogAnswer> defaultAnswer;
    // What Escape and closing the question answer when that is none of its buttons:
    // Cancel lets a Yes/No question go back to where it was asked.
    std::optional<DialogAnswer> escapeAnswer = {};
};

struct FileRequest {
    QString title;
    QString folder;
    QString filter;             // Qt filter text, "Text files (*.txt)"
    QString defaultSuffix = {}; // added to a name typed without one
    QString fileName = {};      // the name proposed in a save dialog
};

struct FontChoice {
    QString name;
    int pointSize = 0;
    quint32 color = 0; // red in the lowest byte
    bool bold = false;
    bool italic = false;
};

// Everything that asks the operator something. The windows get the real one; tests
// get a scripted one, since a real message box would block an offscreen test.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    virtual DialogAnswer message(const MessageRequest& request) = 0;
    // An empty result means the operator cancelled.
    virtual QString openFile(const FileRequest& request) = 0;
    virtual QString saveFile(const FileRequest& request) = 0;
    virtual std::optional<FontChoice> chooseFont(const FontChoice& initial) = 0;
    // A colour (red in the lowest byte); none when the operator cancelled.
    virtual std::optional<quint32> chooseColour(quint32 initial, const QString& title) = 0;

    DialogAnswer warning(const QString& text, const QString& title = {}) {
        return message({text, title, DialogButtons::Ok, DialogIcon::Warning, {}});
    }
    DialogAnswer critical(const QString& text, const QString& title = {}) {
        return message({text, title, DialogButtons::Ok, DialogIcon::Critical, {}});
    }
    DialogAnswer information(const QString& text, const QString& title = {}) {
        return message({text, title, DialogButtons::Ok, DialogIcon::Information, {}});
    }
};

} // namespace vornal
