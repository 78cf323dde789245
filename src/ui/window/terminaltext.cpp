#include "window/terminaltext.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QPlainTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

namespace vornal {

namespace {

// A far station's line as the fit measures it: every letter, the digits, blanks.
constexpr const char* kSampleLine = "zczc 4711 the quick brown fox jumps over the lazy dog 0123456789 nnnn";

// Qt's plain-text layout asks for all of the box to be painted again whenever a
// paragraph changes its height. Text arriving at the end does that at every wrap of
// its last line, though only that paragraph changed and nothing below it can move:
// there the paragraph alone is painted again. Every other change is left to Qt.
// It also has the lines keep their shaped glyphs (below).
class TerminalTextLayout : public QPlainTextDocumentLayout {
public:
    using QPlainTextDocumentLayout::QPlainTextDocumentLayout;

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override {
        QTextDocument* doc = document();
        const QTextBlock last = doc->lastBlock();
        const bool withinLast = doc->blockCount() == m_blockCount && last.length() > 0 &&
                                doc->findBlock(from) == last &&
                                doc->findBlock(std::max(0, from + charsRemoved + charsAdded - 1)) == last;
        // Every line keeps its shaped glyphs between its layout, its painting and the
        // caret's placing, instead of shaping its text anew for each: the growing last
        // line is laid out and painted with every piece, the one above it once more when
        // a line ends. It costs about 40 bytes a character, bounded by the display's
        // length (some 650 KB when it is full).
        for (QTextBlock b = withinLast ? last : doc->findBlock(from); b.isValid(); b = b.next())
            b.layout()->setCacheEnabled(true);
        if (!withinLast) {
            QPlainTextDocumentLayout::documentChanged(from, charsRemoved, charsAdded);
            m_blockCount = doc->blockCount();
            return;
        }
        const qreal heightBefore = blockBoundingRect(last).height();
        const QSizeF sizeBefore = documentSize();
        {
            const QSignalBlocker quiet(this);
            QPlainTextDocumentLayout::documentChanged(from, charsRemoved, charsAdded);
        }
        if (documentSize() != sizeBefore)
            emit documentSizeChanged(documentSize());
        if (blockBoundingRect(last).height() < heightBefore)
            requestUpdate(); // the lines it no longer covers are painted too
        else
            emit updateBlock(last);
    }

private:
    int m_blockCount = 1;
};

} // namespace

TerminalText::TerminalText(QWidget* parent) : QPlainTextEdit(parent) {
    auto* doc = new QTextDocument(this);
    auto* layout = new TerminalTextLayout(doc);
    layout->setPaintDevice(viewport());
    doc->setDocumentLayout(layout);
    doc->setDefaultFont(font());
    setDocument(doc);
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
    // A moved opaque widget keeps the pixels copied from its old place, which the bar
    // coming into view moves before it was ever painted there: it is painted afresh.
    if (watched == bar && (event->type() == QEvent::Move || event->type() == QEvent::Show))
        bar->update();
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
