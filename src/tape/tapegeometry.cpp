#include "tapegeometry.h"

#include "tapeglyph.h"

#include <algorithm>
#include <limits>

namespace vornal::TapeGeometry {

QList<TapeDot> glyphDots(QStringView text) {
    QList<TapeDot> dots;
    // 64-bit: the sum of the advances of a long text passes any 16-bit counter and,
    // for absurd lengths, an int; such dots are clamped to the int range below.
    qint64 position = 0;
    for (const QChar c : text) {
        const TapeGlyph* glyph = drawingGlyph(c);
        if (!glyph)
            continue;
        for (int column = 0; column < glyph->columnCount; ++column) {
            const qint64 x = position + qint64(kColumnPitch) * column + kColumnOffset;
            for (int hole = 0; hole < 5; ++hole) {
                if (glyph->columns[size_t(column)] & (1u << hole))
                    dots.append({int(std::min<qint64>(x, std::numeric_limits<int>::max())), kHoleRows[hole],
                                 kHoleWidth});
            }
        }
        position += glyph->advance;
    }
    return dots;
}

qint64 glyphAdvance(QStringView text) {
    qint64 position = 0;
    for (const QChar c : text) {
        if (const TapeGlyph* glyph = drawingGlyph(c))
            position += glyph->advance;
    }
    return position;
}

QList<TapeDot> feedHoleDots(qsizetype count) {
    QList<TapeDot> dots;
    const qint64 end = qint64(kFeedPerCharacter) * std::max<qsizetype>(count, 0);
    dots.reserve(qsizetype(end / kFeedPitch + 1));
    for (qint64 x = 1; x <= end && x <= std::numeric_limits<int>::max(); x += kFeedPitch)
        dots.append({int(x), kFeedRow, kFeedWidth});
    return dots;
}

QList<TapeDot> previewDots(QStringView text) {
    if (text.isEmpty())
        return {};
    QList<TapeDot> dots = feedHoleDots(text.size());
    dots += glyphDots(text);
    return dots;
}

int pictureWidth(const QList<TapeDot>& dots) {
    qint64 right = 0;
    for (const TapeDot& dot : dots)
        right = std::max<qint64>(right, qint64(dot.x) + (dot.width + 1) / 2);
    return int(std::clamp<qint64>(right + kColumnOffset, kPictureWidth, std::numeric_limits<int>::max()));
}

} // namespace vornal::TapeGeometry
