#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace vornal {

// One dot of the tape picture: its centre in pixels and the pen width it is drawn with.
struct TapeDot {
    int x = 0;
    int y = 0;
    int width = 0;

    friend bool operator==(const TapeDot&, const TapeDot&) = default;
};

// Where the dots of the tape picture go, in pixels of the picture (one pixel per
// pixel, origin top left). Pure functions: the picture only paints what they give.
namespace TapeGeometry {

// Rows of the picture, top to bottom: code holes 1 and 2, the feed holes, code holes
// 3 to 5.
constexpr int kHoleRows[5] = {5, 15, 35, 45, 55};
constexpr int kFeedRow = 25;
constexpr int kHoleWidth = 7;
constexpr int kFeedWidth = 3;
// Column c of a glyph lies at position + kColumnPitch * c + kColumnOffset.
constexpr int kColumnPitch = 8;
constexpr int kColumnOffset = 5;
// One feed hole every kFeedPitch pixels, over kFeedPerCharacter pixels a character.
constexpr int kFeedPitch = 10;
constexpr int kFeedPerCharacter = 40;
// The picture is at least this large; a longer tape widens it.
constexpr int kPictureWidth = 857;
constexpr int kPictureHeight = 64;

// The code holes of the glyphs of a text, one after the other from x = 0. A character
// without a glyph draws nothing and does not move on; a blank only moves on. Positions
// are plain ints: a long text keeps going to the right.
QList<TapeDot> glyphDots(QStringView text);

// Where a glyph after the text would start: the sum of the text's advances.
qint64 glyphAdvance(QStringView text);

// The feed-hole row for a text of `count` characters: x = 1, 11, 21, ... up to
// 40 * count.
QList<TapeDot> feedHoleDots(qsizetype count);

// The whole preview of a text: its feed holes, then its glyphs. Nothing at all for an
// empty text.
QList<TapeDot> previewDots(QStringView text);

// The width of a picture that shows every dot whole, with the margin the tape has on
// its left; never less than kPictureWidth.
int pictureWidth(const QList<TapeDot>& dots);

} // namespace TapeGeometry
} // namespace vornal
