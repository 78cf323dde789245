#include "faketerminal.h"
#include "files/programfiles.h"
#include "look/objectnames.h"
#include "testfiles.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QtTest>

using namespace vornal;

namespace {

// The main window, active, with the port open and a call up; what the box was sent
// so far is forgotten.
struct Operator : FakeTerminal {
    TerminalWindow& w;
    Operator() : FakeTerminal(withCharDelay("0.001 s")), w(make()) {
        QApplication::setActiveWindow(&w);
        click(ObjectNames::kLblOpen1);
        call();
        link.clearWrites();
        dialogs.messages.clear();
    }
    QWidget* focus() const { return w.focusWidget(); }
    QString focusName() const { return focus() ? focus()->objectName() : QStringLiteral("<none>"); }
    // The keyboard reaches `name` as Tab would bring it there.
    QWidget* tabTo(const QString& name) {
        QWidget* target = find<QWidget>(name);
        target->setFocus(Qt::TabFocusReason);
        return target;
    }
    void key(int k) { QTest::keyClick(focus(), Qt::Key(k)); }
};

QString slotName(int i) {
    return ObjectNames::element(ObjectNames::kLblCallNumbers, i);
}

} // namespace

class TestOperatorKeys : public QObject {
    Q_OBJECT
private slots:
    void commandsThatWantTypingGiveTheTerminalTheKeyboard_data();
    void commandsThatWantTypingGiveTheTerminalTheKeyboard();
    void terminalKeyFromEveryGroup_data();
    void terminalKeyFromEveryGroup();
    void favouriteSlotsAreOneTabStop_data();
    void favouriteSlotsAreOneTabStop();
    void panelKeys_data();
    void panelKeys();
};

void TestOperatorKeys::commandsThatWantTypingGiveTheTerminalTheKeyboard_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("wantsTyping");
    QTest::newRow("Call") << "LblCall" << true;
    QTest::newRow("Go Ahead") << "lblGoAhead" << true;
    QTest::newRow("Messages") << "LblMsg" << true;
    QTest::newRow("Next Msg") << "lblNexMessage" << true;
    QTest::newRow("Bell stays") << "lblBell" << false;
    QTest::newRow("Letters stays") << "lblBu" << false;
}

// Space on a command after which the box waits for typing hands the keyboard to the
// terminal, so that the digits typed next reach the box; the others keep it.
void TestOperatorKeys::commandsThatWantTypingGiveTheTerminalTheKeyboard() {
    QFETCH(QString, button);
    QFETCH(bool, wantsTyping);
    Operator o;
    QWidget* pressed = o.tabTo(button);
    o.key(Qt::Key_Space);
    QVERIFY2(!o.link.written().isEmpty(), "the command went out");
    if (button == ObjectNames::kLblCall)
        QCOMPARE(o.link.written(), QByteArray("\x01"));
    QCOMPARE(o.focus(), wantsTyping ? static_cast<QWidget*>(o.w.terminal()) : pressed);
    o.link.clearWrites();
    QTest::keyClicks(o.focus(), QStringLiteral("31407"));
    QCOMPARE(o.link.written(), wantsTyping ? QByteArray("31407") : QByteArray());
}

void TestOperatorKeys::terminalKeyFromEveryGroup_data() {
    QTest::addColumn<QString>("opens");
    QTest::addColumn<QString>("control");
    QTest::newRow("header") << QString() << "lblVersion";
    QTest::newRow("Port") << QString() << "lblOpen1";
    QTest::newRow("Interface") << QString() << "lblClear";
    QTest::newRow("Send") << QString() << "lblSendMessage";
    QTest::newRow("Calls") << QString() << "lblRefresh";
    QTest::newRow("Program") << QString() << "lblExit";
    QTest::newRow("favourites panel") << "lblPhonebookShow"
                                      << "lblExitNumbers";
    QTest::newRow("punch panel") << "lblPuncher"
                                 << "txtInput";
    QTest::newRow("headline editor") << "lblHeadlineEditor"
                                     << "txtHeadlines_3";
}

// F6 brings the keyboard back to the terminal, wherever it is in the window, and the
// terminal's tip says so.
void TestOperatorKeys::terminalKeyFromEveryGroup() {
    QFETCH(QString, opens);
    QFETCH(QString, control);
    Operator o;
    QVERIFY(o.w.terminal()->toolTip().contains(QLatin1String("F6")));
    if (!opens.isEmpty())
        o.click(opens);
    o.tabTo(control);
    QCOMPARE(o.focusName(), control);
    o.key(Qt::Key_F6);
    QCOMPARE(o.focus(), o.w.terminal());
    QVERIFY(o.link.written().isEmpty());
    // And the keyboard is there to type to the box.
    QTest::keyClicks(o.focus(), QStringLiteral("k"));
    QCOMPARE(o.link.written(), QByteArray("k"));
}

void TestOperatorKeys::favouriteSlotsAreOneTabStop_data() {
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("slot");
    QTest::newRow("down three") << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Down} << 3;
    QTest::newRow("right, left") << QList<int>{Qt::Key_Right, Qt::Key_Right, Qt::Key_Left} << 1;
    QTest::newRow("up wraps to the last") << QList<int>{Qt::Key_Up} << 24;
    QTest::newRow("end") << QList<int>{Qt::Key_End} << 24;
    QTest::newRow("down from the last wraps") << QList<int>{Qt::Key_End, Qt::Key_Down} << 0;
    QTest::newRow("home") << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Home} << 0;
}

