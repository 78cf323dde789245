#pragma once

#include <QString>
#include <QStringList>

namespace vornal {

// The lines of a text file: a line ends at CR LF, CR or LF, so a file edited on any
// system reads the same. A line end at the very end gives no extra empty line.
QStringList splitTextLines(const QString& text);

} // namespace vornal
