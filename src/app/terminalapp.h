#pragma once

#include <functional>

namespace vornal {

class SerialLink;
class TerminalWindow;
class UserDialogs;
class WindowRunner;

// What outside automation (the demo's tour) puts in place of the program's own
// services; whatever is left empty stays the real one.
struct TerminalSeams {
    // Given the real serial link, the link the window uses (one that wraps it).
    std::function<SerialLink*(SerialLink& real)> link = {};
    UserDialogs* dialogs = nullptr;
    WindowRunner* runner = nullptr;
};

// The program: its services, the main window with every feature attached, loaded
// with the command line and shown, then the event loop until the program ends.
// `started` runs once the loop runs, for outside automation (the screenshot tool).
// A QApplication must exist.
int runTerminal(const std::function<void(TerminalWindow&)>& started = {}, const TerminalSeams& seams = {});

} // namespace vornal
