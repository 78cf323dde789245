#include "faketerminal.h"
#include "files/settingskeys.h"
#include "look/colourscheme.h"
#include "look/contrast.h"
#include "look/objectnames.h"
#include "theme/theme.h"
#include "widgets/indicator.h"
#include "widgets/linebar.h"
#include "window/cancelsendwindow.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>
#include <QtTest>

using namespace vornal;

namespace {

// The groups of the main window in the order the keyboard goes through them.
const QLatin1StringView kRegions[] = {ObjectNames::kHeader,         ObjectNames::kGroupPort,
                                      ObjectNames::kGroupInterface, ObjectNames::kTerminalArea,
                                      ObjectNames::kGroupSend,      ObjectNames::kGroupCalls,
                                      ObjectNames::kGroupProgram,   ObjectNames::kPanelPlace};

int regionOf(QWidget* w) {
    for (QWidget* p = w; p; p = p->parentWidget()) {
        for (int i = 0; i < int(std::size(kRegions)); ++i) {
            // The panel place lies inside the terminal area; it counts on its own.
            if (p->objectName() == QLatin1String(kRegions[i]))
                return i;
        }
    }
    return -1;
}

// Where the keyboard goes with Tab (or Shift+Tab) from `start`, until it comes back.
QList<QWidget*> walk(QWidget* start, bool forward) {
    QList<QWidget*> seen;
    start->setFocus();
    for (int i = 0; i < 400; ++i) {
        QWidget* now = start->window()->focusWidget();
        if (!now || (i > 0 && now == start))
            break;
        seen.append(now);
        QTest::keyClick(now, forward ? Qt::Key_Tab : Qt::Key_Backtab);
    }
    return seen;
}

QString names(const QList<QWidget*>& widgets) {
    QStringList n;
    for (QWidget* w : widgets)
        n.append(w->objectName());
    return n.join(QLatin1Char(' '));
}

QRect placeIn(QWidget* w, QWidget* window) {
    return QRect(w->mapTo(window, QPoint(0, 0)), w->size());
}

QAccessibleInterface* accessible(QObject* o) {
    return QAccessible::queryAccessibleInterface(o);
}

// A control whose caption (if any) does not name it.
bool hasNoCaption(QWidget* w) {
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->text().trimmed().isEmpty();
    return qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
           qobject_cast<QAbstractItemView*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
           qobject_cast<Indicator*>(w) || qobject_cast<LineBar*>(w);
}

// Every control without a caption is named, by its own name or by a label (buddy).
void checkNames(QWidget* top) {
    for (QWidget* w : top->findChildren<QWidget*>()) {
        // The parts of a list or a combo box are theirs.
        if (!hasNoCaption(w) || w->window() != top || qobject_cast<QHeaderView*>(w) ||
            qobject_cast<QComboBox*>(w->parentWidget()))
            continue;
        QAccessibleInterface* a = accessible(w);
        QVERIFY2(a, qPrintable(w->objectName()));
        const bool labelled = !a->relations(QAccessible::Label).isEmpty();
        QVERIFY2(!a->text(QAccessible::Name).trimmed().isEmpty() || labelled,
                 qPrintable(QStringLiteral("%1 (%2) has no name")
                                .arg(w->objectName(), QString::fromLatin1(w->metaObject()->className()))));
    }
}

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
private slots:
    void tabFollowsTheReadingOrder();
    void tabInTheTerminalMovesOn();
    void openPanelComesLastAndMovesNoButton();
    void terminalPanelLeavesThePhrasesInPlace();
    void focusRingsStandOut_data();
    void focusRingsStandOut();
    void controlsWithoutCaptionAreNamed();
    void lampsAndLineBarReportTheirState();
    void lineLampsShowTheBox_data();
    void lineLampsShowTheBox();
    void klklIsACheckableSwitch_data();
    void klklIsACheckableSwitch();
    void panelsAreGroupsAndTheCancelWindowADialog();
    void firstPlacement_data();
    void firstPlacement();
    void placementKeptWhereItFits_data();
    void placementKeptWhereItFits();
};

