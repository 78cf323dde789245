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

} // namespace vornal::SettingsKeys
