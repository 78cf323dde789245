#include "widgets/terminaltextview.h"

#include "display/terminalbuffer.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTextBlock>
#include <QTextCursor>

namespace vornal {

namespace {

// The scroll bar repaints all of itself at every change of its range, that is at every
// new line, though in a long text its slider moves by a pixel only every few lines.
// While an edit is made its repaints are held, and it is painted once after it if
// anything of it that shows has changed.
class HeldScrollBar {
public:
    explicit HeldScrollBar(QScrollBar* bar) : m_bar(bar), m_held(bar->isVisible() && bar->updatesEnabled()) {
        if (!m_held)
            return;
        m_before = looks();
        m_bar->setAttribute(Qt::WA_UpdatesDisabled);
    }
    ~HeldScrollBar() {
        if (!m_held)
            return;
        // Not setUpdatesEnabled(true): that would repaint it whether or not it changed.
        m_bar->setAttribute(Qt::WA_UpdatesDisabled, false);
        const Looks after = looks();
        if (after == m_before)
            return;
        // Where only the slider moved, the rest of the bar stays as it is; a margin
        // around the slider leaves room for a style that shades its edges.
        const Looks moved{m_before.rect, after.slider, m_before.atStart, m_before.atEnd};
        if (after == moved)
            m_bar->update(m_before.slider.united(after.slider).adjusted(-kEdge, -kEdge, kEdge, kEdge));
        else
            m_bar->update();
    }
    HeldScrollBar(const HeldScrollBar&) = delete;
    HeldScrollBar& operator=(const HeldScrollBar&) = delete;

private:
    static constexpr int kEdge = 2;
    // What the bar shows: its size, its slider, and whether it can move either way.
    struct Looks {
        QRect rect;
        QRect slider;
        bool atStart = false;
        bool atEnd = false;
        bool operator==(const Looks&) const = default;
    };
    Looks looks() const {
        QStyleOptionSlider option;
        option.initFrom(m_bar);
        option.orientation = m_bar->orientation();
        option.minimum = m_bar->minimum();
        option.maximum = m_bar->maximum();
        option.sliderPosition = m_bar->sliderPosition();
        option.sliderValue = m_bar->value();
        option.singleStep = m_bar->singleStep();
        option.pageStep = m_bar->pageStep();
        option.upsideDown = m_bar->invertedAppearance();
        if (m_bar->orientation() == Qt::Horizontal)
            option.state |= QStyle::State_Horizontal;
        const QRect slider =
            m_bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, m_bar);
        return {m_bar->rect(), slider, m_bar->value() <= m_bar->minimum(),
                m_bar->value() >= m_bar->maximum()};
    }

    QScrollBar* m_bar;
    bool m_held;
    Looks m_before;
};

} // namespace

TerminalTextView::TerminalTextView(TerminalBuffer& buffer, QPlainTextEdit& edit, QObject* parent)
    : QObject(parent), m_buffer(buffer), m_edit(edit) {
    // The box's text comes in for hours: an undo history would keep every piece of it
    // (the display is cut to its limit, its history would not be). Nothing received is
    // the operator's to undo.
    m_edit.setUndoRedoEnabled(false);
    m_flushTimer.setSingleShot(true);
    connect(&m_flushTimer, &QTimer::timeout, this, &TerminalTextView::flush);
    connect(&m_buffer, &TerminalBuffer::reset, this, [this](const QString& shown) {
        m_pending.clear();
        m_flushTimer.stop();
        m_applying = true;
        m_edit.setPlainText(shown);
        m_applying = false;
        caretToEnd();
    });
    connect(&m_buffer, &TerminalBuffer::edited, this, &TerminalTextView::queue);
    connect(&m_edit, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_applying)
            m_buffer.takeShownText(m_edit.toPlainText());
    });
}

void TerminalTextView::queue(qsizetype front, qsizetype back, const QString& append) {
    const bool quiet =
        m_pending.isEmpty() && (!m_sinceFlush.isValid() || m_sinceFlush.elapsed() >= kMaxWaitMs);
    m_pending.append({front, back, append});
    if (quiet) {
        flush();
        return;
    }
    if (m_pending.size() == 1)
        m_sincePending.start();
    const qint64 waited = m_sincePending.elapsed();
    if (waited >= kMaxWaitMs)
        flush();
    else // restarted with every edit: a timer re-armed as it fires would wake between edits
        m_flushTimer.start(int(std::min<qint64>(kQuietMs, kMaxWaitMs - waited)));
}

void TerminalTextView::flush() {
    m_flushTimer.stop();
    m_sinceFlush.start();
    if (m_pending.isEmpty())
        return;
    m_applying = true;
    const HeldScrollBar bar(m_edit.verticalScrollBar());
    QTextCursor cursor(m_edit.document());
    // A few new lines at the end go in one at a time, each change on its own (each piece
    // but the first starts with its line end): the text box then repaints only the lines
    // that changed, where one change over several lines repaints all it shows. Anything
    // larger, or a cut at the front, changes all it shows anyway and is made as one edit,
    // which the box lays out once.
    qsizetype newLines = 0;
    bool cut = false;
    for (const Edit& e : std::as_const(m_pending)) {
        newLines += e.append.count(QLatin1Char('\n'));
        cut = cut || e.front > 0;
    }
    const bool lineByLine = !cut && newLines <= kLinesOneByOne;
    if (!lineByLine)
        cursor.beginEditBlock();
    QString appended;
    const auto append = [&] {
        cursor.movePosition(QTextCursor::End);
        for (qsizetype from = 0; from < appended.size();) {
            const qsizetype lineEnd = lineByLine ? appended.indexOf(QLatin1Char('\n'), from + 1) : -1;
            const qsizetype to = lineEnd < 0 ? appended.size() : lineEnd;
            cursor.insertText(appended.sliced(from, to - from));
            from = to;
        }
        appended.clear();
    };
    for (const Edit& e : std::as_const(m_pending)) {
        if (e.front > 0 || e.back > 0)
            append();
        if (e.front > 0) {
            cursor.movePosition(QTextCursor::Start);
            cursor.setPosition(int(e.front), QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
        }
        if (e.back > 0) {
            cursor.movePosition(QTextCursor::End);
            cursor.setPosition(std::max(0, cursor.position() - int(e.back)), QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
        }
        appended += e.append;
    }
    append();
    if (!lineByLine)
        cursor.endEditBlock();
    m_pending.clear();
    m_applying = false;
    caretToEnd();
}

void TerminalTextView::caretToEnd() {
    QTextCursor end = m_edit.textCursor();
    end.movePosition(QTextCursor::End);
    m_edit.setTextCursor(end);
    m_edit.ensureCursorVisible();
}

} // namespace vornal