void TestKeyboard::tabFollowsTheReadingOrder() {
    FakeTerminal f;
    TerminalWindow& w = f.make();
    f.window->activateWindow();
    const QList<QWidget*> forward = walk(f.button(ObjectNames::kLblVersion), true);
    QVERIFY2(forward.size() > 60, qPrintable(names(forward)));
    // Region by region, and inside each region row by row, left to right.
    for (qsizetype i = 1; i < forward.size(); ++i) {
        QWidget* a = forward.at(i - 1);
        QWidget* b = forward.at(i);
        const int ra = regionOf(a);
        const int rb = regionOf(b);
        QVERIFY2(ra >= 0 && ra <= rb, qPrintable(names({a, b})));
        if (ra != rb || a->parentWidget() != b->parentWidget())
            continue;
        const QRect pa = placeIn(a, &w);
        const QRect pb = placeIn(b, &w);
        QVERIFY2(pb.top() >= pa.bottom() || (qAbs(pa.top() - pb.top()) < 4 && pb.left() > pa.left()),
                 qPrintable(names({a, b})));
    }
    // Every group is reached, the terminal after the box's commands.
    QSet<int> regions;
    for (QWidget* x : forward)
        regions.insert(regionOf(x));
    for (int r = 0; r < 7; ++r)
        QVERIFY2(regions.contains(r), kRegions[r].data());
    const qsizetype term = forward.indexOf(w.terminal());
    QVERIFY(term > 0);
    QCOMPARE(forward.at(term - 1)->objectName(), ObjectNames::kLblClear);
    QCOMPARE(forward.last()->objectName(), ObjectNames::kLblFind);

    // Shift+Tab goes the same way back.
    QList<QWidget*> backward = walk(f.button(ObjectNames::kLblVersion), false);
    QCOMPARE(backward.size(), forward.size());
    std::reverse(backward.begin() + 1, backward.end());
    QCOMPARE(names(backward), names(forward));
}

void TestKeyboard::tabInTheTerminalMovesOn() {
    FakeTerminal f;
    TerminalWindow& w = f.make();
    f.click(ObjectNames::kLblOpen1);
    QCOMPARE(w.focusWidget(), w.terminal());
    f.link.clearWrites();
    QTest::keyClick(w.terminal(), Qt::Key_Tab);
    QVERIFY(w.focusWidget() != w.terminal());
    QTest::keyClick(w.focusWidget(), Qt::Key_Backtab);
    QCOMPARE(w.focusWidget(), w.terminal());
    QTest::keyClick(w.terminal(), Qt::Key_Backtab);
    QCOMPARE(w.focusWidget()->objectName(), ObjectNames::kLblClear);
    // No byte 9 went out: that is "I Am", a click away.
    QCOMPARE(f.link.written(), QByteArray());
    // Every other key still goes to the box.
    QTest::keyClicks(w.terminal(), QStringLiteral("a"));
    QCOMPARE(f.link.written(), QByteArray("a"));
}

void TestKeyboard::openPanelComesLastAndMovesNoButton() {
    FakeTerminal f;
    TerminalWindow& w = f.make();
    w.setGeometry(QRect(QPoint(4, 30), QSize(1016, 666)));
    QTest::qWait(20);
    QHash<QPushButton*, QRect> before;
    for (QPushButton* b : w.findChildren<QPushButton*>())
        if (b->isVisible())
            before.insert(b, placeIn(b, &w));
    for (QLatin1StringView open :
         {ObjectNames::kLblPhonebookShow, ObjectNames::kLblLocalNumbersShow, ObjectNames::kLblEditLocal}) {
        QTest::mouseClick(f.button(open), Qt::LeftButton);
        QTest::qWait(20);
        for (auto it = before.cbegin(); it != before.cend(); ++it) {
            if (it.key()->isVisible())
                QVERIFY2(placeIn(it.key(), &w) == it.value(), qPrintable(names({f.button(open), it.key()})));
        }
    }
    // The open panel is the keyboard's last stop.
    const QList<QWidget*> order = walk(f.button(ObjectNames::kLblVersion), true);
    QCOMPARE(regionOf(order.last()), 7);
    QCOMPARE(order.last()->objectName(), ObjectNames::kLblExitLocalNumbers);
    QVERIFY(order.indexOf(f.button(ObjectNames::kLblExit)) <
            order.indexOf(f.find<QWidget>(ObjectNames::element(ObjectNames::kTxtLocalNumber, 0))));
}

