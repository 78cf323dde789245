#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

#include <optional>

namespace vornal {

// Row and column of the caret, both counted from 1.
struct Caret {
    qsizetype row = 1;
    qsizetype column = 1;
};

// Characters that a Windows-1252 file cannot hold: how many there are (a character
// outside the basic plane counts once) and where the first one stands.
struct Unencodable {
    qsizetype count = 0;
    QString first; // the character itself
    char32_t codePoint = 0;
    qsizetype position = 0;
};

// The message editor's text rules. The editor's text has the form of the file: every
// line ended by CR LF, one character for each byte in Windows-1252.
namespace EditorText {

// The longest text the editor loads.
constexpr qsizetype kMaxLength = 29999;

// The text LoadFile builds from a file's characters: every line followed by CR LF. A
// line ends at CR LF, at LF or at CR; a last line without an end gains one. Empty when
// the text grows past maxLength.
std::optional<QString> loadedText(QStringView file, qsizetype maxLength = kMaxLength);

// Between the file's form and a text field, which ends its lines with one character
// ("\n", or the paragraph and line separators of a rich text document).
QString toField(QStringView text);
QString fromField(QStringView field);

// The caret at the given position of the text: the row is the number of the line that
// holds it, the column its distance from the start of that line plus 1. CR LF, LF, CR
// and the separators of a text field each end a line.
Caret caretAt(QStringView text, qsizetype position);

Unencodable findUnencodable(QStringView text);
// The text with each character that Windows-1252 cannot hold replaced by "?".
QString replaceUnencodable(QStringView text);

// The stamps of "time" and "date": hh:mm:ss, and dd/mm/yyyy with the locale's own
// date separator in place of "/".
QString timeText(QTime time);
QString dateText(QDate date, QChar separator);
QChar dateSeparator(const QLocale& locale);

} // namespace EditorText
} // namespace vornal
