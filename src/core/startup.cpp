#include "startup.h"

#include "seriallink.h"
#include "settingsstore.h"
#include "userdialogs.h"

namespace vornal::Startup {

QString startDateText(const QDate& date) {
    return date.toString(QStringLiteral("dd-MM-yyyy"));
}

QString windowTitle(const QString& titleSuffix) {
    return QStringLiteral("Vornal USB Terminal  ") + titleSuffix;
}

FontSetting storedFont(const SettingsStore& store) {
    FontSetting font;
    font.name = store.value(QStringLiteral("Font"), QStringLiteral("FontName"), QStringLiteral("Arial"));
    if (font.name.isEmpty())
        return font;
    font.apply = true;
    bool ok = false;
    const double size =
        store.value(QStringLiteral("Font"), QStringLiteral("FontSize"), QStringLiteral("14")).toDouble(&ok);
    // A damaged size keeps the default rather than an unreadable terminal.
    font.pointSize = ok && size >= 4 && size <= 200 ? size : 14;
    return font;
}

namespace {

bool readInteger(const QString& text, int* out) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || value < -2147483648.0 || value > 2147483647.0)
        return false;
    *out = int(value);
    return true;
}

} // namespace

bool applyStoredPortSettings(SerialLink& link, const SettingsStore& store, UserDialogs& dialogs,
                             QString* echo) {
    const QString section = QStringLiteral("Properties");
    const QString settings = store.value(section, QStringLiteral("Settings"));
    if (!settings.isEmpty() && !link.setSettings(settings)) {
        dialogs.warning(link.lastError().text);
        return false;
    }
    QString error;
    const QString port = store.value(section, QStringLiteral("CommPort"));
    if (!port.isEmpty()) {
        int number = 0;
        if (!readInteger(port, &number))
            error = QStringLiteral("The stored port number \"%1\" is not a number").arg(port);
        else if (!link.setPortNumber(number))
            error = link.lastError().text;
    }
    const QString flow = store.value(section, QStringLiteral("Handshaking"));
    if (!flow.isEmpty()) {
        int code = 0;
        if (!readInteger(flow, &code))
            error = QStringLiteral("The stored flow control \"%1\" is not a number").arg(flow);
        else if (!link.setHandshaking(code))
            error = link.lastError().text;
    }
    if (!error.isEmpty()) {
        dialogs.warning(error);
        return false;
    }
    *echo = store.value(section, QStringLiteral("Echo"));
    return true;
}

Look parseSwitches(const QString& commandLine) {
    Look look = Look::Unchanged;
    if (commandLine.isEmpty())
        return look;
    const QStringList words = commandLine.split(QLatin1Char(' '));
    static const QStringList kColours = {QStringLiteral("/Color1"), QStringLiteral("/Color2"),
                                         QStringLiteral("/Color3"), QStringLiteral("/Color4")};
    for (qsizetype i = 0; i < words.size() && i < 11; ++i) {
        if (words[i] == QLatin1String("/steam"))
            look = Look::Steam;
        else if (const qsizetype c = kColours.indexOf(words[i]); c >= 0)
            look = static_cast<Look>(int(Look::Color1) + c);
    }
    return look;
}

} // namespace vornal::Startup
