#pragma once

class QWidget;

namespace vornal {

// The looks the theme's sheet gives by role rather than by object name.
enum class ThemeRole {
    FieldLabel,      // the caption in front of a value
    FieldValue,      // a value shown in a group
    CallPanel,       // a panel beside or under the terminal text
    PanelHeading,    // a panel's title
    PanelSubheading, // a title inside a panel's list
    PanelHint,       // a panel's small explaining text
    CallSlot,        // a row of the call lists and of the phrases
    HeaderButton,    // a control of the header's rows
    HeaderCaption,   // the caption in front of a group of header controls
};

// Gives the widget the role's look; the sheet selects on it.
void setThemeRole(QWidget* widget, ThemeRole role);
// The role's name as the sheet selects on it.
const char* themeRoleName(ThemeRole role);

} // namespace vornal
