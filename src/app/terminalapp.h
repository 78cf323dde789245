#pragma once

#include <functional>

namespace vornal {

class SerialLink;
class TerminalWindow;
class UserDialogs;
class WindowRunner;

// What outside automation (the demo's tour, the screenshots) puts in place of the
// program's own services or adds to its start; whatever is left empty stays the real one.
struct TerminalSeams {
    // Given the real serial link, the link the window uses (one that wraps it).
    std::function<SerialLink*(SerialLink& real)> link = {};
    UserDialogs* dialogs = nullptr;
    WindowRunner* runner = nullptr;
    // Runs once the window is loaded, before it is shown (a window size of its own).
    std::function<void(TerminalWindow&)> loaded = {};
};

// The program: its services, the main window with every feature attached, loaded
// with the command line and shown, then the event loop until the program ends.
// `started` runs once the loop runs, for outside automation (tools/scripted).
// A QApplication must exist.
int runTerminal(const std::function<void(TerminalWindow&)>& started = {}, const TerminalSeams& seams = {});

} // namespace vornal
