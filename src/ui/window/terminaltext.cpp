#include "window/terminaltext.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

namespace vornal {

namespace {

// A far station's line as the fit measures it: every letter, the digits, blanks.
constexpr const char* kSampleLine = "zczc 4711 the quick brown fox jumps over the lazy dog 0123456789 nnnn";

} // namespace

TerminalText::TerminalText(QWidget* parent) : QPlainTextEdit(parent) {
    // The text area paints every pixel of itself, so that new text repaints only the
    // lines it changed and scrolling moves what is shown instead of painting the
    // window's picture beneath it again. It keeps clear of the frame's rounded
    // corners, which the frame paints.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setViewportMargins(kCornerRoom, 0, kCornerRoom, 0);
    // The scroll bar, whose range changes with every new line, paints all of itself too.
    verticalScrollBar()->setAttribute(Qt::WA_OpaquePaintEvent);
    verticalScrollBar()->installEventFilter(this);
}

bool TerminalText::eventFilter(QObject* watched, QEvent* event) {
    QScrollBar* bar = verticalScrollBar();
    if (watched == bar && (event->type() == QEvent::Polish || event->type() == QEvent::StyleChange))
        bar->setAttribute(Qt::WA_OpaquePaintEvent); // the style may have reset it
    if (watched == bar && event->type() == QEvent::Paint) {
        // Under the style's drawing, which may leave parts of the bar to its background.
        QPainter background(bar);
        background.fillRect(static_cast<QPaintEvent*>(event)->rect(), bar->palette().window());
    }
    return QPlainTextEdit::eventFilter(watched, event);
}

void TerminalText::paintEvent(QPaintEvent* event) {
    {
        QPainter background(viewport());
        background.fillRect(event->rect(), palette().base());
    }
    QPlainTextEdit::paintEvent(event);
}

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
    const qreal margins = 2 * document()->documentMargin() + cursorWidth() + 2 * kCornerRoom;
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
