#pragma once

#include <QString>
#include <QStringView>

namespace vornal {

// What a call slot dials. The first width characters of the caption are read as a
// decimal number: blanks are skipped wherever they stand and reading stops at the
// first character that is neither a digit nor a blank. The result has no leading
// zeros or blanks; a reading without digits gives "0". Worked on the digits as
// text, so a 12-digit number never overflows.
QString slotDialNumber(QStringView caption, int width);

// The text shown in the terminal for a slot's call: four blanks and the caption.
QString slotLabelText(const QString& caption);

} // namespace vornal
