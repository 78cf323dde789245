#include "faketerminal.h"
#include "files/programfiles.h"
#include "look/objectnames.h"
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
    f.click(ObjectNames::kLblOpen1);
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
    f.writeFile(programFile(ProgramFiles::kPresetPhrases), "a\r\nb\r\nc\r\n");
    f.make();
    QSignalSpy editor(&f.window->features(), &FeatureContext::editorRequested);
    QCOMPARE(f.text(ObjectNames::element(ObjectNames::kLblPresetText, 1)), QStringLiteral("b"));
    QCOMPARE(f.text(ObjectNames::element(ObjectNames::kLblPresetText, 3)), QString());
    QCOMPARE(f.button(ObjectNames::kLblFox)->toolTip(), QStringLiteral("Send The Quick Brown Fox ...."));

    // "Refresh Lists" reads the phrases again.
    f.writeFile(programFile(ProgramFiles::kPresetPhrases), "new\r\n");
    f.click(ObjectNames::kLblRefresh);
    QCOMPARE(f.text(ObjectNames::element(ObjectNames::kLblPresetText, 0)), QStringLiteral("new"));
    QCOMPARE(f.text(ObjectNames::element(ObjectNames::kLblPresetText, 1)), QString());

    goLive(f);
    f.click(ObjectNames::element(ObjectNames::kLblPresetText, 0));
    QCOMPARE(f.link.written(), QByteArray("\rnew"));
    QCOMPARE(f.window->terminal()->textCursor().position(), f.window->terminal()->toPlainText().size());

    f.runner.drivers.enqueue([](QDialog&) { return int(QDialog::Rejected); });
    f.click(ObjectNames::kLblEditData);
    QCOMPARE(f.runner.opened, QStringList{ObjectNames::kFrmEdit});
    QCOMPARE(f.text(ObjectNames::kLblAction), QStringLiteral("Loading Preset Text Editor"));
    QCOMPARE(editor.size(), 1);
    QCOMPARE(editor.first().at(0).toString(), f.path(programFile(ProgramFiles::kPresetPhrases)));
    QCOMPARE(editor.first().at(1).value<EditorMode>(), EditorMode::PresetPhrases);
}

// The stored sets are in the boxes from the start: "Send Headline" sends the stored
// set 2 with the time of sending and leaves "\Headlines.txt" as it was.
void TestTexts::storedHeadlineIsSentBeforeTheEditorOpens() {
    FakeTerminal f;
    f.writeFile(programFile(ProgramFiles::kHeadlineSets), storedSets());
    f.make();
    QCOMPARE(f.window->session().state().headlineSelect, 1);
    goLive(f);
    f.click(ObjectNames::kLblSendHeadlines);
    QCOMPARE(f.fileBytes(programFile(ProgramFiles::kHeadlineSets)), storedSets());
    QCOMPARE(f.fileBytes(programFile(ProgramFiles::kHeadline)),
             QByteArray("f11 f12\r\nf13 ref f15 07/12/2026 f17 09:30:00\r\nf19 f20 f21\r\n"));
    QCOMPARE(f.link.written(),
             QByteArray("\rf11 f12\rf13 ref f15 07/12/2026 f17 09:30:00\rf19 f20 f21\r\r\r"));
}

