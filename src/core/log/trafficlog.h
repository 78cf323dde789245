#pragma once

#include "files/programfolder.h"
#include "log/appendfile.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

namespace vornal {

class Clock;
class SettingsStore;

// The record of a session's traffic: everything shown in the terminal and everything
// sent, in a file per day in the program folder ("Logs/2026-12-07.txt"), Windows-1252
// with CR LF line ends. Each line of traffic becomes one line of the file with the
// time it started and its direction:
//
//     14:05:09 < 11151 vornal d      shown in the terminal (received, or the terminal's own)
//     14:05:12 > [Bell]              one of the box's commands, by name
//     14:05:15 > HELLO               sent: typed, paced or dialled
//
// Received and sent text each gather in a line of their own, so that the box's echo
// of typed keys does not cut the typed line into single characters. A line is
// written when it ends (CR, LF, or CR LF: one line break), when a command is sent
// (the open sent line first), and when it has had no new character for kQuietMs: a
// crash then loses at most the line being gathered. What follows on a line written
// unfinished, or beyond kLongestLine characters, starts a new line of the file. Control characters are
// written by name
// ("<BEL>"); a backspace that erases a shown character is not undone in the file.
//
// The file stays open and every line goes to the system as it is written. A write
// that fails, or that takes longer than kSlowWriteMs, stops the log for the rest of
// the run and is reported once through failed(), from the event loop, so that a bad
// disk never holds up the line.
class TrafficLog : public QObject {
    Q_OBJECT
public:
    static constexpr int kQuietMs = 3000;
    static constexpr qint64 kSlowWriteMs = 1000;
    // A line longer than this (text that never ends a line) is written and continued
    // on the next line of the file.
    static constexpr qsizetype kLongestLine = 1024;

    TrafficLog(ProgramFolder folder, const Clock& clock, QObject* parent = nullptr);
    ~TrafficLog() override;

    // Whether the settings store lets the log run ("Log"/"Enabled", on unless "0").
    static bool enabledIn(const SettingsStore& settings);
    // The file of a day, relative to the program folder.
    static QString fileName(QDate date);
    QString path(QDate date) const;

    // Text added to the terminal as shown (every CR followed by an LF).
    void received(const QString& text);
    // The terminal's text replaced by a text of its own: a line of its own.
    void replaced(const QString& text);
    void sent(const QByteArray& bytes);
    void command(const QString& name);
    // Writes the lines that have not ended yet (at the quiet time and at the end).
    void writeUnfinished();
    bool stopped() const { return m_stopped; }

signals:
    // The log has stopped; the message names the file and the reason.
    void failed(const QString& message);

private:
    enum class Direction { Received, Sent };
    struct Line {
        bool open = false;
        bool afterCr = false; // an LF right after a CR ends nothing
        QDateTime start;
        QString text;
        QElapsedTimer lastCharacter;
    };

    Line& line(Direction direction) { return direction == Direction::Received ? m_received : m_sent; }
    void take(Direction direction, QStringView text);
    void begin(Line& line);
    void end(Direction direction);
    void write(const QDateTime& start, Direction direction, const QString& text);
    void stop(const QString& message);
    void quietTimeout();

    ProgramFolder m_folder;
    const Clock& m_clock;
    Line m_received;
    Line m_sent;
    AppendFile m_file;
    QDate m_fileDate;
    QTimer m_quiet;
    bool m_stopped = false;
};

} // namespace vornal