void TestKeyboard::terminalPanelLeavesThePhrasesInPlace() {
    FakeTerminal f;
    TerminalWindow& w = f.make();
    f.click(ObjectNames::kLblOpen1);
    f.call();
    QTest::qWait(20);
    QPushButton* phrase = f.button(ObjectNames::element(ObjectNames::kLblPresetText, 0));
    const QRect before = placeIn(phrase, &w);
    f.click(ObjectNames::kLblPuncher);
    QTest::qWait(20);
    QVERIFY(f.find<QWidget>(ObjectNames::kFrmPunch)->isVisible());
    QCOMPARE(placeIn(phrase, &w), before);
}

void TestKeyboard::focusRingsStandOut_data() {
    QTest::addColumn<int>("skin");
    QTest::addColumn<int>("scheme");
    for (const Theme::Skin skin : {Theme::Skin::Standard, Theme::Skin::Steampunk})
        for (int s = 0; s < ColourScheme::all().size(); ++s)
            QTest::addRow("%s %s", skin == Theme::Skin::Standard ? "standard" : "steampunk",
                          ColourScheme::all().at(s).caption)
                << int(skin) << s;
}

void TestKeyboard::focusRingsStandOut() {
    QFETCH(int, skin);
    QFETCH(int, scheme);
    Theme theme;
    theme.setSkin(Theme::Skin(skin));
    const ColourScheme& colours = ColourScheme::all().at(scheme);
    theme.setColour(Theme::Colour::TerminalText, Theme::fromColourValue(colours.text));
    theme.setColour(Theme::Colour::TerminalBackground, Theme::fromColourValue(colours.background));
    const QString sheet = theme.styleSheet();
    const QList<Theme::FocusRing> rings = theme.focusRings();
    QVERIFY(rings.size() >= 7);
    for (const Theme::FocusRing& r : rings) {
        for (const QColor& n : r.neighbours) {
            const double ratio = Contrast::ratio(r.ring.rgb() & 0xffffffu, n.rgb() & 0xffffffu);
            QVERIFY2(ratio >= 3.0, qPrintable(QStringLiteral("%1: %2 against %3 is %4:1")
                                                  .arg(r.selector, r.ring.name(), n.name())
                                                  .arg(ratio, 0, 'f', 2)));
        }
        QVERIFY2(
            sheet.contains(QStringLiteral("%1:focus { border: 2px solid %2;").arg(r.selector, r.ring.name())),
            qPrintable(r.selector));
    }
}

void TestKeyboard::controlsWithoutCaptionAreNamed() {
    FakeTerminal f;
    f.make();
    checkNames(f.window.get());
    // The port settings window and the update window, through the runner.
    f.runner.drivers.enqueue([](QDialog& d) {
        checkNames(&d);
        return int(QDialog::Rejected);
    });
    f.click(ObjectNames::kLblProps);
    f.dialogs.answers.enqueue(DialogAnswer::Yes);
    QString number;
    QString favourites;
    f.runner.drivers.enqueue([&](QDialog& d) {
        checkNames(&d);
        number = accessible(d.findChild<QLineEdit*>(ObjectNames::kText1))->text(QAccessible::Name);
        favourites = accessible(d.findChild<QWidget*>(ObjectNames::kLstFav))->text(QAccessible::Name);
        return int(QDialog::Rejected);
    });
    f.click(ObjectNames::kLblUpdate);
    // The fields are named by their labels.
    QCOMPARE(number, QStringLiteral("Number"));
    QCOMPARE(favourites, QStringLiteral("Favorites"));
    QCOMPARE(f.runner.opened, QStringList({ObjectNames::kFrmProperties, ObjectNames::kFrmUpdate}));
}

