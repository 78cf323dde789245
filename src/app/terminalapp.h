#pragma once

#include <functional>

namespace vornal {

class TerminalWindow;

// The program: its services, the main window with every feature attached, loaded
// with the command line and shown, then the event loop until the program ends.
// `started` runs once the loop runs, for outside automation (the screenshot tool).
// A QApplication must exist.
int runTerminal(const std::function<void(TerminalWindow&)>& started = {});

} // namespace vornal
