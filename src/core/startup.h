#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace vornal {

class SerialLink;
class SettingsStore;
class UserDialogs;

// The pieces of the main window's start-up that need no window.
namespace Startup {

QString startDateText(const QDate& date);
QString windowTitle(const QString& titleSuffix);

struct FontSetting {
    QString name;
    double pointSize = 14;
    bool apply = false; // an empty stored name leaves the font alone
};
FontSetting storedFont(const SettingsStore& store);

// Gives the stored line settings, port number and flow control to the link. Returns
// false after showing the refusal to the operator.
bool applyStoredPortSettings(SerialLink& link, const SettingsStore& store, UserDialogs& dialogs,
                             QString* echo);

// The look chosen on the command line, two choices of their own: the skin ("/steam")
// and the colour scheme ("/Color1" to "/Color4"). Each stays Unchanged without its switch.
enum class SkinSwitch { Unchanged, Steam };
enum class ColourSwitch { Unchanged, Color1, Color2, Color3, Color4 };
struct Look {
    SkinSwitch skin = SkinSwitch::Unchanged;
    ColourSwitch colours = ColourSwitch::Unchanged;
    friend bool operator==(const Look&, const Look&) = default;
};
// The arguments split at every blank; only the first 11 words count, and a later
// switch overrides an earlier one of its kind.
Look parseSwitches(const QString& commandLine);

} // namespace Startup
} // namespace vornal
