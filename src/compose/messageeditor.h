#pragma once

#include "editormode.h"

#include "files/programfolder.h"

#include <QObject>
#include <QString>

namespace vornal {

class Clock;
class EditorBuffer;
class UserDialogs;

// The message editor without its window: the document and its modified flag, the
// mode with its status text and toolbar, loading and saving with their limits and
// messages, the toolbar's actions and the caret's row and column. The window holds
// the text (through EditorBuffer), shows what the signals announce and hands in the
// operator's clicks, edits and caret moves.
class MessageEditor : public QObject {
    Q_OBJECT
public:
    // The toolbar buttons in their order.
    enum class Button { New, Open, Save, SaveAs, Print, Exit, Help, Time, Date };
    static constexpr Button kButtons[] = {Button::New,    Button::Open,  Button::Save,
                                          Button::SaveAs, Button::Print, Button::Exit,
                                          Button::Help,   Button::Time,  Button::Date};

    static constexpr const char* kTitle = "Vornal Editor Vornal 2022  ";
    static constexpr const char* kNewDocument = "New document";
    static constexpr const char* kDesignStatus = "Vornal Message Editor";
    static constexpr const char* kFilter = "Text Files (*.txt);;All Files (*)";
    static constexpr const char* kDefaultSuffix = "txt";
    // The width of a teleprinter line: the caret beyond it is warned of.
    static constexpr int kLineWidth = 68;

    MessageEditor(EditorBuffer& buffer, UserDialogs& dialogs, const Clock& clock, ProgramFolder folder,
                  QObject* parent = nullptr);

    // The button's key ("new", "saveas", ...), its caption and its tooltip.
    static QString key(Button button);
    static QString caption(Button button);
    static QString toolTip(Button button);
    static bool enabledIn(EditorMode mode, Button button);
    // The status text in front of the file's path; empty for the modes without one.
    static QString statusPrefix(EditorMode mode);

    // Takes over the file and the mode of the caller and opens the document.
    void open(const QString& path, EditorMode mode);
    // A toolbar button by its key, in any case.
    void runAction(const QString& key);
    void run(Button button) { runAction(key(button)); }

    // In the embedded editor's mode the file is chosen in the open dialog, else it is
    // the caller's; true when it was loaded.
    bool OpenDocument();
    bool LoadFile(const QString& path);
    bool SaveFile(const QString& path);
    bool SaveDocument(bool saveAs);

    // The text changed.
    void textEdited();
    // The caret moved through a key or a click of the operator (the indicator and the
    // beep past the line width), or otherwise (the indicator only). The text is the
    // field's own, the position the end of its selection.
    void caretMoved(QStringView text, qsizetype position);
    void caretPlaced(QStringView text, qsizetype position);

    EditorMode mode() const { return m_mode; }
    const QString& documentName() const { return m_documentName; }
    bool isModified() const { return m_modified; }
    QString title() const;
    const QString& status() const { return m_status; }

signals:
    void titleChanged(const QString& title);
    void statusChanged(const QString& text);
    void modifiedChanged(bool modified);
    void caretChanged(qsizetype row, qsizetype column, bool beyondLine);
    void beep();
    void helpRequested();
    void closeRequested();
    // After Save and Save As: the main window reads its lists again.
    void listsRefreshRequested();

private:
    bool askToSave();
    void setStatus(const QString& text);
    void setModified(bool modified);
    void setDocumentName(const QString& name);
    void showCaret(QStringView text, qsizetype position, bool byOperator);
    bool saveAction(bool saveAs);
    bool isNamed() const;

    EditorBuffer& m_buffer;
    UserDialogs& m_dialogs;
    const Clock& m_clock;
    ProgramFolder m_folder;
    EditorMode m_mode = EditorMode::Message;
    QString m_currentFilePath;
    QString m_documentName;
    QString m_status = QString::fromLatin1(kDesignStatus);
    bool m_modified = false;
};

} // namespace vornal
