#include "display/terminalbuffer.h"
#include "fakeclock.h"
#include "faketerminal.h"
#include "files/programfiles.h"
#include "files/programfolder.h"
#include "files/reportingsettingsstore.h"
#include "files/settingskeys.h"
#include "look/objectnames.h"
#include "memorysettingsstore.h"
#include "phaseprobe.h"
#include "recordingsoundplayer.h"
#include "scripteddialogs.h"
#include "stalepixels.h"
#include "testfiles.h"
#include "widgets/indicator.h"
#include "widgets/linebar.h"
#include "widgets/terminaltextview.h"
#include "window/cancelsendwindow.h"
#include "window/propertiesdialog.h"
#include "window/terminaltext.h"
#include "window/terminalwindow.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>

using namespace vornal;

namespace {

struct Fixture : FakeTerminal {
    using FakeTerminal::FakeTerminal;
    QString terminal() const { return find<QPlainTextEdit>(ObjectNames::kTxtTerm)->toPlainText(); }
    int picture(const QString& name) const { return find<Indicator>(name)->picture(); }
};

const QLatin1StringView kPortDependent[] = {ObjectNames::kLblSendText1,   ObjectNames::kLblSendHeader,
                                            ObjectNames::kLblSendMessage, ObjectNames::kLblSendHeadlines,
                                            ObjectNames::kLblPaste,       ObjectNames::kLblPuncher};

} // namespace

class TestTerminalWindow : public QObject {
    Q_OBJECT
private slots:
    void loadWithoutStoredSettings();
    void loadWithStoredSettingsAndSwitches();
    void refusedStoredSettingsStillFinishLoad();
    void missingConfigurationIsReported();
    void openAndClosePort();
    void propertiesOnlyWhileClosed();
    void propertiesSave();
    void propertiesNameDevices_data();
    void propertiesNameDevices();
    void propertiesFollowDevices();
    void unloadWithOutputThatDoesNotDrain();
    void editConfig();
    void exitStoresHeadlineChoice();
    void exitWithUnwritableSettingsTellsAndEnds();
    void receivedTextKeepsNoUndoHistory();
    void gatheredEditsMirrorTheBuffer_data();
    void gatheredEditsMirrorTheBuffer();
    void shownPixelsMatchAFreshPaint_data();
    void shownPixelsMatchAFreshPaint();
    void controlsAreNamedButtonsWithTips();
    void fitsSmallScreen();
    void receivedTextAndCommandsInTheWindow();
    void typingGoesToTheBoxOnly();
    void klklSwitchAndAnswer();
    void cancelWindowStopsAFile();
    void sendCommandsStayOffForTheWholeTransmission();
    void clickLeavesTheKeyboardWithTheTerminal_data();
    void clickLeavesTheKeyboardWithTheTerminal();
};

