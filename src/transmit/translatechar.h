#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

namespace vornal {

// The teleprinter prints only its five-bit alphabet, so every transmitted text is
// first folded into that repertoire. Both tables work on decoded text: each QChar is
// one Windows-1252 character as TextCodec::decode gives it (every character the
// tables name lies in U+0000..U+00FF, where byte and code point agree). Matching is
// exact and case-sensitive; anything a table does not name passes unchanged.

// The full table, used on text files and pasted text before wrapping. Returns zero to
// four characters (e.g. 'ä' -> "ae", '@' -> "(at)").
QString TranslateChar(QChar c);

// TranslateChar applied to every character of a text, in one pass.
QString translateText(QStringView text);

// The short table, used by the short-text sender and the automatic answer on each
// character just before it is written. It differs from the full table: è à ò ù ß pass
// unchanged, Ä becomes "ae", and CR becomes the empty string (LF is their line end).
QString shortTranslateChar(QChar c);

} // namespace vornal
