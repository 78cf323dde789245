#pragma once

#include "editorbuffer.h"
#include "messageeditor.h"

#include <QDialog>
#include <QHash>

class QLabel;
class QToolButton;

namespace vornal {

class Clock;
class EditorTextField;
class ProgramFolder;
class UserDialogs;

// The message editor's window: the toolbar, the 68-column ruler with its column
// warning, the text field and the status bar with the modified flag, the caret's row
// and column and the status text. It holds the text for its MessageEditor and shows
// what that announces; closing it any way runs the editor's "exit".
class EditorWindow : public QDialog, private EditorBuffer {
    Q_OBJECT
public:
    static constexpr const char* kRuler =
        "12345678901234567890123456789012345678901234567890123456789012345678";

    EditorWindow(UserDialogs& dialogs, const Clock& clock, const ProgramFolder& folder,
                 QWidget* parent = nullptr);

    MessageEditor& editor() { return m_editor; }
    // Takes over the caller's file and mode and opens the document; before the window
    // is shown.
    void open(const QString& path, EditorMode mode);
    using QDialog::open;

    // The teleprinter font where it is installed, else the system's fixed-pitch font.
    static QFont textFont();

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QString text() const override;
    void setText(const QString& text) override;
    void append(const QString& text) override;

    QWidget* buildToolbar();
    QWidget* buildRuler();
    QWidget* buildStatusBar();
    void caretEvent(bool byOperator);
    void showCaret(qsizetype row, qsizetype column, bool beyondLine);
    void placeRuler();

    MessageEditor m_editor;
    EditorTextField* m_txtText = nullptr;
    QWidget* m_rulerStrip = nullptr;
    QLabel* m_lblRuler = nullptr;
    QLabel* m_lblMax = nullptr;
    QLabel* m_lblStatus = nullptr;
    QLabel* m_modified = nullptr;
    QLabel* m_row = nullptr;
    QLabel* m_col = nullptr;
    QHash<MessageEditor::Button, QToolButton*> m_buttons;
};

} // namespace vornal