void TestTerminalWindow::loadWithoutStoredSettings() {
    Fixture f;
    PhaseProbe probe;
    bool presets = false;
    TerminalWindow& w = f.make({}, [&](TerminalWindow& t) {
        probe.onLoad = [&] { presets = true; };
        t.features().addFeature(&probe);
    });
    QCOMPARE(w.windowTitle(), QStringLiteral("Vornal USB Terminal  STATION"));
    QCOMPARE(f.terminal(), QStringLiteral(" open port before using the interface "));
    QCOMPARE(f.text(ObjectNames::kLblAction), QStringLiteral("Program Parameters Loaded"));
    QCOMPARE(f.text(ObjectNames::kLblRSend_1), QStringLiteral("11150"));
    QCOMPARE(f.text(ObjectNames::kLblRsend_2), QStringLiteral("11151"));
    QVERIFY(
        f.text(ObjectNames::kLblVersion).endsWith(QStringLiteral(" USB / RS232 Vornal Teminal V 10.1.6")));
    QCOMPARE(f.text(ObjectNames::kLabel15), QStringLiteral("11/02/2024 10.1.6"));
    QCOMPARE(f.find<QPlainTextEdit>(ObjectNames::kTxtTerm)->font().family(), QStringLiteral("Arial"));
    QCOMPARE(f.find<QPlainTextEdit>(ObjectNames::kTxtTerm)->font().pointSizeF(), 14.0);
    QCOMPARE(w.session().state().StartDate, QStringLiteral("07-12-2026"));
    QCOMPARE(w.session().state().config.CharDelay, 0.05);
    QCOMPARE(w.session().state().soundMuted, true);
    QCOMPARE(w.session().state().connectionActive, false);
    QCOMPARE(f.picture(ObjectNames::kImgPort1), 2);
    QCOMPARE(f.find<LineBar>(ObjectNames::kLine1)->lengthTwips(), 0);
    QVERIFY(presets);
    QVERIFY(f.dialogs.messages.isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(f.text(ObjectNames::kLblAction), QStringLiteral("Status: "), 4000);
}

void TestTerminalWindow::loadWithStoredSettingsAndSwitches() {
    Fixture f;
    f.link.availablePorts = {4};
    f.settings.setValue(SettingsKeys::kProperties, SettingsKeys::kSettings, QStringLiteral("19200,e,7,2"));
    f.settings.setValue(SettingsKeys::kProperties, SettingsKeys::kCommPort, QStringLiteral("4"));
    f.settings.setValue(SettingsKeys::kProperties, SettingsKeys::kHandshaking, QStringLiteral("2"));
    f.settings.setValue(SettingsKeys::kFont, SettingsKeys::kFontName, QStringLiteral("DejaVu Sans Mono"));
    f.settings.setValue(SettingsKeys::kFont, SettingsKeys::kFontSize, QStringLiteral("11"));
    TerminalWindow& w = f.make(QStringLiteral("/Color2 /steam"));
    QCOMPARE(f.link.settings(), QStringLiteral("19200,e,7,2"));
    QCOMPARE(f.link.portNumber(), 4);
    QCOMPARE(f.link.handshaking(), 2);
    QCOMPARE(f.find<QPlainTextEdit>(ObjectNames::kTxtTerm)->font().family(),
             QStringLiteral("DejaVu Sans Mono"));
    QCOMPARE(w.session().requestedLook(),
             (Startup::Look{Startup::SkinSwitch::Steam, Startup::ColourSwitch::Color2}));

    // Opening always uses 9600,n,8,1, whatever was stored.
    f.click(ObjectNames::kLblOpen1);
    QCOMPARE(f.text(ObjectNames::kLblCport1), QStringLiteral("Com:  4"));
    QCOMPARE(f.text(ObjectNames::kLblStatus1), QStringLiteral("9600,n,8,1"));
}

void TestTerminalWindow::refusedStoredSettingsStillFinishLoad() {
    Fixture f;
    f.settings.setValue(SettingsKeys::kProperties, SettingsKeys::kSettings, QStringLiteral("9600,q,8,1"));
    PhaseProbe probe;
    bool presets = false;
    f.make(QStringLiteral("/Color1"), [&](TerminalWindow& t) {
        probe.onLoad = [&] { presets = true; };
        t.features().addFeature(&probe);
    });
    QCOMPARE(f.dialogs.messages.size(), 1);
    QCOMPARE(f.dialogs.messages.first().icon, DialogIcon::Warning);
    QVERIFY(presets);
    QCOMPARE(f.window->session().requestedLook(),
             (Startup::Look{Startup::SkinSwitch::Unchanged, Startup::ColourSwitch::Color1}));
}

void TestTerminalWindow::missingConfigurationIsReported() {
    Fixture f(QByteArray(), false);
    TerminalWindow& w = f.make();
    QCOMPARE(f.dialogs.messages.size(), 1);
    QVERIFY(f.dialogs.texts().first().contains(f.dir.filePath(programFile(ProgramFiles::kConfiguration))));
    QCOMPARE(w.windowTitle(), QStringLiteral("Vornal USB Terminal  "));
    QCOMPARE(f.text(ObjectNames::kLblRSend_1), QStringLiteral("0"));
}

void TestTerminalWindow::openAndClosePort() {
    Fixture f;
    f.make();
    for (QLatin1StringView name : kPortDependent)
        QVERIFY2(!f.find<QPushButton>(name)->isEnabled(), name.data());
    f.click(ObjectNames::kLblOpen1);
    QVERIFY(f.link.isOpen());
    QCOMPARE(f.text(ObjectNames::kLblOpen1), QStringLiteral("Close Port"));
    QCOMPARE(f.text(ObjectNames::kLblCport1), QStringLiteral("Com:  1"));
    QCOMPARE(f.text(ObjectNames::kLblStatus1), QStringLiteral("9600,n,8,1"));
    QCOMPARE(f.picture(ObjectNames::kImgPort1), 1);
    QCOMPARE(f.terminal(), QStringLiteral("Terminal Ready "));
    QCOMPARE(f.link.written(), QByteArray("\r"));
    QVERIFY(!f.find<QPushButton>(ObjectNames::kLblProps)->isEnabled());
    for (QLatin1StringView name : kPortDependent)
        QVERIFY2(f.find<QPushButton>(name)->isEnabled(), name.data());
    QCOMPARE(f.find<QPlainTextEdit>(ObjectNames::kTxtTerm)->textCursor().position(), f.terminal().size());

    f.clock.advance(3725);
    QTRY_COMPARE_WITH_TIMEOUT(f.text(ObjectNames::kLblElapsed), QStringLiteral("01:02:05 "), 3000);

    f.click(ObjectNames::kLblOpen1);
    QVERIFY(!f.link.isOpen());
    QCOMPARE(f.text(ObjectNames::kLblOpen1), QStringLiteral("Open Port "));
    QCOMPARE(f.text(ObjectNames::kLblCport1), QStringLiteral("Com: Unknown"));
    QCOMPARE(f.text(ObjectNames::kLblStatus1), QStringLiteral("Closed 1"));
    QCOMPARE(f.text(ObjectNames::kLblElapsed), QStringLiteral("Off Line"));
    QCOMPARE(f.picture(ObjectNames::kImgPort1), 2);
    QCOMPARE(f.terminal(), QStringLiteral("Terminal Closed "));
    QVERIFY(f.find<QPushButton>(ObjectNames::kLblProps)->isEnabled());
    QCOMPARE(f.link.written(), QByteArray("\r"));
}

void TestTerminalWindow::propertiesOnlyWhileClosed() {
    Fixture f;
    f.make();
    f.click(ObjectNames::kLblOpen1);
    // A disabled button ignores the click; the handler itself refuses while open too.
    QMetaObject::invokeMethod(f.find<QPushButton>(ObjectNames::kLblProps), "click");
    QVERIFY(f.runner.opened.isEmpty());
}

void TestTerminalWindow::propertiesSave() {
    Fixture f;
    f.link.availablePorts = {1, 3};
    f.make();
    QStringList ports;
    QString settingsText;
    QString title;
    f.runner.drivers.enqueue([&](QDialog& window) {
        QDialog* d = &window;
        d->show();
        title = d->windowTitle();
        auto* port = d->findChild<QComboBox*>(ObjectNames::kCboPort);
        for (int i = 0; i < port->count(); ++i)
            ports.append(port->itemText(i));
        settingsText = d->findChild<QLabel*>(ObjectNames::kLblSettings)->text();
        port->setCurrentText(QStringLiteral("Com 3"));
        d->findChild<QComboBox*>(ObjectNames::kCboSpeed)->setCurrentText(QStringLiteral("19200"));
        d->findChild<QComboBox*>(ObjectNames::kCboParity)->setCurrentIndex(1);
        QTest::mouseClick(d->findChild<QAbstractButton*>(ObjectNames::element(ObjectNames::kOptFlow, 1)),
                          Qt::LeftButton);
        QTest::mouseClick(d->findChild<QPushButton*>(ObjectNames::kLblOK), Qt::LeftButton);
        return d->result();
    });
    f.click(ObjectNames::kLblProps);
    QCOMPARE(title, QStringLiteral("CommPort Properties"));
    QCOMPARE(ports, (QStringList{QStringLiteral("Com 1"), QStringLiteral("Com 3")}));
    QCOMPARE(settingsText, QStringLiteral("9600,n,8,1   Port:  1  Flow  0"));
    QCOMPARE(f.settings.value(SettingsKeys::kProperties, SettingsKeys::kSettings),
             QStringLiteral("19200,o,8,1"));
    QCOMPARE(f.settings.value(SettingsKeys::kProperties, SettingsKeys::kCommPort), QStringLiteral("3"));
    QCOMPARE(f.settings.value(SettingsKeys::kProperties, SettingsKeys::kHandshaking), QStringLiteral("1"));
    QCOMPARE(f.text(ObjectNames::kLblCport1), QStringLiteral("Com:  3"));
}

// The window names the device of each number and maps a number to a device on saving;
// a save the link refuses keeps the old mapping.
void TestTerminalWindow::propertiesNameDevices_data() {
    QTest::addColumn<QString>("port");       // the entry chosen
    QTest::addColumn<int>("device");         // the cboDevice entry chosen, -1 types a path
    QTest::addColumn<bool>("refused");       // the link refuses the settings
    QTest::addColumn<QString>("shownFirst"); // lblDevice before the choice
    QTest::addColumn<QString>("stored");     // "Ports"/number afterwards

    const QString stable = QStringLiteral("/dev/serial/by-id/usb-Fictional_Box_0042-if00-port0");
    QTest::newRow("port 3 to the box by its stable name")
        << "Com 3" << 2 << false << "Com 1: /dev/ttyACM0" << stable;
    QTest::newRow("port 1 back to the system's order") << "Com 1" << 0 << false << "Com 1: /dev/ttyACM0"
                                                       << "";
    QTest::newRow("a typed path") << "Com 3" << -1 << false << "Com 1: /dev/ttyACM0"
                                  << "/tmp/demo/box";
    QTest::newRow("refused: the mapping stays") << "Com 3" << 2 << true << "Com 1: /dev/ttyACM0"
                                                << "/dev/ttyS4";
}

void TestTerminalWindow::propertiesNameDevices() {
    QFETCH(QString, port);
    QFETCH(int, device);
    QFETCH(bool, refused);
    QFETCH(QString, shownFirst);
    QFETCH(QString, stored);

    const QString stable = QStringLiteral("/dev/serial/by-id/usb-Fictional_Box_0042-if00-port0");
    Fixture f;
    f.link.availablePorts = {1, 3};
    f.link.devices = {{QStringLiteral("/dev/ttyACM0"), {}, {}},
                      {QStringLiteral("/dev/ttyUSB0"), stable, QStringLiteral("Fictional Box")}};
    f.settings.setValue(SettingsKeys::kPorts, QStringLiteral("3"), QStringLiteral("/dev/ttyS4"));
    f.make();
    f.link.refuseSettings = refused;
    QString first;
    QString afterChoice;
    QStringList listed;
    QStringList entries;
    f.runner.drivers.enqueue([&](QDialog& d) {
        d.show();
        first = d.findChild<QLabel*>(ObjectNames::kLblDevice)->text();
        auto* list = d.findChild<QListWidget*>(ObjectNames::kLstDevices);
        for (int i = 0; i < list->count(); ++i)
            listed.append(list->item(i)->text());
        auto* devices = d.findChild<QComboBox*>(ObjectNames::kCboDevice);
        for (int i = 0; i < devices->count(); ++i)
            entries.append(devices->itemText(i));
        d.findChild<QComboBox*>(ObjectNames::kCboPort)->setCurrentText(port);
        afterChoice = d.findChild<QLabel*>(ObjectNames::kLblDevice)->text();
        if (device >= 0)
            devices->setCurrentIndex(device);
        else
            devices->setEditText(QStringLiteral("/tmp/demo/box"));
        QTest::mouseClick(d.findChild<QPushButton*>(ObjectNames::kLblOK), Qt::LeftButton);
        return d.result();
    });
    f.click(ObjectNames::kLblProps);
    QCOMPARE(first, shownFirst);
    QCOMPARE(listed, (QStringList{QStringLiteral("Com 1: /dev/ttyACM0"),
                                  QStringLiteral("Com 2: ") + stable + QStringLiteral(" (/dev/ttyUSB0)"),
                                  QStringLiteral("Com 3: /dev/ttyS4")}));
    QCOMPARE(entries, (QStringList{QStringLiteral("In the system's order"), QStringLiteral("/dev/ttyACM0"),
                                   stable + QStringLiteral(" (/dev/ttyUSB0) - Fictional Box")}));
    QCOMPARE(afterChoice, port == QLatin1String("Com 3") ? QStringLiteral("Com 3: /dev/ttyS4") : shownFirst);
    QCOMPARE(f.settings.value(SettingsKeys::kPorts, port.right(1)), stored);
}

// Devices plugged in and pulled out while the window is open show in its lists; what
// the operator typed stays.
void TestTerminalWindow::propertiesFollowDevices() {
    const QString stable = QStringLiteral("/dev/serial/by-id/usb-Fictional_Box_0042-if00-port0");
    Fixture f;
    f.link.devices = {{QStringLiteral("/dev/ttyACM0"), {}, {}}};
    f.make();
    const auto lines = [](const QListWidget* list) {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts.append(list->item(i)->text());
        return texts;
    };
    QStringList before;
    QStringList plugged;
    QStringList pulled;
    QString typed;
    QString shown;
    f.runner.drivers.enqueue([&](QDialog& d) {
        auto& dialog = static_cast<PropertiesDialog&>(d);
        auto* list = d.findChild<QListWidget*>(ObjectNames::kLstDevices);
        auto* devices = d.findChild<QComboBox*>(ObjectNames::kCboDevice);
        devices->setEditText(QStringLiteral("/tmp/demo/box"));
        before = lines(list);
        f.link.devices.append({QStringLiteral("/dev/ttyUSB0"), stable, QStringLiteral("Fictional Box")});
        dialog.refreshDevices();
        plugged = lines(list);
        typed = devices->currentText();
        f.link.devices.clear();
        dialog.refreshDevices();
        pulled = lines(list);
        shown = d.findChild<QLabel*>(ObjectNames::kLblDevice)->text();
        return int(QDialog::Rejected);
    });
    f.click(ObjectNames::kLblProps);
    QCOMPARE(before, QStringList{QStringLiteral("Com 1: /dev/ttyACM0")});
    QCOMPARE(plugged, (QStringList{QStringLiteral("Com 1: /dev/ttyACM0"),
                                   QStringLiteral("Com 2: ") + stable + QStringLiteral(" (/dev/ttyUSB0)")}));
    QCOMPARE(typed, QStringLiteral("/tmp/demo/box"));
    QCOMPARE(pulled, QStringList{QStringLiteral("No serial device found")});
    QCOMPARE(shown, QStringLiteral("Com 1: no device"));
}

void TestTerminalWindow::unloadWithOutputThatDoesNotDrain() {
    Fixture f;
    f.make();
    f.click(ObjectNames::kLblOpen1);
    f.link.setPendingOutput(500);
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { f.clock.advance(1); });
    ticker.start(5);
    f.dialogs.answers.enqueue(DialogAnswer::Abort);
    QVERIFY(!f.window->close());
    QVERIFY(f.window->isVisible());
    QVERIFY(f.link.isOpen());
    QCOMPARE(f.dialogs.texts(), QStringList{QStringLiteral("Data cannot be sent")});

    f.dialogs.answers.enqueue(DialogAnswer::Ignore);
    QVERIFY(f.window->close());
    QVERIFY(!f.link.isOpen());
}