// The 25 slots are one stop of Tab; the arrows move inside it, and Tab comes back
// to the slot last reached.
void TestOperatorKeys::favouriteSlotsAreOneTabStop() {
    QFETCH(QList<int>, keys);
    QFETCH(int, slot);
    Operator o;
    o.click(ObjectNames::kLblPhonebookShow);
    QTest::qWait(10);
    const auto slotStops = [&] {
        int stops = 0;
        o.tabTo(ObjectNames::kLblVersion);
        for (int i = 0; i < 200; ++i) {
            stops += o.focusName().startsWith(QLatin1String("lblCallNumbers_"));
            o.key(Qt::Key_Tab);
            if (o.focusName() == ObjectNames::kLblVersion)
                break;
        }
        return stops;
    };
    QCOMPARE(slotStops(), 1);
    o.tabTo(ObjectNames::kLblExitNumbers);
    o.key(Qt::Key_Backtab);
    QCOMPARE(o.focusName(), slotName(0));
    for (const int k : keys)
        o.key(k);
    QCOMPARE(o.focusName(), slotName(slot));
    QVERIFY(o.link.written().isEmpty());
    o.key(Qt::Key_Tab);
    QCOMPARE(o.focusName(), ObjectNames::kLblExitNumbers);
    o.key(Qt::Key_Backtab);
    QCOMPARE(o.focusName(), slotName(slot));
    QCOMPARE(slotStops(), 1);
}

void TestOperatorKeys::panelKeys_data() {
    QTest::addColumn<QString>("opens");
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QByteArray>("sent"); // "punched": the tape's bytes, whatever they are
    // Escape leaves as Exit does, the keyboard back in the terminal.
    QTest::newRow("favourites, Escape") << "lblPhonebookShow"
                                        << "frameNumbers"
                                        << "lblCallNumbers_0" << int(Qt::Key_Escape) << true << QByteArray();
    QTest::newRow("punch, Escape") << "lblPuncher"
                                   << "frmPunch"
                                   << "txtInput" << int(Qt::Key_Escape) << true << QByteArray();
    QTest::newRow("headline editor, Escape")
        << "lblHeadlineEditor"
        << "frameHeadLine"
        << "txtHeadlines_3" << int(Qt::Key_Escape) << true << QByteArray();
    // Return does the panel's main action.
    QTest::newRow("favourites, Return dials")
        << "lblPhonebookShow"
        << "frameNumbers"
        << "lblCallNumbers_7" << int(Qt::Key_Return) << false << QByteArray("\x01 7");
    QTest::newRow("favourites, Return on Exit")
        << "lblPhonebookShow"
        << "frameNumbers"
        << "lblExitNumbers" << int(Qt::Key_Return) << true << QByteArray();
    QTest::newRow("punch, Return punches")
        << "lblPuncher"
        << "frmPunch"
        << "txtInput" << int(Qt::Key_Return) << false << QByteArray("punched");
    QTest::newRow("punch, Space on Punch")
        << "lblPuncher"
        << "frmPunch"
        << "cmdPunch" << int(Qt::Key_Space) << false << QByteArray("punched");
    QTest::newRow("headline editor, Return previews")
        << "lblHeadlineEditor"
        << "frameHeadLine"
        << "txtHeadlines_3" << int(Qt::Key_Return) << false << QByteArray();
}

// Escape and Return in the panels; while a panel works the keyboard stays in it.
void TestOperatorKeys::panelKeys() {
    QFETCH(QString, opens);
    QFETCH(QString, panel);
    QFETCH(QString, control);
    QFETCH(int, key);
    QFETCH(bool, closes);
    QFETCH(QByteArray, sent);
    Operator o;
    o.click(opens);
    QWidget* p = o.find<QWidget>(panel);
    QVERIFY(p->isVisible());
    if (auto* input = o.find<QLineEdit>(ObjectNames::kTxtInput); panel == ObjectNames::kFrmPunch)
        QTest::keyClicks(input, QStringLiteral("x"));
    QWidget* exitButton = nullptr;
    QPoint exitPlace;
    if (panel == ObjectNames::kFrameHeadLine) {
        exitButton = o.find<QWidget>(ObjectNames::kLblExitHeadlineEditor);
        exitPlace = exitButton->mapTo(p, QPoint());
    }
    o.link.clearWrites();
    o.tabTo(control);
    o.key(key);
    QTRY_VERIFY(!o.w.session().transmission().isRunning());
    QCOMPARE(p->isVisible(), !closes);
    if (closes) {
        QCOMPARE(o.focus(), o.w.terminal());
    } else if (panel == ObjectNames::kFrameNumbers) {
        // A dialled number is answered in the terminal.
        QCOMPARE(o.focus(), o.w.terminal());
    } else {
        QVERIFY2(p->isAncestorOf(o.focus()), qPrintable(o.focusName()));
    }
    if (sent == "punched")
        QVERIFY(!o.link.written().isEmpty());
    else if (!sent.isEmpty())
        QVERIFY2(o.link.written().contains(sent), o.link.written().toHex().constData());
    else
        QCOMPARE(o.link.written(), QByteArray());
    if (panel == ObjectNames::kFrameHeadLine && !closes) {
        QVERIFY(o.find<QListWidget>(ObjectNames::kLstHeadlines)->isVisible());
        QCOMPARE(exitButton->mapTo(p, QPoint()), exitPlace);
    }
    if (panel == ObjectNames::kFrameHeadLine && closes)
        QVERIFY(!o.fileBytes(programFile(ProgramFiles::kHeadlineSets)).isEmpty());
}

QTEST_MAIN(TestOperatorKeys)
#include "tst_operatorkeys.moc"
