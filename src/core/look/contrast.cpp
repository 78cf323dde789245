#include "look/contrast.h"

#include <algorithm>
#include <cmath>

namespace vornal {

namespace {

double linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

} // namespace

double Contrast::relativeLuminance(quint32 rgb) {
    return 0.2126 * linear(int((rgb >> 16) & 0xff)) + 0.7152 * linear(int((rgb >> 8) & 0xff)) +
           0.0722 * linear(int(rgb & 0xff));
}

double Contrast::ratio(quint32 a, quint32 b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

double Contrast::worstRatio(quint32 colour, const QList<quint32>& neighbours) {
    double worst = 21.0;
    for (const quint32 n : neighbours)
        worst = std::min(worst, ratio(colour, n));
    return worst;
}

quint32 Contrast::pick(const QList<quint32>& candidates, const QList<quint32>& neighbours, double minimum) {
    quint32 best = 0;
    double bestRatio = -1.0;
    for (const quint32 c : candidates) {
        const double r = worstRatio(c, neighbours);
        if (r >= minimum)
            return c;
        if (r > bestRatio) {
            best = c;
            bestRatio = r;
        }
    }
    return best;
}

} // namespace vornal