void TestTerminalWindow::editConfig() {
    Fixture f;
    TerminalWindow& w = f.make();
    QSignalSpy editor(&w.features(), &FeatureContext::editorRequested);
    f.runner.drivers.enqueue([](QDialog& dialog) { return dialog.result(); });
    f.click(ObjectNames::kLblEditConfig);
    QCOMPARE(f.dialogs.texts(),
             QStringList{QStringLiteral("After editing you must restart the program to load changes ")});
    QCOMPARE(f.text(ObjectNames::kLblAction), QStringLiteral("Loading Configuration Editor"));
    QCOMPARE(editor.size(), 1);
    QCOMPARE(editor.first().at(0).toString(), f.dir.filePath(programFile(ProgramFiles::kConfiguration)));
    QCOMPARE(editor.first().at(1).value<EditorMode>(), EditorMode::Configuration);
    QCOMPARE(f.runner.opened, QStringList{ObjectNames::kFrmEdit});
}

void TestTerminalWindow::exitStoresHeadlineChoice() {
    Fixture f;
    TerminalWindow& w = f.make();
    w.features().setHeadlineSelect(2);
    QTimer::singleShot(0, [&] { f.click(ObjectNames::kLblExit); });
    // lblExit ends the event loop it runs in.
    QEventLoop loop;
    QTimer::singleShot(2000, &loop, &QEventLoop::quit);
    loop.exec();
    QCOMPARE(f.settings.value(SettingsKeys::kHeadlineSelect, SettingsKeys::kOption), QStringLiteral("2"));
}

