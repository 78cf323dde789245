#pragma once

class QWidget;

namespace vornal {

// What assistive technology is told where the widgets' own interfaces say too little:
// the lamps give their state as a value and as checked, the line bar the characters of
// the line as its value, and the panels are groups inside the main window. Installed
// once, by the main window.
void installAccessibility();
// Reports a panel of the main window as a group; named by its accessible name, or else
// by its first label in reading order (its heading).
void markAsGroup(QWidget* panel);

} // namespace vornal
