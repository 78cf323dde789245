#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QTimer>

class QPlainTextEdit;

namespace vornal {

class TerminalBuffer;

// Keeps the terminal text box showing the terminal buffer, with edits at its two ends
// only, and hands what the operator edits by hand back to the buffer. Edits that come
// faster than the screen can show them are gathered and laid out together, at most
// about 50 times a second: at the line rate every byte arrives on its own, and
// laying out and painting the text for each one would cost a good part of a core.
class TerminalTextView : public QObject {
    Q_OBJECT
public:
    TerminalTextView(TerminalBuffer& buffer, QPlainTextEdit& edit, QObject* parent = nullptr);

    static constexpr int kFlushMs = 50;

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
};

} // namespace vornal