void TestTerminalWindow::exitWithUnwritableSettingsTellsAndEnds() {
    Fixture f;
    TerminalWindow& w = f.make();
    f.click(ObjectNames::kLblOpen1);
    w.features().setHeadlineSelect(3);
    const QString failure =
        QStringLiteral("/home/op/.config/vornal/Vornal USB Terminal.ini: Permission denied");
    f.settings.failWrites(failure);
    QTimer::singleShot(0, [&] { f.click(ObjectNames::kLblExit); });
    QEventLoop loop;
    QTimer::singleShot(2000, &loop, &QEventLoop::quit);
    loop.exec();
    QCOMPARE(f.dialogs.texts(), QStringList{ReportingSettingsStore::failureText({failure})});
    // The program goes on to its end: the port is closed.
    QVERIFY(!f.link.isOpen());
}

void TestTerminalWindow::receivedTextKeepsNoUndoHistory() {
    Fixture f;
    f.make();
    f.click(ObjectNames::kLblOpen1);
    auto* term = f.find<QPlainTextEdit>(ObjectNames::kTxtTerm);
    for (int i = 0; i < 3; ++i) {
        f.link.receive("RECEIVED LINE\r\n");
        // Past the gathering of edits, so each one reaches the text box on its own.
        QTest::qWait(TerminalTextView::kMaxWaitMs + 20);
    }
    f.click(ObjectNames::kLblClear);
    f.link.receive("AFTER CLEAR\r\n");
    QTRY_VERIFY(f.terminal().endsWith(QLatin1String("AFTER CLEAR\n")));
    QCOMPARE(term->document()->availableUndoSteps(), 0);
    QVERIFY(!term->isUndoRedoEnabled());
}

