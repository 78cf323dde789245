#pragma once

#include "files/programfolder.h"

namespace vornal {

class Clock;
class DesktopLauncher;
class SerialLink;
class SettingsStore;
class SoundPlayer;
class UserDialogs;
class WindowRunner;

// What the session is given: every outside service passes through here, so that a
// test can hand in its own.
struct TerminalServices {
    SerialLink& link;
    UserDialogs& dialogs;
    SettingsStore& settings;
    ProgramFolder folder;
    Clock& clock;
    SoundPlayer& sound;
    WindowRunner& runner;
    DesktopLauncher& desktop;

    // The same services on another link (the window's, which announces the traffic).
    TerminalServices onLink(SerialLink& other) const {
        return {other, dialogs, settings, folder, clock, sound, runner, desktop};
    }
};

} // namespace vornal
