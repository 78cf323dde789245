#pragma once

#include <QChar>

#include <array>

namespace vornal {

// The code holes of one tape column: hole 1 in bit 0 up to hole 5 in bit 4. Holes 1
// and 2 lie above the feed-hole row, holes 3 to 5 below it.
using TapeColumn = quint8;

// How the preview draws one character: up to five columns of code holes, and how far
// the next character starts after it.
struct TapeGlyph {
    std::array<TapeColumn, 5> columns{};
    int columnCount = 0;
    int advance = 0;
};

// The preview's glyph of a character, looked up in upper case; null for a character
// the preview does not draw (the colon and comma are drawn, the ampersand is not).
// The blank has no columns and only advances.
//
// This table is the picture's own: where the punched glyphs differ (V, 3, 4, 5, 6, 7,
// 9, +, -, / and '), the preview keeps its drawing.
const TapeGlyph* drawingGlyph(QChar c);

} // namespace vornal