void TestTerminalWindow::gatheredEditsMirrorTheBuffer_data() {
    // Edits made one after another, all shown in one go, separated by "|": "+text"
    // appends, "-n" cuts n characters from the front, "<n text" replaces the last n.
    QTest::addColumn<QString>("edits");
    QTest::newRow("several lines") << "+one\r\ntw|+o\r\nthree\r\n|+\r\nfour";
    QTest::newRow("pieces that start and end lines") << "+a|+\r\n|+\r\nb\r\n|+c|+\r\n";
    QTest::newRow("a replaced end between appends") << "+abc\r\nde|<1 x\r\ny|+z";
    QTest::newRow("the line end replaced") << "+abc\r\n|<2 d|+e\r\nf";
    QTest::newRow("many lines, a replaced end") << "+1\r\n2\r\n3\r\n|+4\r\n5\r\n6|<1 x\r\ny|+\r\nz";
    QTest::newRow("a front cut between appends") << "+first\r\nsecond\r\n|-8|+third|-2|+\r\nfourth";
}

void TestTerminalWindow::gatheredEditsMirrorTheBuffer() {
    QFETCH(QString, edits);
    TerminalBuffer buffer;
    QPlainTextEdit edit;
    TerminalTextView view(buffer, edit);
    buffer.append(QStringLiteral("start\r\n")); // shown at once: the ones below are gathered
    for (const QString& e : edits.split(QLatin1Char('|'))) {
        if (e.startsWith(QLatin1Char('+')))
            buffer.append(e.mid(1));
        else if (e.startsWith(QLatin1Char('-')))
            buffer.removeFront(e.mid(1).toInt());
        else
            buffer.replaceBack(e.mid(1, e.indexOf(QLatin1Char(' ')) - 1).toInt(),
                               e.mid(e.indexOf(QLatin1Char(' ')) + 1));
    }
    QCOMPARE(edit.toPlainText(), QStringLiteral("start\n"));
    view.flush();
    QCOMPARE(edit.toPlainText(), TerminalBuffer::shown(buffer.text()));
}

