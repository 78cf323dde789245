#include "window/terminaltext.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QScrollBar>

namespace vornal {

namespace {

// A far station's line as the fit measures it: every letter, the digits, blanks.
constexpr const char* kSampleLine = "zczc 4711 the quick brown fox jumps over the lazy dog 0123456789 nnnn";

} // namespace

TerminalText::TerminalText(QWidget* parent) : QPlainTextEdit(parent) {}

QFont TerminalText::shownFont() const {
    return document()->defaultFont();
}

void TerminalText::changeEvent(QEvent* event) {
    // The base class gives the document the widget's font; the fit follows it.
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::ApplicationFontChange)
        fitFont();
}

void TerminalText::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    fitFont();
}

void TerminalText::fitFont() {
    // The room is taken with the scroll bar shown, so that the bar coming or going
    // never changes the size (and the wrapping) again.
    const qreal margins = 2 * document()->documentMargin() + cursorWidth();
    const qreal width = contentsRect().width() - verticalScrollBar()->sizeHint().width() - margins;
    const qreal height = contentsRect().height() - 2 * document()->documentMargin();
    QFont shown = font();
    // A font sized in pixels (no point size) shows as it is.
    for (qreal size = shown.pointSizeF(); size > kSmallestPointSize; size = shown.pointSizeF()) {
        const QFontMetricsF metrics(shown);
        const qreal line = std::max(metrics.averageCharWidth() * kColumns,
                                    metrics.horizontalAdvance(QString::fromLatin1(kSampleLine)));
        if (line <= width && metrics.lineSpacing() * kLines <= height)
            break;
        shown.setPointSizeF(std::max(kSmallestPointSize, size - 1));
    }
    if (document()->defaultFont() != shown)
        document()->setDefaultFont(shown);
}

} // namespace vornal
