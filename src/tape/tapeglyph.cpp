#include "tapeglyph.h"

#include <QHash>

namespace vornal {

namespace {

// The drawing table as the holes of each column, columns separated by blanks.
struct GlyphRow {
    char character;
    const char* columns;
    int advance;
};

const GlyphRow kGlyphRows[] = {
    {'A', "2345 13 13 2345", 38},
    {'B', "12345 135 135 24", 38},
    {'C', "234 15 15 24", 38},
    {'D', "12345 15 15 234", 38},
    {'E', "12345 135 135 15", 38},
    {'F', "12345 13 13 1", 38},
    {'G', "234 15 135 134", 38},
    {'H', "12345 3 3 12345", 38},
    {'I', "15 12345 15", 30},
    {'J', "34 5 5 1234", 38},
    {'K', "12345 3 24 15", 38},
    {'L', "12345 5 5 5", 38},
    {'M', "12345 2 3 2 12345", 44},
    {'N', "12345 2 3 12345", 38},
    {'O', "234 15 15 234", 38},
    {'P', "12345 13 13 23", 38},
    {'Q', "234 15 135 234 5", 44},
    {'R', "12345 13 14 25", 38},
    {'S', "25 135 135 14", 38},
    {'T', "1 1 12345 1 1", 44},
    {'U', "1234 5 5 1234", 38},
    {'V', "123 45 45 123", 38},
    {'W', "1234 5 34 5 1234", 44},
    {'X', "15 24 3 24 15", 44},
    {'Y', "1 2 345 2 1", 44},
    {'Z', "145 135 15 125 15", 44},
    {'1', "25 12345 5", 30},
    {'2', "25 145 135 25", 38},
    {'3', "24 15 135 234", 38},
    {'4', "34 24 14 345", 38},
    {'5', "1235 135 135 14", 38},
    {'6', "234 135 135 14", 38},
    {'7', "1 145 13 12", 38},
    {'8', "24 135 135 24", 38},
    {'9', "25 135 135 234", 38},
    {'0', "234 15 15 234", 38},
    {'+', "3 234 3", 30},
    {'-', "3 3 3 3", 38},
    {'?', "2 1 135 2", 38},
    {'/', "5 34 2 1", 38},
    {'\'', "12 1", 25},
    {'(', "234 15", 25},
    {'.', "5", 20},
    {')', "15 234", 25},
    {'=', "35 35 35 35", 38},
    {':', "24", 15},
    {',', "4 45", 25},
    {' ', "", 22},
};

TapeGlyph parse(const GlyphRow& row) {
    TapeGlyph glyph;
    glyph.advance = row.advance;
    bool inColumn = false;
    for (const char* p = row.columns; *p; ++p) {
        if (*p == ' ') {
            inColumn = false;
            continue;
        }
        if (!inColumn) {
            ++glyph.columnCount;
            inColumn = true;
        }
        glyph.columns[glyph.columnCount - 1] |= TapeColumn(1u << (*p - '1'));
    }
    return glyph;
}

const QHash<char16_t, TapeGlyph>& glyphs() {
    static const QHash<char16_t, TapeGlyph> table = [] {
        QHash<char16_t, TapeGlyph> t;
        for (const GlyphRow& row : kGlyphRows)
            t.insert(char16_t(row.character), parse(row));
        return t;
    }();
    return table;
}

} // namespace

const TapeGlyph* drawingGlyph(QChar c) {
    const auto& table = glyphs();
    const auto it = table.constFind(c.toUpper().unicode());
    return it == table.constEnd() ? nullptr : &it.value();
}

} // namespace vornal
