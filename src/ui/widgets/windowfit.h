#pragma once

#include <QSize>

namespace vornal {

// The smallest screen the program is made for, and the room a desktop's title bar and
// edges take around a window.
inline constexpr QSize kSmallestScreen{1024, 700};
inline constexpr QSize kWindowFrame{16, 40};

// A window's first size: what it asks for, but no larger than the smallest screen less
// the frame, so that it opens wholly on it with all its buttons.
QSize fittingSize(QSize wanted);

} // namespace vornal
