#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

namespace vornal {

// A button picture drawn from one character of the system's fonts ("?", a house, a
// pencil), so that picture buttons need no image files and scale with the screen.
QIcon glyphIcon(const QString& glyph, const QColor& colour);

} // namespace vornal
