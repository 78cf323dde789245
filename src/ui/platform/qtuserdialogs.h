#pragma once

#include "userdialogs.h"

#include <memory>

class QMessageBox;
class QWidget;

namespace vornal {

// The real dialogs: Qt message boxes, file, font and colour dialogs over the given window.
class QtUserDialogs final : public UserDialogs {
public:
    explicit QtUserDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    DialogAnswer message(const MessageRequest& request) override;
    QString openFile(const FileRequest& request) override;
    QString saveFile(const FileRequest& request) override;
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override;
    std::optional<quint32> chooseColour(quint32 initial, const QString& title) override;

    // The message box a request shows, and the answer of the button that closed it.
    static std::unique_ptr<QMessageBox> makeMessageBox(const MessageRequest& request, QWidget* parent);
    static DialogAnswer answerOf(const QMessageBox& box);

private:
    QString runFileDialog(const FileRequest& request, bool open);

    QWidget* m_parent;
};

} // namespace vornal