void TestKeyboard::lampsAndLineBarReportTheirState() {
    FakeTerminal f;
    TerminalWindow& w = f.make();
    QAccessibleInterface* rx = accessible(f.find<Indicator>(ObjectNames::kImgRX));
    QCOMPARE(rx->text(QAccessible::Name), QStringLiteral("Receiving"));
    QCOMPARE(accessible(f.find<Indicator>(ObjectNames::kImgTX))->text(QAccessible::Name),
             QStringLiteral("Sending"));
    const QString description = rx->text(QAccessible::Description);
    QVERIFY(!rx->state().checked);
    QCOMPARE(rx->valueInterface()->currentValue().toInt(), 0);
    f.click(ObjectNames::kLblOpen1);
    f.link.receive("HELLO");
    QVERIFY(rx->state().checked);
    QCOMPARE(rx->valueInterface()->currentValue().toInt(), 1);
    QCOMPARE(rx->text(QAccessible::Value), QStringLiteral("active"));
    QCOMPARE(rx->text(QAccessible::Description), description);

    QAccessibleInterface* bar = accessible(f.find<LineBar>(ObjectNames::kLine1));
    QCOMPARE(bar->text(QAccessible::Name), QStringLiteral("Line length"));
    QTest::keyClicks(w.terminal(), QStringLiteral("abcde"));
    QCOMPARE(bar->valueInterface()->currentValue().toInt(), 5);
    QCOMPARE(bar->text(QAccessible::Value), QStringLiteral("5"));
    QCOMPARE(bar->valueInterface()->maximumValue().toInt(), 69);
}

void TestKeyboard::lineLampsShowTheBox_data() {
    QTest::addColumn<bool>("known");
    QTest::addColumn<bool>("dsr");
    QTest::addColumn<bool>("cd");
    QTest::addColumn<QString>("dsrValue");
    QTest::addColumn<QString>("cdValue");
    QTest::newRow("no modem lines") << false << false << false << "unknown"
                                    << "unknown";
    QTest::newRow("the box is off") << true << false << false << "idle"
                                    << "idle";
    QTest::newRow("the box is on") << true << true << false << "active"
                                   << "idle";
    QTest::newRow("the box holds a connection") << true << true << true << "active"
                                                << "active";
}

void TestKeyboard::lineLampsShowTheBox() {
    QFETCH(bool, known);
    QFETCH(bool, dsr);
    QFETCH(bool, cd);
    FakeTerminal f;
    f.make();
    QAccessibleInterface* lampDsr = accessible(f.find<Indicator>(ObjectNames::kLampDSR));
    QAccessibleInterface* lampCd = accessible(f.find<Indicator>(ObjectNames::kLampCD));
    // Before the port tells anything the lines are unknown.
    QCOMPARE(lampDsr->text(QAccessible::Value), QStringLiteral("unknown"));
    const QString description = lampDsr->text(QAccessible::Description);
    // From a state other than the one of the row.
    f.link.setModemLines(ModemLines{false, !dsr, !cd, false});
    f.link.setModemLines(known ? std::optional<ModemLines>(ModemLines{false, dsr, cd, false}) : std::nullopt);
    QCOMPARE(lampDsr->text(QAccessible::Name), QStringLiteral("DSR"));
    QCOMPARE(lampCd->text(QAccessible::Name), QStringLiteral("CD"));
    QTEST(lampDsr->text(QAccessible::Value), "dsrValue");
    QTEST(lampCd->text(QAccessible::Value), "cdValue");
    QCOMPARE(lampDsr->state().checked, known && dsr);
    QCOMPARE(lampCd->valueInterface()->currentValue().toInt(), known && cd ? 1 : 0);
    QCOMPARE(lampDsr->text(QAccessible::Description), description);
    // The line's event reaches the status line beside them.
    f.link.raiseEvent(CommEvent::Dsr);
    QCOMPARE(f.find<QLabel>(ObjectNames::kLblAction)->text(),
             QStringLiteral("Status: Change in DSR Detected"));
}