void TestTerminalWindow::shownPixelsMatchAFreshPaint_data() {
    // Steps, each shown and painted before the next, separated by "|": "+text" appends,
    // "-n" cuts n characters from the front, "<n text" replaces the last n; "*n text"
    // appends text n times, one step each.
    QTest::addColumn<QString>("steps");
    const QString words = QStringLiteral("zczc the quick brown fox jumps over the lazy dog ");
    QTest::newRow("lines that wrap as they come") << QStringLiteral("*40 ") + words;
    QTest::newRow("lines that wrap, then end")
        << QStringLiteral("*30 ") + words + QStringLiteral("|*30 ") + words + QStringLiteral("\r\n");
    QTest::newRow("backspaces take back a wrap")
        << QStringLiteral("+") + words + words + QStringLiteral("|<30 |<30 |+ab");
    QTest::newRow("backspaces take back a wrap, scrolled")
        << QStringLiteral("*12 x\r\n|+") + words + words + QStringLiteral("|<30 |<30 |+ab");
    QTest::newRow("a front cut, then more") << QStringLiteral("*40 line\r\n|-60|*5 more ") + words;
    QTest::newRow("a burst of lines") << QStringLiteral("*3 ") + words.repeated(8) + QStringLiteral("\r\n") +
                                             words.repeated(3) + QStringLiteral("\r\n\r\n");
}

void TestTerminalWindow::shownPixelsMatchAFreshPaint() {
    // The text box paints only what a change touched and its scroll bar only where its
    // slider moved: what is on screen must be what painting the whole box again gives.
    QFETCH(QString, steps);
    TerminalBuffer buffer;
    TerminalText box;
    box.setFocusPolicy(Qt::NoFocus); // no blinking caret
    TerminalTextView view(buffer, box);
    box.resize(320, 160);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    int step = 0;
    for (const QString& s : steps.split(QLatin1Char('|'))) {
        const QString text = s.mid(s.indexOf(QLatin1Char(' ')) + 1);
        const int times =
            s.startsWith(QLatin1Char('*')) ? s.mid(1, s.indexOf(QLatin1Char(' ')) - 1).toInt() : 1;
        for (int i = 0; i < times; ++i, ++step) {
            if (s.startsWith(QLatin1Char('+')))
                buffer.append(s.mid(1));
            else if (s.startsWith(QLatin1Char('*')))
                buffer.append(text);
            else if (s.startsWith(QLatin1Char('-')))
                buffer.removeFront(s.mid(1).toInt());
            else
                buffer.replaceBack(s.mid(1, s.indexOf(QLatin1Char(' ')) - 1).toInt(), text);
            view.flush();
            const QRect stale = stalePixels(box);
            QVERIFY2(stale.isEmpty(), qPrintable(QStringLiteral("step %1 (%2) left stale pixels in %3")
                                                     .arg(step)
                                                     .arg(s.left(12), describeStale(stale))));
        }
    }
}

void TestTerminalWindow::controlsAreNamedButtonsWithTips() {
    Fixture f;
    f.make();
    const QLatin1StringView names[] = {ObjectNames::kLblOpen1,     ObjectNames::kLblProps,
                                       ObjectNames::kLblExit,      ObjectNames::kLblEditConfig,
                                       ObjectNames::kLblVersion,   ObjectNames::kLblBell,
                                       ObjectNames::kLblWerda,     ObjectNames::kLblIAm,
                                       ObjectNames::kLblGoAhead,   ObjectNames::kLblZi,
                                       ObjectNames::kLblBu,        ObjectNames::kLblLoKal,
                                       ObjectNames::kLblMsg,       ObjectNames::kLblNexMessage,
                                       ObjectNames::kLblCancelMsg, ObjectNames::kLblStatus,
                                       ObjectNames::kLblKonfig,    ObjectNames::kLblCR,
                                       ObjectNames::kLblLineFeed,  ObjectNames::kLblCloseConnection,
                                       ObjectNames::kLblCall,      ObjectNames::kLblClear,
                                       ObjectNames::kLblRSend_1,   ObjectNames::kLblRsend_2};
    for (QLatin1StringView name : names) {
        auto* b = f.window->findChild<QPushButton*>(QString::fromLatin1(name));
        QVERIFY2(b, name.data());
        QVERIFY2(!b->toolTip().isEmpty(), name.data());
    }
    QCOMPARE(f.find<QLabel>(ObjectNames::kLblAction)->toolTip(),
             QStringLiteral("Displays Last Program Action"));
    QCOMPARE(f.find<QLabel>(ObjectNames::kLblMaxChar)->toolTip(), QStringLiteral("Character  Counter"));
    QCOMPARE(f.find<QPushButton>(ObjectNames::kLblKonfig)->text(), QStringLiteral("Configuration"));
    QCOMPARE(f.find<QPushButton>(ObjectNames::kLblOpen1)->toolTip(),
             QStringLiteral("Opens pre defined comm port"));
}