void TestTexts::headlineEditor() {
    FakeTerminal f;
    f.writeFile(programFile(ProgramFiles::kHeadlineSets), storedSets().left(20));
    f.make();
    f.click(ObjectNames::kLblHeadlineEditor);
    QVERIFY(f.find<QWidget>(ObjectNames::kFrameHeadLine)->isVisible());
    QCOMPARE(f.text(ObjectNames::kLblAction),
             QStringLiteral("Headlines.txt holds 5 of 34 lines: the other headline boxes keep their texts"));
    QCOMPARE(f.find<QLineEdit>(ObjectNames::element(ObjectNames::kTxtHeadlines, 5))->text(),
             QStringLiteral("07/12/2026"));
    QVERIFY(f.find<QRadioButton>(ObjectNames::element(ObjectNames::kOption1, 0))->isChecked());

    f.find<QLineEdit>(ObjectNames::element(ObjectNames::kTxtHeadlines, 14))->clear();
    QTest::keyClicks(f.find<QLineEdit>(ObjectNames::element(ObjectNames::kTxtHeadlines, 14)),
                     QStringLiteral("2026-9"));
    QCOMPARE(f.find<QLineEdit>(ObjectNames::element(ObjectNames::kTxtHeadlines, 3))->text(),
             QStringLiteral("2026-9"));
    QCOMPARE(f.find<QLineEdit>(ObjectNames::element(ObjectNames::kTxtHeadlines, 25))->text(),
             QStringLiteral("2026-9"));

    f.find<QRadioButton>(ObjectNames::element(ObjectNames::kOption1, 2))->click();
    QCOMPARE(f.window->session().state().headlineSelect, 2);
    f.click(ObjectNames::kLblView);
    auto* list = f.find<QListWidget>(ObjectNames::kLstHeadlines);
    QVERIFY(list->isVisible());
    QCOMPARE(list->count(), 6);
    QCOMPARE(list->item(1)->text().size(), 67);
    QCOMPARE(list->property("headlineSet").toInt(), 2);
    f.click(ObjectNames::kLblClsPreview);
    QVERIFY(!list->isVisible());

    f.click(ObjectNames::kLblExitHeadlineEditor);
    QVERIFY(!f.find<QWidget>(ObjectNames::kFrameHeadLine)->isVisible());
    QVERIFY(f.fileBytes(programFile(ProgramFiles::kHeadlineSets)).endsWith("\r\n2\r\n"));
    QVERIFY(f.fileBytes(programFile(ProgramFiles::kHeadline)).contains(" 2026-9 "));
}

void TestTexts::unwritableHeadlineKeepsTheEditorAndSendsNothing() {
    FakeTerminal f;
    f.make();
    QVERIFY(QDir(f.dir.path()).mkdir(programFile(ProgramFiles::kHeadline)));
    goLive(f);
    f.click(ObjectNames::kLblSendHeadlines);
    QVERIFY(f.link.written().isEmpty());
    QVERIFY(f.find<QWidget>(ObjectNames::kFrameHeadLine)->isVisible());
    QCOMPARE(f.dialogs.messages.size(), 2); // the question, then the reason
    QVERIFY(f.dialogs.messages.last().text.contains(programFile(ProgramFiles::kHeadline)));
    QCOMPARE(f.text(ObjectNames::kLblAction), QStringLiteral("Headline not sent: it could not be written"));
}

// "Send Preview" sends the previewed text, not what the clipboard holds by then.
void TestTexts::clipboardPreviewAndSend() {
    FakeTerminal f;
    f.make();
    f.click(ObjectNames::kLblOpen1);
    f.link.clearWrites();
    QGuiApplication::clipboard()->setText(QString::fromUtf8("Grüße"));
    f.click(ObjectNames::kLblPaste);
    auto* panel = f.find<QWidget>(ObjectNames::kTabPreview);
    QVERIFY(panel->isVisible());
    QCOMPARE(f.find<QPlainTextEdit>(ObjectNames::kRichTextBox1)->toPlainText(),
             QStringLiteral("Gruesze\n\n\n"));
    QCOMPARE(f.link.written(), QByteArray("\r"));

    QGuiApplication::clipboard()->setText(QStringLiteral("changed"));
    f.call();
    f.click(ObjectNames::kCmdSendPreview);
    QVERIFY(!panel->isVisible());
    QCOMPARE(f.link.written(), QByteArray("\r\x01\rGruesze\r\r\r"));
    QCOMPARE(f.find<QPlainTextEdit>(ObjectNames::kRichTextBox1)->toPlainText(), QString());
    QVERIFY(f.window->session().state().pastePreview);
    QCOMPARE(f.text(ObjectNames::kLblMaxChar), QStringLiteral("2"));
}

QTEST_MAIN(TestTexts)
#include "tst_texts.moc"
