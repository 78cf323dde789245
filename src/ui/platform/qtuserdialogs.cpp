#include "platform/qtuserdialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPushButton>

#include <memory>

namespace vornal {

namespace {

QMessageBox::StandardButtons toButtons(DialogButtons b) {
    switch (b) {
    case DialogButtons::Ok:
        return QMessageBox::Ok;
    case DialogButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case DialogButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case DialogButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case DialogButtons::AbortRetryIgnore:
        return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    case DialogButtons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton toButton(DialogAnswer a) {
    switch (a) {
    case DialogAnswer::Ok:
        return QMessageBox::Ok;
    case DialogAnswer::Cancel:
        return QMessageBox::Cancel;
    case DialogAnswer::Yes:
        return QMessageBox::Yes;
    case DialogAnswer::No:
        return QMessageBox::No;
    case DialogAnswer::Abort:
        return QMessageBox::Abort;
    case DialogAnswer::Retry:
        return QMessageBox::Retry;
    case DialogAnswer::Ignore:
        return QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

DialogAnswer fromButton(int b) {
    switch (b) {
    case QMessageBox::Cancel:
        return DialogAnswer::Cancel;
    case QMessageBox::Yes:
        return DialogAnswer::Yes;
    case QMessageBox::No:
        return DialogAnswer::No;
    case QMessageBox::Abort:
        return DialogAnswer::Abort;
    case QMessageBox::Retry:
        return DialogAnswer::Retry;
    case QMessageBox::Ignore:
        return DialogAnswer::Ignore;
    default:
        return DialogAnswer::Ok;
    }
}

QMessageBox::Icon toIcon(DialogIcon i) {
    switch (i) {
    case DialogIcon::Information:
        return QMessageBox::Information;
    case DialogIcon::Warning:
        return QMessageBox::Warning;
    case DialogIcon::Critical:
        return QMessageBox::Critical;
    case DialogIcon::Question:
        return QMessageBox::Question;
    case DialogIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

std::unique_ptr<QMessageBox> QtUserDialogs::makeMessageBox(const MessageRequest& request, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(
        toIcon(request.icon), request.title.isEmpty() ? QStringLiteral("Vornal USB Terminal") : request.title,
        request.text, toButtons(request.buttons), parent);
    if (request.defaultAnswer)
        box->setDefaultButton(toButton(*request.defaultAnswer));
    if (request.escapeAnswer) {
        // Escape and the window's close button press a button that is not shown, so the
        // question keeps its own buttons and still has an answer of its own for them.
        QAbstractButton* escape = box->button(toButton(*request.escapeAnswer));
        if (!escape) {
            escape = box->addButton(toButton(*request.escapeAnswer));
            escape->hide();
        }
        box->setEscapeButton(escape);
    }
    return box;
}

DialogAnswer QtUserDialogs::answerOf(const QMessageBox& box) {
    return fromButton(box.standardButton(box.clickedButton()));
}

DialogAnswer QtUserDialogs::message(const MessageRequest& request) {
    const std::unique_ptr<QMessageBox> box = makeMessageBox(request, m_parent);
    box->exec();
    return answerOf(*box);
}

QString QtUserDialogs::openFile(const FileRequest& request) {
    return runFileDialog(request, true);
}

QString QtUserDialogs::saveFile(const FileRequest& request) {
    return runFileDialog(request, false);
}

QString QtUserDialogs::runFileDialog(const FileRequest& request, bool open) {
    QFileDialog dialog(m_parent, request.title, request.folder, request.filter);
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

std::optional<FontChoice> QtUserDialogs::chooseFont(const FontChoice& initial) {
    bool ok = false;
    QFont start(initial.name, initial.pointSize);
    start.setBold(initial.bold);
    start.setItalic(initial.italic);
    const QFont font = QFontDialog::getFont(&ok, start, m_parent);
    if (!ok)
        return std::nullopt;
    return FontChoice{font.family(), font.pointSize(), initial.color, font.bold(), font.italic()};
}

std::optional<quint32> QtUserDialogs::chooseColour(quint32 initial, const QString& title) {
    const QColor start(int(initial & 0xff), int((initial >> 8) & 0xff), int((initial >> 16) & 0xff));
    const QColor colour = QColorDialog::getColor(start, m_parent, title);
    if (!colour.isValid())
        return std::nullopt;
    return quint32(colour.red()) | quint32(colour.green()) << 8 | quint32(colour.blue()) << 16;
}

} // namespace vornal
