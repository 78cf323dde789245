#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QTimer>

class QPlainTextEdit;

namespace vornal {

class TerminalBuffer;

// Keeps the terminal text box showing the terminal buffer, with edits at its two ends
// only, and hands what the operator edits by hand back to the buffer. Laying out and
// painting the text costs far more than the edit itself, so edits that come in a
// stream are gathered: an edit after a quiet spell shows at once, the ones that
// follow it show when the stream pauses for kQuietMs, and at least every kMaxWaitMs
// while it goes on. The text box keeps no undo history, so its memory stays bounded
// with the text.
class TerminalTextView : public QObject {
    Q_OBJECT
public:
    TerminalTextView(TerminalBuffer& buffer, QPlainTextEdit& edit, QObject* parent = nullptr);

    static constexpr int kQuietMs = 25;
    static constexpr int kMaxWaitMs = 100;
    // Up to this many new lines are put into the box one by one.
    static constexpr qsizetype kLinesOneByOne = 4;

    // Shows every gathered edit now.
    void flush();

private:
    struct Edit {
        qsizetype front;
        qsizetype back;
        QString append;
    };
    void queue(qsizetype front, qsizetype back, const QString& append);
    void caretToEnd();

    TerminalBuffer& m_buffer;
    QPlainTextEdit& m_edit;
    bool m_applying = false;
    QList<Edit> m_pending;
    QTimer m_flushTimer;
    QElapsedTimer m_sinceFlush;
    QElapsedTimer m_sincePending;
};

} // namespace vornal
