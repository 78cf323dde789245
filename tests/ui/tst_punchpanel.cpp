#include "faketerminal.h"
#include "features/punch/punchpanel.h"
#include "features/punch/punchpicture.h"
#include "look/objectnames.h"
#include "puncher.h"
#include "tapegeometry.h"

#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

using namespace vornal;

namespace {

// The main window with the port open and, unless told otherwise, a call up.
struct Fixture : FakeTerminal {
    TerminalWindow& w;
    explicit Fixture(bool connected = true) : FakeTerminal(withCharDelay("0.001 s")), w(make()) {
        click(ObjectNames::kLblOpen1);
        if (connected)
            call();
        link.clearWrites();
        dialogs.messages.clear();
    }
    QWidget* panel() const { return find<QWidget>(ObjectNames::kFrmPunch); }
    QLineEdit* input() const { return find<QLineEdit>(ObjectNames::kTxtInput); }
    PunchPicture* picture() const { return find<PunchPicture>(ObjectNames::kPicPunch); }
    PunchSender& sender() const { return find<PunchPanel>(ObjectNames::kFrmPunch)->sender(); }
    // Opens the panel and types the text into it.
    void open(const QString& text = {}) {
        click(ObjectNames::kLblPuncher);
        QTest::keyClicks(input(), text);
    }
};

} // namespace

class TestPunchPanel : public QObject {
    Q_OBJECT
private slots:
    void opensOnlyWithAConnection();
    void previewFollowsTheText();
    void punchShowsEachCharacterAndTheCaption();
    void exitWhilePunchingLetsItFinish();
    void sendErrorLeavesThePanelUsable();
};

void TestPunchPanel::opensOnlyWithAConnection() {
    Fixture f(false);
    QCOMPARE(f.button(ObjectNames::kLblPuncher)->toolTip(),
             QStringLiteral("Starts the human readable punch tape app."));
    f.open();
    QCOMPARE(f.dialogs.texts(), QStringList{QStringLiteral(" No existing connection active ......")});
    QVERIFY(!f.panel()->isVisible());

    f.call();
    f.link.clearWrites();
    f.open(QStringLiteral("AB"));
    f.click(ObjectNames::kCmdEndPunch);
    QVERIFY(!f.panel()->isVisible());
    f.open();
    QVERIFY(f.panel()->isVisible());
    QVERIFY(f.input()->text().isEmpty());
    QVERIFY(f.picture()->dots().isEmpty());
    QCOMPARE(f.w.focusWidget(), f.input());
    QCOMPARE(f.picture()->size(), QSize(857, 64));
    // What is typed there stays in the panel.
    QVERIFY(f.link.writes().isEmpty());
}

// The preview is redrawn as the text changes; a tape longer than the panel scrolls,
// with the glyph at the caret in view.
void TestPunchPanel::previewFollowsTheText() {
    Fixture f;
    f.open(QStringLiteral("a&b"));
    QCOMPARE(f.picture()->dots(), TapeGeometry::previewDots(QStringLiteral("A&B")));
    QTest::keyClick(f.input(), Qt::Key_Backspace);
    QCOMPARE(f.picture()->dots(), TapeGeometry::previewDots(QStringLiteral("A&")));

    f.input()->clear();
    QTest::keyClicks(f.input(), QString(100, QLatin1Char('W')));
    QVERIFY(f.picture()->width() > 4000);
    QScrollBar* bar = f.find<QScrollArea>(ObjectNames::kTapeScroll)->horizontalScrollBar();
    QCOMPARE(bar->value(), bar->maximum());
    f.input()->setCursorPosition(0);
    QTest::keyClicks(f.input(), QStringLiteral("A"));
    QVERIFY(bar->value() < 100);
}

void TestPunchPanel::punchShowsEachCharacterAndTheCaption() {
    Fixture f;
    f.open(QStringLiteral("HI"));
    QStringList captions;
    QList<QList<TapeDot>> pictures;
    QObject::connect(&f.sender(), &PunchSender::characterSent, [&] {
        const auto* caption = f.find<QLabel>(ObjectNames::kLblPreview);
        captions.append(caption->text() +
                        (caption->property("punching").toBool() ? QStringLiteral("(red)") : QString()));
        pictures.append(f.picture()->dots());
        QVERIFY(!f.button(ObjectNames::kCmdPunch)->isEnabled());
    });
    f.click(ObjectNames::kCmdPunch);

    const QByteArray sequence = Puncher(QStringLiteral("HI"));
    QCOMPARE(f.link.written(), sequence);
    QCOMPARE(captions, QStringList(sequence.size(), QStringLiteral(" Puncher Active (red)")));
    // Each time the glyph of the character just sent, and nothing else: Z of the I.
    QCOMPARE(pictures.size(), sequence.size());
    QCOMPARE(pictures[11], TapeGeometry::glyphDots(QStringLiteral("Z")));
    QVERIFY(pictures[10].isEmpty() && pictures[12].isEmpty());
    QCOMPARE(f.text(ObjectNames::kLblPreview), QStringLiteral("Preview"));
    QCOMPARE(f.find<QLabel>(ObjectNames::kLblPreview)->property("punching").toBool(), false);
    QCOMPARE(f.text(ObjectNames::kLblAction), QStringLiteral("Sending Human Readables"));
    QVERIFY(f.button(ObjectNames::kCmdPunch)->isEnabled());

    // With the port closed nothing is sent and only the caption is set.
    f.link.setPortOpen(false);
    f.link.clearWrites();
    f.click(ObjectNames::kCmdPunch);
    QVERIFY(f.link.writes().isEmpty());
    QCOMPARE(f.text(ObjectNames::kLblPreview), QStringLiteral("Preview"));
    QVERIFY(f.dialogs.messages.isEmpty());
}

void TestPunchPanel::exitWhilePunchingLetsItFinish() {
    Fixture f;
    f.open(QStringLiteral("HI"));
    QObject::connect(&f.sender(), &PunchSender::characterSent, [&] {
        if (f.link.writes().size() == 5)
            f.click(ObjectNames::kCmdEndPunch);
    });
    f.click(ObjectNames::kCmdPunch);
    QVERIFY(!f.panel()->isVisible());
    QCOMPARE(f.link.written(), Puncher(QStringLiteral("HI")));
}

void TestPunchPanel::sendErrorLeavesThePanelUsable() {
    Fixture f;
    f.open(QStringLiteral("HI"));
    f.link.writesBeforeFailure = 2;
    f.click(ObjectNames::kCmdPunch);
    QCOMPARE(f.dialogs.texts(), QStringList{f.link.writeFailure.text});
    QCOMPARE(f.text(ObjectNames::kLblPreview), QStringLiteral("Preview"));
    QVERIFY(f.panel()->isVisible());
    f.link.writesBeforeFailure = -1;
    f.link.clearWrites();
    f.click(ObjectNames::kCmdPunch);
    QCOMPARE(f.link.written(), Puncher(QStringLiteral("HI")));
    QCOMPARE(f.dialogs.messages.size(), 1);
}

QTEST_MAIN(TestPunchPanel)
#include "tst_punchpanel.moc"
