#include "theme/themerole.h"

#include <QString>
#include <QVariant>
#include <QWidget>

namespace vornal {

const char* themeRoleName(ThemeRole role) {
    switch (role) {
    case ThemeRole::FieldLabel:
        return "fieldLabel";
    case ThemeRole::FieldValue:
        return "fieldValue";
    case ThemeRole::CallPanel:
        return "callPanel";
    case ThemeRole::PanelHeading:
        return "panelHeading";
    case ThemeRole::PanelSubheading:
        return "panelSubheading";
    case ThemeRole::PanelHint:
        return "panelHint";
    case ThemeRole::CallSlot:
        return "callSlot";
    case ThemeRole::HeaderButton:
        return "headerButton";
    case ThemeRole::HeaderCaption:
        return "headerCaption";
    }
    return "";
}

void setThemeRole(QWidget* widget, ThemeRole role) {
    widget->setProperty("class", QString::fromLatin1(themeRoleName(role)));
}

} // namespace vornal
