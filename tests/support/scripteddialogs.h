#pragma once

#include "userdialogs.h"

#include <QList>
#include <QQueue>

#include <functional>
#include <utility>

namespace vornal {

// Records every dialog and answers from queues; an empty queue answers Ok (or the
// request's default), an empty file name, no font or no colour. `whileOpen` runs once
// while the next message is open, as the event loop does behind a real message box.
class ScriptedDialogs final : public UserDialogs {
public:
    DialogAnswer message(const MessageRequest& request) override {
        messages.append(request);
        if (whileOpen)
            std::exchange(whileOpen, {})();
        if (!answers.isEmpty())
            return answers.dequeue();
        return request.defaultAnswer.value_or(DialogAnswer::Ok);
    }
    QString openFile(const FileRequest& request) override {
        fileRequests.append(request);
        return files.isEmpty() ? QString() : files.dequeue();
    }
    QString saveFile(const FileRequest& request) override {
        fileRequests.append(request);
        return files.isEmpty() ? QString() : files.dequeue();
    }
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override {
        fontRequests.append(initial);
        if (fonts.isEmpty())
            return std::nullopt;
        return fonts.dequeue();
    }
    std::optional<quint32> chooseColour(quint32 initial, const QString& title) override {
        colourRequests.append({initial, title});
        if (colours.isEmpty())
            return std::nullopt;
        return colours.dequeue();
    }

    QStringList texts() const {
        QStringList t;
        for (const MessageRequest& m : messages)
            t.append(m.text);
        return t;
    }

    QList<MessageRequest> messages;
    QQueue<DialogAnswer> answers;
    std::function<void()> whileOpen;
    QList<FileRequest> fileRequests;
    QQueue<QString> files;
    QList<FontChoice> fontRequests;
    QQueue<FontChoice> fonts;
    QList<std::pair<quint32, QString>> colourRequests;
    QQueue<quint32> colours;
};

} // namespace vornal
