#include "faketerminal.h"
#include "testfiles.h"

#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>

using namespace vornal;

namespace {

// The port open and a call up, nothing written yet.
void goLive(FakeTerminal& f) {
    f.click("lblOpen1");
    f.call();
    f.link.clearWrites();
}

// A "\Headlines.txt" whose boxes hold "f0" to "f32", the shared reference "ref", and
// whose chosen set is set 2.
QByteArray storedSets() {
    QByteArray bytes;
    for (int n = 0; n < 33; ++n)
        bytes += (n % 11 == 3 ? QByteArray("ref") : "f" + QByteArray::number(n)) + "\r\n";
    return bytes + "1\r\n";
}

} // namespace

class TestTexts : public QObject {
    Q_OBJECT
private slots:
    void presetPhrases();
    void storedHeadlineIsSentBeforeTheEditorOpens();
    void headlineEditor();
    void unwritableHeadlineKeepsTheEditorAndSendsNothing();
    void clipboardPreviewAndSend();
};

void TestTexts::presetPhrases() {
    FakeTerminal f;
    f.writeFile(QStringLiteral("VornalPresetText.txt"), "a\r\nb\r\nc\r\n");
    f.make();
    QSignalSpy editor(&f.window->features(), &FeatureContext::editorRequested);
    QCOMPARE(f.text("lblPresetText_1"), QStringLiteral("b"));
    QCOMPARE(f.text("lblPresetText_3"), QString());
    QCOMPARE(f.button("LblFox")->toolTip(), QStringLiteral("Send The Quick Brown Fox ...."));

    // "Refresh Lists" reads the phrases again.
    f.writeFile(QStringLiteral("VornalPresetText.txt"), "new\r\n");
    f.click("lblRefresh");
    QCOMPARE(f.text("lblPresetText_0"), QStringLiteral("new"));
    QCOMPARE(f.text("lblPresetText_1"), QString());

    goLive(f);
    f.click("lblPresetText_0");
    QCOMPARE(f.link.written(), QByteArray("\rnew"));
    QCOMPARE(f.window->terminal()->textCursor().position(), f.window->terminal()->toPlainText().size());

    f.runner.drivers.enqueue([](QDialog&) { return int(QDialog::Rejected); });
    f.click("lblEditData");
    QCOMPARE(f.runner.opened, QStringList{QStringLiteral("frmEdit")});
    QCOMPARE(f.text("lblAction"), QStringLiteral("Loading Preset Text Editor"));
    QCOMPARE(editor.size(), 1);
    QCOMPARE(editor.first().at(0).toString(), f.path("VornalPresetText.txt"));
    QCOMPARE(editor.first().at(1).value<EditorMode>(), EditorMode::PresetPhrases);
}

// The stored sets are in the boxes from the start: "Send Headline" sends the stored
// set 2 with the time of sending and leaves "\Headlines.txt" as it was.
void TestTexts::storedHeadlineIsSentBeforeTheEditorOpens() {
    FakeTerminal f;
    f.writeFile(QStringLiteral("Headlines.txt"), storedSets());
    f.make();
    QCOMPARE(f.window->session().state().headlineSelect, 1);
    goLive(f);
    f.click("lblSendHeadlines");
    QCOMPARE(f.fileBytes(QStringLiteral("Headlines.txt")), storedSets());
    QCOMPARE(f.fileBytes(QStringLiteral("Headline1.txt")),
             QByteArray("f11 f12\r\nf13 ref f15 07/12/2026 f17 09:30:00\r\nf19 f20 f21\r\n"));
    QCOMPARE(f.link.written(),
             QByteArray("\rf11 f12\rf13 ref f15 07/12/2026 f17 09:30:00\rf19 f20 f21\r\r\r"));
}

void TestTexts::headlineEditor() {
    FakeTerminal f;
    f.writeFile(QStringLiteral("Headlines.txt"), storedSets().left(20));
    f.make();
    f.click("lblHeadlineEditor");
    QVERIFY(f.find<QWidget>("frameHeadLine")->isVisible());
    QCOMPARE(f.text("lblAction"),
             QStringLiteral("Headlines.txt holds 5 of 34 lines: the other headline boxes keep their texts"));
    QCOMPARE(f.find<QLineEdit>("txtHeadlines_5")->text(), QStringLiteral("07/12/2026"));
    QVERIFY(f.find<QRadioButton>("Option1_0")->isChecked());

    f.find<QLineEdit>("txtHeadlines_14")->clear();
    QTest::keyClicks(f.find<QLineEdit>("txtHeadlines_14"), QStringLiteral("2026-9"));
    QCOMPARE(f.find<QLineEdit>("txtHeadlines_3")->text(), QStringLiteral("2026-9"));
    QCOMPARE(f.find<QLineEdit>("txtHeadlines_25")->text(), QStringLiteral("2026-9"));

    f.find<QRadioButton>("Option1_2")->click();
    QCOMPARE(f.window->session().state().headlineSelect, 2);
    f.click("lblView");
    auto* list = f.find<QListWidget>("lstHeadlines");
    QVERIFY(list->isVisible());
    QCOMPARE(list->count(), 6);
    QCOMPARE(list->item(1)->text().size(), 67);
    QCOMPARE(list->property("headlineSet").toInt(), 2);
    f.click("lblClsPreview");
    QVERIFY(!list->isVisible());

    f.click("lblExitHeadlineEditor");
    QVERIFY(!f.find<QWidget>("frameHeadLine")->isVisible());
    QVERIFY(f.fileBytes(QStringLiteral("Headlines.txt")).endsWith("\r\n2\r\n"));
    QVERIFY(f.fileBytes(QStringLiteral("Headline1.txt")).contains(" 2026-9 "));
}

void TestTexts::unwritableHeadlineKeepsTheEditorAndSendsNothing() {
    FakeTerminal f;
    f.make();
    QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("Headline1.txt")));
    goLive(f);
    f.click("lblSendHeadlines");
    QVERIFY(f.link.written().isEmpty());
    QVERIFY(f.find<QWidget>("frameHeadLine")->isVisible());
    QCOMPARE(f.dialogs.messages.size(), 2); // the question, then the reason
    QVERIFY(f.dialogs.messages.last().text.contains(QStringLiteral("Headline1.txt")));
    QCOMPARE(f.text("lblAction"), QStringLiteral("Headline not sent: it could not be written"));
}

// "Send Preview" sends the previewed text, not what the clipboard holds by then.
void TestTexts::clipboardPreviewAndSend() {
    FakeTerminal f;
    f.make();
    f.click("lblOpen1");
    f.link.clearWrites();
    QGuiApplication::clipboard()->setText(QString::fromUtf8("Grüße"));
    f.click("lblPaste");
    auto* panel = f.find<QWidget>("tabPreview");
    QVERIFY(panel->isVisible());
    QCOMPARE(f.find<QPlainTextEdit>("RichTextBox1")->toPlainText(), QStringLiteral("Gruesze\n\n\n"));
    QCOMPARE(f.link.written(), QByteArray("\r"));

    QGuiApplication::clipboard()->setText(QStringLiteral("changed"));
    f.call();
    f.click("cmdSendPreview");
    QVERIFY(!panel->isVisible());
    QCOMPARE(f.link.written(), QByteArray("\r\x01\rGruesze\r\r\r"));
    QCOMPARE(f.find<QPlainTextEdit>("RichTextBox1")->toPlainText(), QString());
    QVERIFY(f.window->session().state().pastePreview);
    QCOMPARE(f.text("lblMaxChar"), QStringLiteral("2"));
}

QTEST_MAIN(TestTexts)
#include "tst_texts.moc"
