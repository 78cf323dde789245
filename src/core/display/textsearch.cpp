#include "display/textsearch.h"

#include <algorithm>

namespace vornal::TextSearch {

qsizetype find(const QString& text, const QString& needle, qsizetype from, Direction direction) {
    if (needle.isEmpty() || needle.size() > text.size())
        return -1;
    from = std::clamp<qsizetype>(from, 0, text.size());
    if (direction == Direction::Forward) {
        const qsizetype at = text.indexOf(needle, from, Qt::CaseInsensitive);
        return at >= 0 ? at : text.indexOf(needle, 0, Qt::CaseInsensitive);
    }
    const qsizetype lastStart = from - needle.size();
    const qsizetype at = lastStart >= 0 ? text.lastIndexOf(needle, lastStart, Qt::CaseInsensitive) : -1;
    return at >= 0 ? at : text.lastIndexOf(needle, -1, Qt::CaseInsensitive);
}

} // namespace vornal::TextSearch
