#pragma once

#include <QObject>
#include <QString>

namespace vornal {

// The text of the terminal display as the program counts it: every line ends with CR
// LF, and lengths, trimming and backspaces work on that text. The window mirrors it:
// a CR is not shown (the LF after it breaks the line), every other character is.
// Edits only ever happen at the two ends, so the mirror follows with cheap edits.
class TerminalBuffer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    const QString& text() const { return m_text; }
    qsizetype length() const { return m_text.size(); }

    void setText(const QString& text);
    void clear() { setText(QString()); }
    void removeFront(qsizetype count);
    // Replaces the last `count` characters with `text`.
    void replaceBack(qsizetype count, const QString& text);
    void append(const QString& text) { replaceBack(0, text); }

    // The operator edited the shown text (possible while the port is closed).
    void takeShownText(const QString& shown);

    // What the window shows for a piece of the text.
    static QString shown(QStringView text);
    static qsizetype shownLength(QStringView text);

signals:
    void reset(const QString& shownText);
    // Remove `front` shown characters at the start and `back` at the end, then append.
    void edited(qsizetype front, qsizetype back, const QString& shownAppend);

private:
    QString m_text;
};

} // namespace vornal
