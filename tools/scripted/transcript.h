#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <QStringList>

// The tour's record of the line: the steps, and every byte in both directions in a
// readable form (printable characters as they are, the others by name). Each direction
// is gathered into lines of its own, ended by a line feed (or a lone carriage return),
// so a paced text and the box's echo of it read as two lines, not as interleaved bytes.
class Transcript {
public:
    Transcript();

    void step(const QString& name);
    void sent(const QByteArray& bytes);
    void received(const QByteArray& bytes);
    void note(const QString& text);

    // What went each way since the current step began.
    const QByteArray& sentInStep() const { return m_sentInStep; }
    const QByteArray& receivedInStep() const { return m_receivedInStep; }
    QString text();
    // "klkl<CR><LF>": the readable form of bytes.
    static QString readable(const QByteArray& bytes);

private:
    struct Pending {
        QString arrow;
        QByteArray bytes;
        QString stamp;
        qint64 started = 0;
        qint64 last = 0;
    };
    void add(Pending& pending, Pending& other, const QByteArray& bytes);
    void flush(Pending& pending);
    void flushBoth();
    QString stamp() const;

    QElapsedTimer m_clock;
    QStringList m_lines;
    Pending m_out{QStringLiteral("terminal -> box  "), {}, {}, 0, 0};
    Pending m_in{QStringLiteral("box -> terminal  "), {}, {}, 0, 0};
    QByteArray m_sentInStep;
    QByteArray m_receivedInStep;
};