void TestTerminalWindow::fitsSmallScreen() {
    Fixture f;
    f.make();
    f.window->resize(1024, 700);
    QTest::qWait(50);
    QCOMPARE(f.window->size(), QSize(1024, 700));
    const QRect inside = f.window->rect();
    // The side column scrolls: what is in it must be within its scrollable host, and the
    // column within the window.
    auto* column = f.find<QScrollArea>(ObjectNames::kSidePanels);
    QVERIFY(inside.contains(QRect(column->mapTo(f.window.get(), QPoint(0, 0)), column->size())));
    for (QPushButton* b : f.window->findChildren<QPushButton*>()) {
        if (!b->isVisible())
            continue;
        const bool scrolls = column->widget()->isAncestorOf(b);
        const QRect r(b->mapTo(scrolls ? column->widget() : f.window.get(), QPoint(0, 0)), b->size());
        QVERIFY2((scrolls ? column->widget()->rect() : inside).contains(r), qPrintable(b->objectName()));
        QVERIFY2(b->width() >= b->fontMetrics().horizontalAdvance(b->text()), qPrintable(b->objectName()));
    }
}

void TestTerminalWindow::receivedTextAndCommandsInTheWindow() {
    Fixture f;
    f.make();
    f.click(ObjectNames::kLblOpen1);
    f.link.receive("HELLO\r\nWORLX\x08"
                   "D");
    QCOMPARE(f.terminal(), QStringLiteral("Terminal Ready HELLO\nWORLD"));
    QCOMPARE(f.picture(ObjectNames::kImgRX), 1);
    f.link.clearWrites();
    f.click(ObjectNames::kLblBell);
    QCOMPARE(f.link.written(), QByteArray("\x07"));
    QCOMPARE(f.text(ObjectNames::kLblAction), QStringLiteral("Ringing the bell"));
    f.link.raiseEvent(1004);
    QCOMPARE(f.text(ObjectNames::kLblAction), QStringLiteral("Status: Framing Error"));
    f.click(ObjectNames::kLblClear);
    QCOMPARE(f.terminal(), QString());
    QCOMPARE(f.text(ObjectNames::kLblAction), QStringLiteral("Text Cancelled"));
}

void TestTerminalWindow::typingGoesToTheBoxOnly() {
    Fixture f;
    f.make();
    auto* term = f.find<QPlainTextEdit>(ObjectNames::kTxtTerm);
    // Closed: the text box takes the keys itself, and nothing is sent.
    QTest::keyClicks(term, QStringLiteral("ab"));
    QVERIFY(f.terminal().endsWith(QStringLiteral("ab")));
    QVERIFY(f.link.writes().isEmpty());

    f.click(ObjectNames::kLblOpen1);
    f.link.clearWrites();
    QTest::keyClicks(term, QStringLiteral("xy"));
    QTest::keyClick(term, Qt::Key_Return);
    QCOMPARE(f.link.written(), QByteArray("xy\r"));
    QCOMPARE(f.terminal(), QStringLiteral("Terminal Ready "));
    QCOMPARE(f.text(ObjectNames::kLblMaxChar), QStringLiteral("0"));
    QTest::keyClicks(term, QString(55, QLatin1Char('z')));
    QCOMPARE(f.text(ObjectNames::kLblMaxChar), QStringLiteral("55"));
    QCOMPARE(f.find<LineBar>(ObjectNames::kLine1)->colour(), 65535u);
    QCOMPARE(f.find<LineBar>(ObjectNames::kLine1)->lengthTwips(), 55 * 170);
}

void TestTerminalWindow::klklSwitchAndAnswer() {
    Fixture f(FakeTerminal::withCharDelay("0 s"));
    f.writeFile(programFile(ProgramFiles::kKlklAnswer), "HIER MAYER");
    TerminalWindow& w = f.make();
    w.session().sender().setKlklPause(0);
    auto* klkl = f.find<QPushButton>(ObjectNames::kLblKlKl);
    QCOMPARE(klkl->text(), QStringLiteral("klkl"));
    f.click(ObjectNames::kLblOpen1);
    f.link.clearWrites();
    f.link.receive("kl");
    f.link.receive("kl");
    QVERIFY(f.link.writes().isEmpty()); // off: nothing answers

    f.click(ObjectNames::kLblKlKl);
    QCOMPARE(w.session().state().klklAutoAnswer, true);
    QCOMPARE(klkl->property("colourValue").toUInt(), 65280u);
    f.link.receive("kl");
    f.link.receive("kl");
    // The answer starts once the receive handler has returned.
    QTRY_COMPARE(f.link.written(), QByteArray("\r\r\r\rHIER MAYER\n\n\r\r\r\r"));
    QVERIFY(!w.cancelWindow().isVisible());

    f.click(ObjectNames::kLblKlKl);
    QCOMPARE(w.session().state().klklAutoAnswer, false);
    QCOMPARE(klkl->property("colourValue").toUInt(), 16777215u);
}

