#pragma once

#include <QList>
#include <QtGlobal>

namespace vornal {

// Contrast between colours as the accessibility guidelines measure it. Colours are
// 0xRRGGBB (any alpha byte is ignored).
class Contrast {
public:
    // 0 for black to 1 for white, from the linearised sRGB channels.
    static double relativeLuminance(quint32 rgb);
    // (lighter + 0.05) / (darker + 0.05): 1 for equal colours, 21 for black on white.
    static double ratio(quint32 a, quint32 b);
    // The lowest ratio of `colour` against every one of `neighbours`.
    static double worstRatio(quint32 colour, const QList<quint32>& neighbours);
    // The first candidate whose worst ratio against the neighbours reaches `minimum`;
    // when none does, the one that comes closest. 0 (black) without candidates.
    static quint32 pick(const QList<quint32>& candidates, const QList<quint32>& neighbours, double minimum);
};

} // namespace vornal
