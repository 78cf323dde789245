#include "messageeditor.h"

#include "editorbuffer.h"
#include "editortext.h"

#include "clock.h"
#include "files/textcodec.h"
#include "files/textfile.h"
#include "userdialogs.h"

#include <QFileInfo>

namespace vornal {

namespace {

struct ButtonText {
    const char* key;
    const char* caption;
    const char* toolTip;
};
// In the order of MessageEditor::Button.
constexpr ButtonText kButtonTexts[] = {
    {"new", "New", "Create New Message"},     {"open", "Open", "Open Message File"},
    {"save", "Save", "Save Message File"},    {"saveas", "Save As", "Save Message File As"},
    {"print", "Print", "Print Message File"}, {"exit", "Exit", "Exit Editor"},
    {"help", "Help", "Invokes Help"},         {"time", "Time", "Insert Time Today"},
    {"date", "Date", "Insert Date ToDay"},
};
static_assert(std::size(kButtonTexts) == std::size(MessageEditor::kButtons));

constexpr const char* kPrintNotice =
    " This editore does not print to a local printer but send this message to a pre-defined dedicated "
    "teleprinter but as this is a beta version it is disabled ";

const ButtonText& textOf(MessageEditor::Button button) {
    return kButtonTexts[int(button)];
}

} // namespace

MessageEditor::MessageEditor(EditorBuffer& buffer, UserDialogs& dialogs, const Clock& clock,
                             ProgramFolder folder, QObject* parent)
    : QObject(parent), m_buffer(buffer), m_dialogs(dialogs), m_clock(clock), m_folder(std::move(folder)) {}

QString MessageEditor::key(Button button) {
    return QString::fromLatin1(textOf(button).key);
}

QString MessageEditor::caption(Button button) {
    return QString::fromLatin1(textOf(button).caption);
}

QString MessageEditor::toolTip(Button button) {
    return QString::fromLatin1(textOf(button).toolTip);
}

bool MessageEditor::enabledIn(EditorMode mode, Button button) {
    switch (mode) {
    case EditorMode::Message:
        return button != Button::Open && button != Button::Print;
    case EditorMode::Configuration:
        return button == Button::Save || button == Button::Exit || button == Button::Help;
    case EditorMode::PresetPhrases:
        return button == Button::Save || button == Button::Exit || button == Button::Help ||
               button == Button::Time || button == Button::Date;
    case EditorMode::AnyFile:
        break;
    }
    return true;
}

QString MessageEditor::statusPrefix(EditorMode mode) {
    switch (mode) {
    case EditorMode::Message:
        return QStringLiteral("You are editing the default Message  ");
    case EditorMode::Configuration:
        return QStringLiteral("You are editing the configuration file ! ");
    case EditorMode::PresetPhrases:
        return QStringLiteral("You are editing the Preset Phrases ");
    case EditorMode::AnyFile:
        break;
    }
    return {};
}

QString MessageEditor::title() const {
    return QString::fromLatin1(kTitle) + QStringLiteral(" / ") + m_documentName;
}

void MessageEditor::open(const QString& path, EditorMode mode) {
    m_mode = mode;
    m_currentFilePath = path;
    const QString prefix = statusPrefix(mode);
    if (!prefix.isEmpty())
        setStatus(prefix + path);
    setDocumentName(path);
    const bool loaded = OpenDocument();
    // The embedded editor starts on the program folder; without a chosen file that is
    // no document to save to, so Save asks for a name. Likewise after a file that was
    // there but refused: the operator never saw its text, so a plain Save must not
    // replace it.
    if (!loaded && (mode == EditorMode::AnyFile || QFileInfo(path).isFile()))
        setDocumentName(QString::fromLatin1(kNewDocument));
}

bool MessageEditor::OpenDocument() {
    QString name = m_currentFilePath;
    if (m_mode == EditorMode::AnyFile) {
        name = m_dialogs.openFile({QStringLiteral("Edit file"), m_folder.root(), QString::fromLatin1(kFilter),
                                   QString::fromLatin1(kDefaultSuffix)});
    }
    // A file that is not there yet (a message not written before) opens empty.
    if (name.isEmpty() || !QFileInfo(name).isFile())
        return false;
    if (!LoadFile(name))
        return false;
    setDocumentName(name);
    setModified(false);
    return true;
}

bool MessageEditor::LoadFile(const QString& path) {
    const auto tooLarge = [&] {
        m_dialogs.critical(QStringLiteral("File ") + path + QStringLiteral(" too large (>30K)"));
        return false;
    };
    const QFileInfo info(path);
    if (!info.isFile()) {
        m_dialogs.critical(QStringLiteral("Open file error ") + path + QStringLiteral("(") +
                           (info.exists() ? QStringLiteral("Not a regular file")
                                          : QStringLiteral("No such file or directory")) +
                           QStringLiteral(")"));
        return false;
    }
    // Every byte gives at least one character of the text, so a longer file never fits.
    if (info.size() > EditorText::kMaxLength)
        return tooLarge();
    QByteArray bytes;
    const FileResult read = TextFile::readBytes(path, &bytes);
    if (!read) {
        m_dialogs.critical(QStringLiteral("Open file error ") + path + QStringLiteral("(") + read.reason +
                           QStringLiteral(")"));
        return false;
    }
    if (bytes.contains('\0')) {
        m_dialogs.critical(QStringLiteral("File ") + path +
                           QStringLiteral(" is not a text file: it holds binary data."));
        return false;
    }
    const std::optional<QString> text = EditorText::loadedText(TextCodec::decode(bytes));
    if (!text)
        return tooLarge();
    m_buffer.setText(*text);
    return true;
}

bool MessageEditor::SaveFile(const QString& path) {
    QString text = m_buffer.text();
    const Unencodable odd = EditorText::findUnencodable(text);
    if (odd.count > 0) {
        const Caret at = EditorText::caretAt(text, odd.position);
        const QString question =
            QStringLiteral("The text holds %1 that a Windows-1252 file cannot hold; the first is \"%2\" "
                           "(U+%3) in row %4, column %5.\nSave %6 as \"?\"?")
                .arg(odd.count == 1 ? QStringLiteral("1 character")
                                    : QStringLiteral("%1 characters").arg(odd.count),
                     odd.first,
                     QStringLiteral("%1").arg(quint32(odd.codePoint), 4, 16, QLatin1Char('0')).toUpper(),
                     QString::number(at.row), QString::number(at.column),
                     odd.count == 1 ? QStringLiteral("it") : QStringLiteral("them"));
        if (m_dialogs.message({question, QString(), DialogButtons::YesNo, DialogIcon::Question,
                               DialogAnswer::No}) != DialogAnswer::Yes) {
            setStatus(QStringLiteral("Not saved: ") + path);
            return false;
        }
        text = EditorText::replaceUnencodable(text);
    }
    const FileResult written = TextFile::writeBytes(path, TextCodec::encode(text), m_folder.writer());
    if (!written) {
        m_dialogs.critical(QStringLiteral("File write error ") + path + QStringLiteral("(") + written.reason +
                           QStringLiteral(")"));
        return false;
    }
    return true;
}

bool MessageEditor::SaveDocument(bool saveAs) {
    QString target;
    if (isNamed() && !saveAs) {
        target = m_documentName;
    } else {
        target = m_dialogs.saveFile({QStringLiteral("Save File As ..."), m_folder.root(),
                                     QString::fromLatin1(kFilter), QString::fromLatin1(kDefaultSuffix),
                                     saveAs && isNamed() ? m_documentName : QString()});
        if (target.isEmpty())
            return false;
    }
    if (!SaveFile(target))
        return false;
    setDocumentName(target);
    setModified(false);
    return true;
}

bool MessageEditor::saveAction(bool saveAs) {
    const bool saved = SaveDocument(saveAs);
    emit listsRefreshRequested();
    return saved;
}

bool MessageEditor::isNamed() const {
    return !m_documentName.isEmpty() && m_documentName != QLatin1String(kNewDocument);
}

// False when the operator went back (Escape on the question) or wanted the text saved
// and it was not (the dialog cancelled, the write failed): then the action that asked
// stops and nothing is lost.
bool MessageEditor::askToSave() {
    if (!m_modified)
        return true;
    setStatus(QStringLiteral("File '") + m_documentName +
              QStringLiteral("' was changed! do you want to save it ?"));
    const DialogAnswer answer =
        m_dialogs.message({QStringLiteral("File '") + m_documentName +
                               QStringLiteral("' was changed\ndo you want to save it ?"),
                           QString(),
                           DialogButtons::YesNo,
                           DialogIcon::Question,
                           {},
                           DialogAnswer::Cancel});
    // Escape or closing the question goes back to the text as it was.
    if (answer == DialogAnswer::Cancel)
        return false;
    if (answer != DialogAnswer::Yes)
        return true;
    return saveAction(false);
}

void MessageEditor::runAction(const QString& key) {
    const QString k = key.toLower();
    const auto is = [&k](Button b) { return k == MessageEditor::key(b); };
    if (is(Button::Open)) {
        if (askToSave())
            OpenDocument();
    } else if (is(Button::Save)) {
        saveAction(false);
    } else if (is(Button::SaveAs)) {
        saveAction(true);
    } else if (is(Button::New)) {
        if (!askToSave())
            return;
        setStatus(QStringLiteral("A new Message File < NEW_FILE > was opened! "));
        m_buffer.setText(QString());
        setDocumentName(QString::fromLatin1(kNewDocument));
        setModified(false);
    } else if (is(Button::Print)) {
        m_dialogs.information(QString::fromLatin1(kPrintNotice));
    } else if (is(Button::Exit)) {
        if (!askToSave())
            return;
        setStatus(QStringLiteral(" S T A T U S"));
        emit closeRequested();
    } else if (is(Button::Help)) {
        m_dialogs.message({QStringLiteral("Help"), QString(), DialogButtons::Ok, DialogIcon::None, {}});
        emit helpRequested();
    } else if (is(Button::Time)) {
        m_buffer.append(EditorText::timeText(m_clock.now().time()));
        setModified(true);
        m_dialogs.message({QStringLiteral("Time"), QString(), DialogButtons::Ok, DialogIcon::None, {}});
    } else if (is(Button::Date)) {
        m_buffer.append(
            EditorText::dateText(m_clock.now().date(), EditorText::dateSeparator(QLocale::system())));
        setModified(true);
        m_dialogs.message({QStringLiteral("Date"), QString(), DialogButtons::Ok, DialogIcon::None, {}});
        emit beep();
    } else {
        m_dialogs.message(
            {QStringLiteral("no selection found"), QString(), DialogButtons::Ok, DialogIcon::None, {}});
    }
}

void MessageEditor::textEdited() {
    setModified(true);
}

void MessageEditor::caretMoved(QStringView text, qsizetype position) {
    showCaret(text, position, true);
}

void MessageEditor::caretPlaced(QStringView text, qsizetype position) {
    showCaret(text, position, false);
}

void MessageEditor::showCaret(QStringView text, qsizetype position, bool byOperator) {
    const Caret caret = EditorText::caretAt(text, position);
    const bool beyond = caret.column > kLineWidth;
    emit caretChanged(caret.row, caret.column, beyond);
    if (beyond && byOperator)
        emit beep();
}

void MessageEditor::setStatus(const QString& text) {
    m_status = text;
    emit statusChanged(text);
}

void MessageEditor::setModified(bool modified) {
    if (m_modified == modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

void MessageEditor::setDocumentName(const QString& name) {
    m_documentName = name;
    emit titleChanged(title());
}

} // namespace vornal
