#pragma once

#include <QString>

class QGridLayout;
class QPushButton;

namespace vornal {

// A button of the main window and its panels: named, its tip also its description. It
// takes the keyboard when reached with Tab, but a click leaves the focus where it was
// (normally the terminal), so that what the operator types next, a number after
// "Call" say, goes to the line.
QPushButton* makeCommandButton(const QString& name, const QString& caption, const QString& tip);

// A command button in the next cell of a two-column grid, filled row by row.
QPushButton* appendCommandButton(QGridLayout* grid, const QString& name, const QString& caption,
                                 const QString& tip);

} // namespace vornal
