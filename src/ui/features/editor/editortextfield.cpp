#include "features/editor/editortextfield.h"

namespace vornal {

void EditorTextField::keyPressEvent(QKeyEvent* event) {
    QPlainTextEdit::keyPressEvent(event);
    emit caretMovedByOperator();
}

void EditorTextField::keyReleaseEvent(QKeyEvent* event) {
    QPlainTextEdit::keyReleaseEvent(event);
    emit caretMovedByOperator();
}

void EditorTextField::mouseReleaseEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseReleaseEvent(event);
    emit caretMovedByOperator();
}

} // namespace vornal
