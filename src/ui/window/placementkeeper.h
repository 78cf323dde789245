#pragma once

class QWidget;

namespace vornal {

class SettingsStore;

// Where the main window goes: at start the placement kept from the last run where it
// fits a screen, else centred in the available area and no larger; once shown, with
// the window manager's frame known, kept wholly on its screen; at the end kept in the
// settings store for the next run.
class PlacementKeeper {
public:
    PlacementKeeper(QWidget& window, SettingsStore& settings);

    void place();
    // The window has been shown for the first time.
    void shown();
    void store();

private:
    QWidget& m_window;
    SettingsStore& m_settings;
    bool m_centred = false; // placed in the middle of the screen, not where it was kept
};

} // namespace vornal
