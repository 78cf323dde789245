#pragma once

#include <QFont>

namespace vornal {

// The teleprinter's own typeface, used where the text shows as the box prints it.
inline constexpr const char* kTeleprinterFamily = "Stg 100 f.e.";

// The teleprinter font at the size when it is installed; otherwise the system's
// fixed-pitch font, at `fallbackPointSize` (its own size when 0), so that columns still
// line up.
QFont teleprinterFont(qreal pointSize, qreal fallbackPointSize);
// The fixed-pitch font of the call slots and the preset phrases.
QFont teleprinterSlotFont();

} // namespace vornal
