#pragma once

#include <QLatin1StringView>

// The sections and keys of the settings store, by the names the program has always
// written. Product, tests and tools name them from here.
namespace vornal::SettingsKeys {

// [Window]: the main window's place and size.
inline constexpr QLatin1StringView kWindow{"Window"};
inline constexpr QLatin1StringView kLeft{"Left"};
inline constexpr QLatin1StringView kTop{"Top"};
inline constexpr QLatin1StringView kWidth{"Width"};
inline constexpr QLatin1StringView kHeight{"Height"};
inline constexpr QLatin1StringView kMaximized{"Maximized"};

// [Log]: the traffic log.
inline constexpr QLatin1StringView kLog{"Log"};
inline constexpr QLatin1StringView kEnabled{"Enabled"};

// [Font]: the terminal's font, chosen with "Font".
inline constexpr QLatin1StringView kFont{"Font"};
inline constexpr QLatin1StringView kFontName{"FontName"};
inline constexpr QLatin1StringView kFontSize{"FontSize"};
inline constexpr QLatin1StringView kFontColor{"FontColor"};

// [Properties]: the port's settings, stored by the port settings window.
inline constexpr QLatin1StringView kProperties{"Properties"};
inline constexpr QLatin1StringView kSettings{"Settings"};
inline constexpr QLatin1StringView kCommPort{"CommPort"};
inline constexpr QLatin1StringView kHandshaking{"Handshaking"};
inline constexpr QLatin1StringView kEcho{"Echo"};

// [Ports]: the device behind each port number, keyed by the number.
inline constexpr QLatin1StringView kPorts{"Ports"};

// [HeadlineSelect]: the headline set chosen last, stored at exit.
inline constexpr QLatin1StringView kHeadlineSelect{"HeadlineSelect"};
inline constexpr QLatin1StringView kOption{"Option"};

} // namespace vornal::SettingsKeys
