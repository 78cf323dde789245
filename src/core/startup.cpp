#include "startup.h"

#include "files/settingskeys.h"
#include "files/settingsstore.h"
#include "serial/seriallink.h"
#include "userdialogs.h"

#include <cfenv>
#include <cmath>

namespace vornal::Startup {

QString startDateText(const QDate& date) {
    return date.toString(QStringLiteral("dd-MM-yyyy"));
}

QString windowTitle(const QString& titleSuffix) {
    return QStringLiteral("Vornal USB Terminal  ") + titleSuffix;
}

FontSetting storedFont(const SettingsStore& store) {
    FontSetting font;
    font.name =
        store.value(QString(SettingsKeys::kFont), QString(SettingsKeys::kFontName), QStringLiteral("Arial"));
    if (font.name.isEmpty())
        return font;
    font.apply = true;
    bool ok = false;
    const double size =
        store.value(QString(SettingsKeys::kFont), QString(SettingsKeys::kFontSize), QStringLiteral("14"))
            .toDouble(&ok);
    // A damaged size keeps the default rather than an unreadable terminal.
    font.pointSize = ok && size >= 4 && size <= 200 ? size : 14;
    return font;
}

namespace {

enum class Stored { Number, NotANumber, OutOfRange };

// A stored number as the settings give it to an integer property: rounded to the
// nearest integer, halves to the even neighbour, within the property's type. "nan"
// and "inf" read as numbers without a value in any range; they never reach the cast.
Stored readInteger(const QString& text, double lowest, double highest, int* out) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok)
        return Stored::NotANumber;
    if (!std::isfinite(value))
        return Stored::OutOfRange;
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    if (rounded < lowest || rounded > highest)
        return Stored::OutOfRange;
    *out = static_cast<int>(rounded);
    return Stored::Number;
}

} // namespace

bool applyStoredPortSettings(SerialLink& link, const SettingsStore& store, UserDialogs& dialogs,
                             QString* echo) {
    const QString section = QString(SettingsKeys::kProperties);
    const QString settings = store.value(section, QString(SettingsKeys::kSettings));
    if (!settings.isEmpty() && !link.setSettings(settings)) {
        dialogs.warning(link.lastError().text);
        return false;
    }
    QString error;
    // The port number is a 16-bit property, the flow control a 32-bit one.
    const QString port = store.value(section, QString(SettingsKeys::kCommPort));
    if (!port.isEmpty()) {
        int number = 0;
        switch (readInteger(port, -32768.0, 32767.0, &number)) {
        case Stored::NotANumber:
            error = QStringLiteral("The stored port number \"%1\" is not a number").arg(port);
            break;
        case Stored::OutOfRange:
            error = QStringLiteral("Invalid port number %1 (ports are 1 to 32)").arg(port.trimmed());
            break;
        case Stored::Number:
            if (!link.setPortNumber(number))
                error = link.lastError().text;
            break;
        }
    }
    const QString flow = store.value(section, QString(SettingsKeys::kHandshaking));
    if (!flow.isEmpty()) {
        int code = 0;
        switch (readInteger(flow, -2147483648.0, 2147483647.0, &code)) {
        case Stored::NotANumber:
            error = QStringLiteral("The stored flow control \"%1\" is not a number").arg(flow);
            break;
        case Stored::OutOfRange:
            error = QStringLiteral("Invalid flow control %1 (0 to 3 are known)").arg(flow.trimmed());
            break;
        case Stored::Number:
            if (!link.setHandshaking(code))
                error = link.lastError().text;
            break;
        }
    }
    if (!error.isEmpty()) {
        dialogs.warning(error);
        return false;
    }
    *echo = store.value(section, QString(SettingsKeys::kEcho));
    return true;
}

Look parseSwitches(const QString& commandLine) {
    Look look;
    if (commandLine.isEmpty())
        return look;
    const QStringList words = commandLine.split(QLatin1Char(' '));
    static const QStringList kColours = {QStringLiteral("/Color1"), QStringLiteral("/Color2"),
                                         QStringLiteral("/Color3"), QStringLiteral("/Color4")};
    for (qsizetype i = 0; i < words.size() && i < 11; ++i) {
        if (words[i] == QLatin1String("/steam"))
            look.skin = SkinSwitch::Steam;
        else if (const qsizetype c = kColours.indexOf(words[i]); c >= 0)
            look.colours = static_cast<ColourSwitch>(int(ColourSwitch::Color1) + c);
    }
    return look;
}

} // namespace vornal::Startup
