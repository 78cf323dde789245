#pragma once

#include "clock.h"
#include "features/allfeatures.h"
#include "files/programfolder.h"
#include "files/settingskeys.h"
#include "files/settingsstore.h"
#include "look/objectnames.h"
#include "recordingdesktoplauncher.h"
#include "recordingsoundplayer.h"
#include "scripteddialogs.h"
#include "scriptedrunner.h"
#include "serial/portmap.h"
#include "serial/qserialportlink.h"
#include "window/terminalwindow.h"

#include <QFile>
#include <QPushButton>

namespace vornal {

// The main window on the real serial link, with port 1 mapped to a device (a
// pseudo-terminal), in a program folder of the caller's; dialogs are scripted.
// For end-to-end tests and benchmarks, which link the windows.
struct RealTerminal {
    IniSettingsStore settings;
    QSerialPortLink link;
    ScriptedDialogs dialogs;
    SystemClock clock;
    RecordingSoundPlayer sound;
    ScriptedRunner runner;
    RecordingDesktopLauncher desktop;
    TerminalWindow window;

    RealTerminal(const QString& folder, const QString& device)
        : settings(folder + QStringLiteral("/settings.ini")),
          link(PortMap(withPort(settings, device), [] { return QStringList(); })),
          window({link, dialogs, settings, ProgramFolder(folder), clock, sound, runner, desktop}) {
        attachFeatures(window.features());
        window.load(QString());
        window.show();
        dialogs.messages.clear(); // a folder without a configuration file says so
    }

    static const SettingsStore& withPort(IniSettingsStore& store, const QString& device) {
        store.setValue(SettingsKeys::kPorts, QStringLiteral("1"), device);
        return store;
    }

    template <typename T = QPushButton> T* find(QAnyStringView name) const {
        return window.findChild<T*>(name.toString());
    }
    void click(QAnyStringView name) { find<QPushButton>(name)->click(); }
    // Opens the port as the operator does; false (the messages say why) when it stays shut.
    bool open() {
        click(ObjectNames::kLblOpen1);
        return link.isOpen();
    }
    QString messages() const { return dialogs.texts().join(QLatin1Char('\n')); }
    // A call up, as the operator makes one: "Call" on the open port (byte 1 to the box).
    void call() { click(ObjectNames::kLblCall); }

    // A configuration file whose only value is the pause after each character, in
    // seconds ("0.005"), for the terminal started in the folder next.
    [[nodiscard]] static bool writeConfiguration(const QString& folder, const char* charDelay) {
        QFile file(folder + QStringLiteral("/VornalUsb.cfg"));
        const QByteArray bytes =
            QByteArray("0\r\ndd.mm.yyyy\r\nSTATION\r\n\r\n\r\n\r\n") + charDelay + "\r\n";
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
};

} // namespace vornal
