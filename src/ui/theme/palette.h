#pragma once

#include <QColor>
#include <QString>

// Every fixed shade of the window's look, named for what it paints. Each is a QColor,
// so code paints with it directly; a style sheet takes it as sheetText() writes it.
// The colours a theme role starts with (Theme::setSkin) are here too; the colour
// numbers of the program's own files and tables (Theme::fromColourValue) are not.
namespace vornal::ThemeColours {

// The shade as a style sheet writes it: "#rrggbb", or "rgba(r, g, b, a)" when it is
// not solid.
inline QString sheetText(const QColor& shade) {
    if (shade.alpha() == 255)
        return shade.name();
    return QStringLiteral("rgba(%1, %2, %3, %4)")
        .arg(shade.red())
        .arg(shade.green())
        .arg(shade.blue())
        .arg(shade.alpha());
}

// The indicator lamps: lit green when active, grey when idle, amber on a change.
inline constexpr QColor kLampLit{0x2e, 0xcc, 0x40};
inline constexpr QColor kLampIdle{0x9a, 0xa3, 0xad};
inline constexpr QColor kLampChanged{0xff, 0xa5, 0x00};

// The Standard skin's roles: slate chrome around white panels.
inline constexpr QColor kStandardWindow{0xee, 0xf1, 0xf5};
inline constexpr QColor kStandardHeader{0x1f, 0x2a, 0x38};
inline constexpr QColor kStandardHeaderText{0xe8, 0xee, 0xf5};
inline constexpr QColor kStandardPanel{0xff, 0xff, 0xff};
inline constexpr QColor kStandardPanelBorder{0xd5, 0xdb, 0xe3};
inline constexpr QColor kStandardText{0x1f, 0x2a, 0x38};
inline constexpr QColor kStandardMutedText{0x5b, 0x6b, 0x7c};
inline constexpr QColor kStandardAccent{0x3b, 0x7d, 0xd8};
inline constexpr QColor kStandardDanger{0xb9, 0x3b, 0x3b};
inline constexpr QColor kStandardKlklFace{0x1f, 0x2a, 0x38};
inline constexpr QColor kKlklLampOff{0x4a, 0x53, 0x60}; // the klkl switch's lamp while the answer is off
inline constexpr QColor kListBase{0xff, 0xff, 0xff};    // the background of the lists and tables

// The Standard skin's sheet.
inline constexpr QColor kVersionHoverText{0xff, 0xff, 0xff};
inline constexpr QColor kTitleSubtext{0x9f, 0xb0, 0xc3};  // beside the version in the header
inline constexpr QColor kHeadingText{0x2b, 0x3a, 0x4b};   // group box titles and panel headings
inline constexpr QColor kControlBorder{0xc9, 0xd1, 0xdb}; // buttons, the terminal text, line edits
inline constexpr QColor kButtonFace{0xf4, 0xf6, 0xf9};
inline constexpr QColor kButtonHoverFace{0xe4, 0xeb, 0xf3};
inline constexpr QColor kButtonHoverBorder{0x8f, 0xa6, 0xbf};
inline constexpr QColor kButtonPressedFace{0xd3, 0xdf, 0xec};
inline constexpr QColor kButtonDisabledText{0x9a, 0xa3, 0xad};
inline constexpr QColor kButtonDisabledFace{0xf7, 0xf8, 0xfa};
inline constexpr QColor kButtonDisabledBorder{0xe1, 0xe5, 0xea};
inline constexpr QColor kStrongButtonText{0xff, 0xff, 0xff}; // on the open and exit buttons
inline constexpr QColor kOpenFace{0x2f, 0x6f, 0xbd};
inline constexpr QColor kOpenBorder{0x2a, 0x64, 0xab};
inline constexpr QColor kExitBorder{0xa3, 0x34, 0x34};
inline constexpr QColor kExitHoverFace{0xcc, 0x47, 0x47};
inline constexpr QColor kSlotDivider{0xee, 0xf1, 0xf5}; // the line under each call slot
inline constexpr QColor kSlotFocusFace{0xea, 0xf1, 0xfb};
// The header's own buttons: white laid thinly over the header.
inline constexpr QColor kHeaderButtonFace{0xff, 0xff, 0xff, 20};
inline constexpr QColor kHeaderButtonBorder{0xff, 0xff, 0xff, 50};
inline constexpr QColor kHeaderButtonHoverFace{0xff, 0xff, 0xff, 45};
inline constexpr QColor kHeaderButtonPressedFace{0xff, 0xff, 0xff, 70};

// The Steampunk skin's roles: brass, copper and parchment on dark wood.
inline constexpr QColor kSteamWindow{0x3a, 0x2a, 0x1c};
inline constexpr QColor kSteamHeader{0x2a, 0x1c, 0x12};
inline constexpr QColor kSteamHeaderText{0xf0, 0xd9, 0xa8};
inline constexpr QColor kSteamPanel{0xf4, 0xea, 0xd5};
inline constexpr QColor kSteamPanelBorder{0xa6, 0x7c, 0x3d};
inline constexpr QColor kSteamText{0x3b, 0x2a, 0x1a};
inline constexpr QColor kSteamMutedText{0x7a, 0x5c, 0x3a};
inline constexpr QColor kSteamAccent{0xb8, 0x73, 0x2e};
inline constexpr QColor kSteamDanger{0xad, 0x3a, 0x24};
inline constexpr QColor kSteamKlklFace{0x3b, 0x2a, 0x1a};

// What the Steampunk skin's sheet dresses differently. A button's face is a gradient
// from top to bottom.
inline constexpr QColor kSteamTitleFace{0x2a, 0x1c, 0x12, 215}; // behind the group box titles
inline constexpr QColor kSteamFaceTop{0xfb, 0xf3, 0xe2};
inline constexpr QColor kSteamFaceBottom{0xea, 0xd8, 0xb4};
inline constexpr QColor kSteamControlBorder{0xb9, 0x9a, 0x66}; // buttons and line edits
inline constexpr QColor kSteamHoverFaceTop{0xff, 0xf8, 0xea};
inline constexpr QColor kSteamHoverFaceBottom{0xf0, 0xdf, 0xbd};
inline constexpr QColor kSteamPressedFace{0xdc, 0xc4, 0x9a};
inline constexpr QColor kSteamDisabledText{0xab, 0x9b, 0x82};
inline constexpr QColor kSteamDisabledFace{0xf1, 0xe8, 0xd6};
inline constexpr QColor kSteamDisabledBorder{0xdc, 0xcd, 0xb1};
inline constexpr QColor kSteamStrongButtonText{0xff, 0xf8, 0xea}; // on the open and exit buttons
inline constexpr QColor kSteamOpenBorder{0x8a, 0x55, 0x22};
inline constexpr QColor kSteamOpenHoverFace{0xc9, 0x86, 0x40};
inline constexpr QColor kSteamExitBorder{0x7a, 0x24, 0x18};
inline constexpr QColor kSteamExitHoverFace{0xb2, 0x3a, 0x27};
inline constexpr QColor kSteamSlotDivider{0xe6, 0xd7, 0xb8};
inline constexpr QColor kSteamSlotHoverFace{0xef, 0xe0, 0xc2};
inline constexpr QColor kSteamSlotPressedFace{0xe2, 0xcc, 0x9f};
inline constexpr QColor kSteamSlotFocusFace{0xf3, 0xe6, 0xcb};
inline constexpr QColor kSteamCurrentHeaderButton{0xe8, 0xb0, 0x4a}; // the frame of the chosen look

// The colours a keyboard focus ring may take, in the order they are tried.
inline constexpr QColor kFocusRingAmber{0xd3, 0x54, 0x00};
inline constexpr QColor kFocusRingBlack{0x00, 0x00, 0x00};
inline constexpr QColor kFocusRingWhite{0xff, 0xff, 0xff};

// The track of the line-length bar, under its coloured part.
inline constexpr QColor kLineBarTrack{0xe3, 0xe7, 0xec};
// The rows of the list windows whose tick box is ticked.
inline constexpr QColor kReceiverTicked{255, 207, 128};
inline constexpr QColor kFavouriteTicked{192, 255, 192};
// The punch panel's picture of the tape: light yellow paper, dark grey dots.
inline constexpr QColor kPunchPaper{255, 255, 192};
inline constexpr QColor kPunchDots{64, 64, 64};

} // namespace vornal::ThemeColours
