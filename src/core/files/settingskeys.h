#pragma once

// The sections and keys of the settings store, by the names the program has always
// written. Product, tests and tools name them from here.
namespace vornal::SettingsKeys {

// [Window]: the main window's place and size.
constexpr const char* kWindow = "Window";
constexpr const char* kLeft = "Left";
constexpr const char* kTop = "Top";
constexpr const char* kWidth = "Width";
constexpr const char* kHeight = "Height";
constexpr const char* kMaximized = "Maximized";

// [Log]: the traffic log.
constexpr const char* kLog = "Log";
constexpr const char* kEnabled = "Enabled";

// [Font]: the terminal's font, chosen with "Font".
constexpr const char* kFont = "Font";
constexpr const char* kFontName = "FontName";
constexpr const char* kFontSize = "FontSize";
constexpr const char* kFontColor = "FontColor";

// [Properties]: the port's settings, stored by the port settings window.
constexpr const char* kProperties = "Properties";
constexpr const char* kSettings = "Settings";
constexpr const char* kCommPort = "CommPort";
constexpr const char* kHandshaking = "Handshaking";
constexpr const char* kEcho = "Echo";

// [Ports]: the device behind each port number, keyed by the number.
constexpr const char* kPorts = "Ports";

// [HeadlineSelect]: the headline set chosen last, stored at exit.
constexpr const char* kHeadlineSelect = "HeadlineSelect";
constexpr const char* kOption = "Option";

} // namespace vornal::SettingsKeys
