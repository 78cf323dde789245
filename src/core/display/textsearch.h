#pragma once

#include <QString>

namespace vornal {

// Finding a text in the terminal text, as the find bar does: without regard to case,
// and round the end, so that "Next" after the last match finds the first again.
namespace TextSearch {

enum class Direction { Forward, Backward };

// The position of `needle` in `text`: forward, the first match that starts at or after
// `from`, else the first of all; backward, the last match that ends at or before
// `from`, else the last of all. -1 when there is none (or the needle is empty).
qsizetype find(const QString& text, const QString& needle, qsizetype from, Direction direction);

} // namespace TextSearch
} // namespace vornal