void TestKeyboard::klklIsACheckableSwitch_data() {
    QTest::addColumn<QString>("way");
    QTest::newRow("mouse") << "mouse";
    QTest::newRow("space key") << "space";
    QTest::newRow("assistive toggle") << "toggle";
}

// However the switch changes (an assistive client's Toggle emits toggled but not
// clicked), the automatic answer, the look and the accessible state agree.
void TestKeyboard::klklIsACheckableSwitch() {
    QFETCH(QString, way);
    FakeTerminal f;
    TerminalWindow& w = f.make();
    QPushButton* klkl = f.button(ObjectNames::kLblKlKl);
    QVERIFY(klkl->isCheckable());
    QCOMPARE(klkl->text(), QStringLiteral("klkl"));
    QAccessibleActionInterface* actions = accessible(klkl)->actionInterface();
    QVERIFY(actions);
    for (const bool on : {true, false}) {
        if (way == QLatin1String("mouse")) {
            QTest::mouseClick(klkl, Qt::LeftButton);
        } else if (way == QLatin1String("space")) {
            klkl->setFocus();
            QTest::keyClick(klkl, Qt::Key_Space);
        } else {
            QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::toggleAction()));
            QVERIFY(!actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
            actions->doAction(QAccessibleActionInterface::toggleAction());
        }
        QCOMPARE(w.session().state().klklAutoAnswer, on);
        QCOMPARE(klkl->isChecked(), on);
        QCOMPARE(accessible(klkl)->state().checked, on);
        QCOMPARE(klkl->property("autoAnswer").toBool(), on);
        QCOMPARE(klkl->property("colourValue").toUInt(), on ? 65280u : 16777215u);
    }
}

void TestKeyboard::panelsAreGroupsAndTheCancelWindowADialog() {
    FakeTerminal f;
    TerminalWindow& w = f.make();
    for (QLatin1StringView name :
         {ObjectNames::kFrameNumbers, ObjectNames::kFrameLocalCalls, ObjectNames::kFrameLocalTeleprinters,
          ObjectNames::kFramePresets, ObjectNames::kFrmPunch, ObjectNames::kFrameHeadLine}) {
        auto* panel = f.find<QWidget>(name);
        QVERIFY2(panel && !panel->isWindow(), name.data());
        QAccessibleInterface* a = accessible(panel);
        QCOMPARE(a->role(), QAccessible::Grouping);
        QVERIFY2(!a->text(QAccessible::Name).isEmpty(), name.data());
    }
    QCOMPARE(accessible(f.find<QWidget>(ObjectNames::kFrameNumbers))->text(QAccessible::Name),
             QStringLiteral("Favorite Vornal Numbers"));

    CancelSendWindow& cancel = w.cancelWindow();
    cancel.showTransmission(QStringLiteral("Transmitting Message"));
    QAccessibleInterface* a = accessible(&cancel);
    QCOMPARE(a->role(), QAccessible::Dialog);
    QCOMPARE(a->text(QAccessible::Name), QStringLiteral("           Vornal"));
    QVERIFY(qAbs(cancel.frameGeometry().center().x() - w.frameGeometry().center().x()) <= 1);
    QVERIFY(qAbs(cancel.frameGeometry().center().y() - w.frameGeometry().center().y()) <= 1);
    // Escape asks to stop, like Cancel.
    QSignalSpy stop(&cancel, &CancelSendWindow::cancelRequested);
    QTest::keyClick(&cancel, Qt::Key_Escape);
    QCOMPARE(stop.size(), 1);
    cancel.hide();
}

