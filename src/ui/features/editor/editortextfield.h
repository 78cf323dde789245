#pragma once

#include <QPlainTextEdit>

namespace vornal {

// The message editor's text field: a plain text field that says when the operator
// has moved the caret, after every key press, key release and mouse click has been
// handled.
class EditorTextField : public QPlainTextEdit {
    Q_OBJECT
public:
    using QPlainTextEdit::QPlainTextEdit;

signals:
    void caretMovedByOperator();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace vornal