void TestTerminalWindow::cancelWindowStopsAFile() {
    Fixture f(FakeTerminal::withCharDelay("0.01 s"));
    f.writeFile(programFile(ProgramFiles::kMessage), QByteArray(400, 'M'));
    TerminalWindow& w = f.make();
    f.click(ObjectNames::kLblOpen1);
    f.call();
    f.link.clearWrites();
    bool visibleDuring = false;
    QString label;
    bool sendDisabled = false;
    QTimer::singleShot(150, [&] {
        visibleDuring = w.cancelWindow().isVisible();
        label = w.cancelWindow().label();
        sendDisabled = !f.find<QPushButton>(ObjectNames::kLblSendMessage)->isEnabled();
        QTest::mouseClick(w.cancelWindow().findChild<QPushButton*>(ObjectNames::kLblCancel), Qt::LeftButton);
    });
    f.click(ObjectNames::kLblSendMessage);
    QVERIFY(visibleDuring);
    QCOMPARE(label, QStringLiteral("Transmitting  TextFile: ") +
                        f.dir.filePath(programFile(ProgramFiles::kMessage)));
    QVERIFY(sendDisabled);
    QVERIFY(!w.cancelWindow().isVisible());
    QVERIFY(f.link.written().size() < 100);
    for (QLatin1StringView name : {ObjectNames::kLblSendText1, ObjectNames::kLblSendHeader,
                                   ObjectNames::kLblSendMessage, ObjectNames::kLblSendHeadlines})
        QVERIFY2(f.find<QPushButton>(name)->isEnabled(), name.data());
}

void TestTerminalWindow::sendCommandsStayOffForTheWholeTransmission() {
    Fixture f(FakeTerminal::withCharDelay("0.01 s"));
    const QByteArray text(60, 'M');
    f.writeFile(programFile(ProgramFiles::kMessage), text);
    TerminalWindow& w = f.make();
    f.click(ObjectNames::kLblOpen1);
    f.call();
    f.link.clearWrites();
    QStringList enabledDuring;
    QTimer::singleShot(150, [&] {
        // The port's displays change meanwhile (the elapsed time does every second).
        w.session().port().showPortNumber();
        for (QLatin1StringView name : kPortDependent) {
            if (f.find<QPushButton>(name)->isEnabled())
                enabledDuring.append(QString::fromLatin1(name));
        }
        // Even a click that reaches a send command starts nothing inside the first.
        QMetaObject::invokeMethod(f.find<QPushButton>(ObjectNames::kLblSendText1), "click");
    });
    f.dialogs.answers.enqueue(DialogAnswer::Yes);
    f.click(ObjectNames::kLblSendMessage);
    QCOMPARE(enabledDuring, QStringList());
    QCOMPARE(f.dialogs.texts(), QStringList{QStringLiteral(" You are about to send the Message File ")});
    QCOMPARE(f.link.written(), "\r" + text + "\r\r");
    for (QLatin1StringView name : kPortDependent)
        QVERIFY2(f.find<QPushButton>(name)->isEnabled(), name.data());
}

void TestTerminalWindow::clickLeavesTheKeyboardWithTheTerminal_data() {
    QTest::addColumn<QString>("button");
    for (QLatin1StringView name :
         {ObjectNames::kLblCall, ObjectNames::kLblBell, ObjectNames::kLblCR, ObjectNames::kLblClear,
          ObjectNames::kLblKlKl, ObjectNames::kLblPhonebookShow, ObjectNames::kLblLocalNumbersShow})
        QTest::newRow(name.data()) << QString(name);
}

void TestTerminalWindow::clickLeavesTheKeyboardWithTheTerminal() {
    QFETCH(QString, button);
    Fixture f;
    TerminalWindow& w = f.make();
    f.click(ObjectNames::kLblOpen1);
    QCOMPARE(w.focusWidget(), w.terminal());
    QTest::mouseClick(f.button(button), Qt::LeftButton);
    QCOMPARE(w.focusWidget(), w.terminal());
    // Typing after "Call" goes to the line.
    f.link.clearWrites();
    QTest::keyClicks(w.focusWidget(), QStringLiteral("12"));
    QCOMPARE(f.link.written(), QByteArray("12"));
    // Tab still reaches the button.
    QVERIFY(f.button(button)->focusPolicy() & Qt::TabFocus);
}

QTEST_MAIN(TestTerminalWindow)
#include "tst_terminalwindow.moc"
