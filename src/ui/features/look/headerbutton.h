#pragma once

#include <QString>

class QLabel;
class QPushButton;

namespace vornal {

// A button of the header's control rows: its caption, its tip as the tooltip and the
// accessible description, the header's button look; a click leaves the keyboard with
// the terminal.
QPushButton* makeHeaderButton(const QString& name, const QString& caption, const QString& tip);
// The small caption in front of a group of header buttons.
QLabel* makeHeaderCaption(const QString& text);

} // namespace vornal