void TestKeyboard::firstPlacement_data() {
    QTest::addColumn<int>("screen");
    QTest::newRow("1024x700") << 0;
    QTest::newRow("1280x800") << 1;
}

void TestKeyboard::firstPlacement() {
    QFETCH(int, screen);
    QScreen* s = QGuiApplication::screens().at(screen);
    FakeTerminal f;
    TerminalWindow& w = f.make({}, [s](TerminalWindow& t) { t.setScreen(s); });
    QTest::qWait(20);
    const QRect area = s->availableGeometry();
    const QRect outer = w.frameGeometry();
    QVERIFY2(area.contains(outer), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                  .arg(outer.x())
                                                  .arg(outer.y())
                                                  .arg(outer.width())
                                                  .arg(outer.height())));
    QVERIFY(qAbs((outer.left() - area.left()) - (area.right() - outer.right())) <= 1);
    QVERIFY(qAbs((outer.top() - area.top()) - (area.bottom() - outer.bottom())) <= 1);
    // Every group is on the screen and every button outside the scrolling column shows
    // whole; the column scrolls.
    auto* column = f.find<QScrollArea>(ObjectNames::kSidePanels);
    for (QPushButton* b : w.findChildren<QPushButton*>()) {
        if (!b->isVisible() || column->widget()->isAncestorOf(b))
            continue;
        QVERIFY2(w.rect().contains(placeIn(b, &w)), qPrintable(b->objectName()));
        QVERIFY2(b->width() >= b->fontMetrics().horizontalAdvance(b->text()), qPrintable(b->objectName()));
    }
    for (QGroupBox* g : w.findChildren<QGroupBox*>())
        QVERIFY2(!g->isVisible() || g->height() > 20, qPrintable(g->objectName()));
}

void TestKeyboard::placementKeptWhereItFits_data() {
    QTest::addColumn<QRect>("kept");
    QTest::addColumn<bool>("restored");
    QTest::newRow("on the small screen") << QRect(10, 40, 980, 620) << true;
    QTest::newRow("on the large screen") << QRect(1100, 60, 1100, 700) << true;
    QTest::newRow("off every screen") << QRect(2600, 60, 1000, 650) << false;
    QTest::newRow("too tall for the small screen") << QRect(10, 40, 1000, 690) << false;
}

void TestKeyboard::placementKeptWhereItFits() {
    QFETCH(QRect, kept);
    QFETCH(bool, restored);
    FakeTerminal f;
    const QString section = SettingsKeys::kWindow;
    f.settings.setValue(section, SettingsKeys::kLeft, QString::number(kept.x()));
    f.settings.setValue(section, SettingsKeys::kTop, QString::number(kept.y()));
    f.settings.setValue(section, SettingsKeys::kWidth, QString::number(kept.width()));
    f.settings.setValue(section, SettingsKeys::kHeight, QString::number(kept.height()));
    TerminalWindow& w = f.make();
    QTest::qWait(20);
    QCOMPARE(w.geometry() == kept, restored);
    bool inside = false;
    for (const QScreen* s : QGuiApplication::screens())
        inside = inside || s->availableGeometry().contains(w.frameGeometry());
    QVERIFY(inside);

    // Leaving keeps where the window is for the next start.
    w.setGeometry(QRect(30, 50, 970, 610));
    QVERIFY(w.unload());
    QCOMPARE(f.settings.value(section, SettingsKeys::kLeft), QStringLiteral("30"));
    QCOMPARE(f.settings.value(section, SettingsKeys::kHeight), QStringLiteral("610"));
}

// Two screens side by side: 1024x700 and 1280x800.
int main(int argc, char* argv[]) {
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screens.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(R"({"screens": [
        {"name": "small", "x": 0, "y": 0, "width": 1024, "height": 700, "logicalDpi": 96},
        {"name": "large", "x": 1024, "y": 0, "width": 1280, "height": 800, "logicalDpi": 96}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    QApplication app(argc, argv);
    QTEST_SET_MAIN_SOURCE_PATH
    TestKeyboard test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_keyboard.moc"
