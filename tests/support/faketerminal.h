#pragma once

#include "fakeclock.h"
#include "fakeseriallink.h"
#include "faultingfilewriter.h"
#include "features/allfeatures.h"
#include "files/programfiles.h"
#include "files/programfolder.h"
#include "files/reportingsettingsstore.h"
#include "look/objectnames.h"
#include "memorysettingsstore.h"
#include "recordingdesktoplauncher.h"
#include "recordingsoundplayer.h"
#include "scripteddialogs.h"
#include "scriptedrunner.h"
#include "testfiles.h"
#include "window/terminalwindow.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

namespace vornal {

// The main window on fakes, in a temporary program folder that holds a configuration
// file unless told otherwise. For widget tests, which link the windows.
struct FakeTerminal {
    static constexpr const char* kConfiguration =
        "0\r\n// comment\r\ndd.mm.yyyy\r\nSTATION\r\n127.0.0.1\r\n\r\n\r\n0.05 s\r\n11150\r\n11151\r\n";

    QTemporaryDir dir;
    FakeSerialLink link;
    ScriptedDialogs dialogs;
    MemorySettingsStore settings;
    // What the window writes through, as in the program: failures are told once.
    ReportingSettingsStore reportingSettings{settings, dialogs};
    FakeClock clock;
    // What the program folder's files are written with, so that a test can fill the disk.
    FaultingFileWriter files;
    RecordingSoundPlayer sound;
    ScriptedRunner runner;
    RecordingDesktopLauncher desktop;
    std::unique_ptr<TerminalWindow> window;

    // The configuration above with another pause after each character ("0.01 s").
    static QByteArray withCharDelay(const char* delay) {
        return QByteArray(kConfiguration).replace("0.05 s", delay);
    }

    explicit FakeTerminal(const QByteArray& configuration = kConfiguration, bool writeConfiguration = true) {
        if (writeConfiguration)
            writeFile(programFile(ProgramFiles::kConfiguration), configuration);
    }

    // Builds the window with every feature attached, then loads and shows it;
    // beforeLoad may connect to its signals first.
    TerminalWindow& make(const QString& commandLine = {},
                         const std::function<void(TerminalWindow&)>& beforeLoad = {}) {
        window = std::make_unique<TerminalWindow>(TerminalServices{link, dialogs, reportingSettings,
                                                                   ProgramFolder(dir.path(), &files), clock,
                                                                   sound, runner, desktop});
        attachFeatures(window->features());
        if (beforeLoad)
            beforeLoad(*window);
        window->load(commandLine);
        window->show();
        return *window;
    }

    QString path(const QString& name) const { return dir.filePath(name); }
    void writeFile(const QString& name, const QByteArray& bytes) const {
        QFile f(path(name));
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }
    QByteArray fileBytes(const QString& name) const {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    template <typename T> T* find(const QString& name) const {
        T* w = window->findChild<T*>(name);
        if (!w)
            qWarning("no control %s", qPrintable(name));
        return w;
    }
    QPushButton* button(const QString& name) const { return find<QPushButton>(name); }
    void click(const QString& name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    // The caption of a label or a button.
    QString text(const QString& name) const {
        if (auto* l = window->findChild<QLabel*>(name))
            return l->text();
        if (auto* b = window->findChild<QPushButton*>(name))
            return b->text();
        return QStringLiteral("<missing>");
    }

    // File and control names in tests are ASCII literals.
    QString path(const char* name) const { return path(QString::fromLatin1(name)); }
    template <typename T> T* find(const char* name) const { return find<T>(QString::fromLatin1(name)); }
    QPushButton* button(const char* name) const { return button(QString::fromLatin1(name)); }
    void click(const char* name) { click(QString::fromLatin1(name)); }
    QString text(const char* name) const { return text(QString::fromLatin1(name)); }

    // A call up, as the operator makes one: "Call" on the open port (byte 1 to the box).
    void call() { click(ObjectNames::kLblCall); }
};

} // namespace vornal
