#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

namespace vornal {

// Human-readable tape: each character becomes a run of teleprinter characters whose
// punched hole patterns, column after column, draw that character on the tape.
//
// The bytes sent for one character, looked up in upper case; empty for a character
// without a glyph (the colon and the comma, say). Each glyph ends with the gap
// character '#'; the blank is four gaps. Besides letters the runs hold the blank (the
// space code), byte 14 (the interface's letters shift, all five holes) and the
// interface's two-byte commands 27 'J' (line feed only) and 27 'M' (carriage return
// only).
QByteArray punchGlyph(QChar c);

// The complete sequence for a text: the leader (a carriage return and five gaps), the
// glyph of every character in order, and the trailer of four gaps. "HI" gives
// 13 "#####" 14 32 32 14 "#" "Z" 14 "Z#" "####".
QByteArray Puncher(const QString& OriginString);

} // namespace vornal
