#pragma once

#include "theme/themerole.h"

#include <QString>

class QLabel;

namespace vornal {

// A caption the program writes over or in front of other controls, in the role's look:
// a field's label, a panel's heading, the caption of a group of header controls.
QLabel* makeCaptionLabel(const QString& caption, ThemeRole role = ThemeRole::FieldLabel);
// A label showing the operator's or the system's data: plain text, no mnemonic.
QLabel* makeDataLabel(const QString& name, const QString& tip);

} // namespace vornal
