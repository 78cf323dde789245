#include "editortext.h"
#include "faketerminal.h"
#include "features/editor/editorwindow.h"
#include "files/programfiles.h"
#include "look/objectnames.h"
#include "phaseprobe.h"
#include "platform/qtuserdialogs.h"
#include "testfiles.h"

#include <QAccessible>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTextEdit>
#include <QToolButton>
#include <QtTest>

using namespace vornal;

namespace {

template <typename T = QWidget> T* child(const QWidget& window, QAnyStringView name) {
    T* w = window.findChild<T*>(name.toString());
    if (!w)
        qWarning("no control %s", qPrintable(name.toString()));
    return w;
}
QString text(const QWidget& window, QAnyStringView name) {
    return child<QLabel>(window, name)->text();
}
// The toolbar's work runs right after the press, queued; run it.
void clickTool(const QWidget& window, const char* key) {
    QTest::mouseClick(child<QToolButton>(window, QStringLiteral("Toolbar_") + QLatin1String(key)),
                      Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
}
QColor warningColour(const QWidget& window) {
    auto* max = child<QLabel>(window, ObjectNames::kLblMax);
    max->ensurePolished();
    return max->palette().color(QPalette::WindowText);
}
QString keyList(const QWidget& window, bool enabled) {
    QStringList keys;
    for (const QToolButton* b : window.findChildren<QToolButton*>()) {
        if (b->objectName().startsWith(QLatin1String("Toolbar_")) && b->isEnabled() == enabled)
            keys << b->objectName().mid(8);
    }
    return keys.join(QLatin1Char(' '));
}
// A driver of checks that may stop early (a failed QVERIFY returns), then the
// window's result.
ScriptedRunner::Driver drive(std::function<void(QDialog&)> steps) {
    return [steps](QDialog& dialog) {
        steps(dialog);
        return dialog.result();
    };
}
EditorWindow& editorOf(QDialog& dialog) {
    return *qobject_cast<EditorWindow*>(&dialog);
}

} // namespace

// The editor window and the help window as the main window's buttons open them.
class TestEditorWindow : public QObject {
    Q_OBJECT
private slots:
    void callersOpenTheEditor_data();
    void callersOpenTheEditor();
    void typingCaretColumnWarningAndSave();
    void saveQuestionFromTheKeyboard_data();
    void saveQuestionFromTheKeyboard();
    void questionBoxKeys_data();
    void questionBoxKeys();
    void pressReturnsBeforeTheQuestion_data();
    void pressReturnsBeforeTheQuestion();
    void helpFromTheEditorReturnsToIt();
    void helpVersionAndHomepage();
};

void TestEditorWindow::callersOpenTheEditor_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("status"); // %1 is the path
    QTest::addColumn<QString>("enabled");
    QTest::newRow("Edit Message") << "lblEditRund"
                                  << "Message.txt"
                                  << "Loading Rundsenden Message Editor"
                                  << "You are editing the default Message  %1"
                                  << "new save saveas exit help time date";
    QTest::newRow("Edit KLKL") << "lblEditKLKL"
                               << "klkl.txt"
                               << "Loading Rundsenden Message Editor"
                               << "You are editing the default Message  %1"
                               << "new save saveas exit help time date";
    QTest::newRow("Edit Config") << "lblEditConfig"
                                 << "VornalUsb.cfg"
                                 << "Loading Configuration Editor"
                                 << "You are editing the configuration file ! %1"
                                 << "save exit help";
    QTest::newRow("preset phrases") << ""
                                    << "VornalPresetText.txt"
                                    << "Program Parameters Loaded"
                                    << "You are editing the Preset Phrases %1"
                                    << "save exit help time date";
    QTest::newRow("embedded editor") << "lblEditor"
                                     << "notes.txt"
                                     << "Loading Editor"
                                     << "Vornal Message Editor"
                                     << "new open save saveas print exit help time date";
}

void TestEditorWindow::callersOpenTheEditor() {
    QFETCH(QString, button);
    QFETCH(QString, file);
    QFETCH(QString, status);
    FakeTerminal f;
    if (file != programFile(ProgramFiles::kConfiguration))
        f.writeFile(file, "first line\r\nsecond");
    f.make();
    const QString path = f.path(file);
    f.dialogs.files.enqueue(path); // the embedded editor's open dialog
    QString title;
    f.runner.drivers.enqueue(drive([&](QDialog& dialog) {
        title = dialog.windowTitle();
        QVERIFY(dialog.isModal());
        QCOMPARE(text(dialog, ObjectNames::kLblStatus),
                 status.contains(QLatin1String("%1")) ? status.arg(path) : status);
        QTEST(keyList(dialog, true), "enabled");
        QCOMPARE(text(dialog, ObjectNames::kLblRuler), QString::fromLatin1(EditorWindow::kRuler));
        QCOMPARE(text(dialog, ObjectNames::kStatus_row) + text(dialog, ObjectNames::kStatus_col),
                 QStringLiteral("11"));
        QCOMPARE(text(dialog, ObjectNames::kStatus_modified), QString());
        auto* field = child<QPlainTextEdit>(dialog, ObjectNames::kTxtText);
        QVERIFY(QFontInfo(field->font()).fixedPitch());
        const QString loaded = *EditorText::loadedText(QString::fromLatin1(f.fileBytes(file)));
        QCOMPARE(field->toPlainText(), EditorText::toField(loaded));
        clickTool(dialog, "exit");
    }));
    if (button.isEmpty()) // the preset phrases' own button comes with their panel
        f.window->features().openEditor(path, EditorMode::PresetPhrases);
    else
        f.click(qPrintable(button));
    QCOMPARE(f.runner.opened, QStringList{ObjectNames::kFrmEdit});
    QCOMPARE(title, QStringLiteral("Vornal Editor Vornal 2022   / ") + path);
    QTEST(f.text(ObjectNames::kLblAction), "action");
    if (button == ObjectNames::kLblEditor) {
        const FileRequest open = f.dialogs.fileRequests.value(0);
        QCOMPARE(QStringList({open.title, open.folder, open.filter}),
                 QStringList({QStringLiteral("Edit file"), f.dir.path(),
                              QStringLiteral("Text Files (*.txt);;All Files (*)")}));
    }
}

void TestEditorWindow::typingCaretColumnWarningAndSave() {
    FakeTerminal f;
    f.writeFile(programFile(ProgramFiles::kMessage), QByteArray(67, 'a') + "\r\nxy\r\n");
    PhaseProbe probe;
    f.make({}, [&](TerminalWindow& t) { t.features().addFeature(&probe); });
    f.runner.drivers.enqueue(drive([&](QDialog& dialog) {
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QSignalSpy beeps(&editorOf(dialog).editor(), &MessageEditor::beep);
        auto* field = child<QPlainTextEdit>(dialog, ObjectNames::kTxtText);
        const auto caret = [&] {
            return text(dialog, ObjectNames::kStatus_row) + QLatin1Char(',') +
                   text(dialog, ObjectNames::kStatus_col);
        };

        QTest::keyClick(field, Qt::Key_End);
        QCOMPARE(caret(), QStringLiteral("1,68"));
        QCOMPARE(warningColour(dialog), QColor(0, 255, 0));
        QCOMPARE(beeps.size(), 0);
        QTest::keyClick(field, Qt::Key_Z);
        QCOMPARE(caret(), QStringLiteral("1,69"));
        QCOMPARE(warningColour(dialog), QColor(255, 0, 0));
        QVERIFY(beeps.size() >= 1);
        QCOMPARE(text(dialog, ObjectNames::kStatus_modified), QStringLiteral("modified"));
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(caret(), QStringLiteral("1,68"));
        QCOMPARE(warningColour(dialog), QColor(0, 255, 0));
        QTest::keyClick(field, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(caret(), QStringLiteral("3,1"));
        QTextCursor atY(field->document());
        atY.setPosition(69); // between "x" and "y"
        QTest::mouseClick(field->viewport(), Qt::LeftButton, {}, field->cursorRect(atY).center());
        QCOMPARE(caret(), QStringLiteral("2,2"));

        // Closing the window with unsaved changes asks; Yes saves them, one byte per
        // character, and the main window reads its lists again.
        QTest::keyClick(field, Qt::Key_End, Qt::ControlModifier);
        for (const QTest::KeyAction action : {QTest::Press, QTest::Release})
            QTest::sendKeyEvent(action, field, Qt::Key_Adiaeresis, QStringLiteral("\u00e4"), Qt::NoModifier);
        f.dialogs.answers.enqueue(DialogAnswer::Yes);
        QTest::keyClick(field, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
    }));
    f.click(ObjectNames::kLblEditRund);
    QCOMPARE(f.dialogs.messages.size(), 1);
    QCOMPARE(f.dialogs.messages.first().buttons, DialogButtons::YesNo);
    QCOMPARE(f.fileBytes(programFile(ProgramFiles::kMessage)), QByteArray(67, 'a') + "\r\nxy\r\n\xe4");
    QCOMPARE(probe.refreshes, 1);
}

void TestEditorWindow::saveQuestionFromTheKeyboard_data() {
    QTest::addColumn<DialogAnswer>("answer");
    QTest::addColumn<bool>("stays");
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("Escape goes back to the text") << DialogAnswer::Cancel << true << QByteArray("TEXT\r\n");
    QTest::newRow("Yes saves and closes") << DialogAnswer::Yes << false << QByteArray("TEXT\r\nXY");
    QTest::newRow("No closes unsaved") << DialogAnswer::No << false << QByteArray("TEXT\r\n");
}

// Escape in the editor asks whether to save the changed text; the question's own
// Escape (a Cancel) goes back to the editor with the text and the file untouched.
void TestEditorWindow::saveQuestionFromTheKeyboard() {
    QFETCH(DialogAnswer, answer);
    QFETCH(bool, stays);
    QFETCH(QByteArray, file);
    FakeTerminal f;
    f.writeFile(programFile(ProgramFiles::kMessage), "TEXT\r\n");
    f.make();
    bool open = false;
    QString text;
    f.runner.drivers.enqueue(drive([&](QDialog& dialog) {
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* field = child<QPlainTextEdit>(dialog, ObjectNames::kTxtText);
        QTest::keyClick(field, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(field, QStringLiteral("XY"));
        f.dialogs.answers.enqueue(answer);
        QTest::keyClick(field, Qt::Key_Escape);
        open = dialog.isVisible();
        text = child<QPlainTextEdit>(dialog, ObjectNames::kTxtText)->toPlainText();
        QCOMPARE(f.dialogs.messages.last().escapeAnswer, std::optional(DialogAnswer::Cancel));
        QCOMPARE(f.fileBytes(programFile(ProgramFiles::kMessage)), file);
        if (open) {
            QCOMPARE(dialog.focusWidget(), field);
            QVERIFY(editorOf(dialog).editor().isModified());
            f.dialogs.answers.enqueue(DialogAnswer::No);
            QTest::keyClick(field, Qt::Key_Escape);
        }
    }));
    f.click(ObjectNames::kLblEditRund);
    QCOMPARE(open, stays);
    QCOMPARE(text, QStringLiteral("TEXT\nXY"));
}

void TestEditorWindow::questionBoxKeys_data() {
    QTest::addColumn<DialogButtons>("buttons");
    QTest::addColumn<std::optional<DialogAnswer>>("defaultAnswer");
    QTest::addColumn<std::optional<DialogAnswer>>("escapeAnswer");
    QTest::addColumn<int>("key");
    QTest::addColumn<DialogAnswer>("answer");
    const std::optional<DialogAnswer> none;
    const std::optional<DialogAnswer> cancel = DialogAnswer::Cancel;
    const std::optional<DialogAnswer> yes = DialogAnswer::Yes;
    QTest::newRow("Escape on a question that goes back")
        << DialogButtons::YesNo << none << cancel << int(Qt::Key_Escape) << DialogAnswer::Cancel;
    QTest::newRow("Escape on a plain Yes/No")
        << DialogButtons::YesNo << none << none << int(Qt::Key_Escape) << DialogAnswer::No;
    QTest::newRow("Return on the default")
        << DialogButtons::YesNo << yes << cancel << int(Qt::Key_Return) << DialogAnswer::Yes;
    QTest::newRow("Escape on a message")
        << DialogButtons::Ok << none << none << int(Qt::Key_Escape) << DialogAnswer::Ok;
    QTest::newRow("Escape with Cancel among the buttons")
        << DialogButtons::YesNoCancel << none << cancel << int(Qt::Key_Escape) << DialogAnswer::Cancel;
}

// The real message box, shown without a modal loop: the keys answer what the request
// says, and a question that can go back shows only its own buttons.
void TestEditorWindow::questionBoxKeys() {
    QFETCH(DialogButtons, buttons);
    QFETCH(std::optional<DialogAnswer>, defaultAnswer);
    QFETCH(std::optional<DialogAnswer>, escapeAnswer);
    QFETCH(int, key);
    QFETCH(DialogAnswer, answer);
    const std::unique_ptr<QMessageBox> box = QtUserDialogs::makeMessageBox(
        {QStringLiteral("Question"), QString(), buttons, DialogIcon::Question, defaultAnswer, escapeAnswer},
        nullptr);
    box->setWindowModality(Qt::NonModal);
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box.get()));
    int shown = 0;
    for (const QAbstractButton* b : box->buttons())
        shown += b->isVisible();
    QCOMPARE(shown, buttons == DialogButtons::YesNo ? 2 : buttons == DialogButtons::Ok ? 1 : 3);
    QTest::keyClick(box.get(), Qt::Key(key));
    QVERIFY(!box->isVisible());
    QCOMPARE(QtUserDialogs::answerOf(*box), answer);
}

void TestEditorWindow::pressReturnsBeforeTheQuestion_data() {
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<bool>("asksAFile");
    QTest::newRow("New on a changed text") << QByteArray("new") << false;
    QTest::newRow("Exit on a changed text") << QByteArray("exit") << false;
    QTest::newRow("Save As") << QByteArray("saveas") << true;
}

// An assistive client's Press on a tool button is a synchronous click(): it returns
// before the question or the file window it causes opens, which then opens at once.
void TestEditorWindow::pressReturnsBeforeTheQuestion() {
    QFETCH(QByteArray, key);
    QFETCH(bool, asksAFile);
    FakeTerminal f;
    f.writeFile(programFile(ProgramFiles::kMessage), "TEXT\r\n");
    f.make();
    int askedDuringPress = -1;
    int askedAfter = -1;
    f.runner.drivers.enqueue(drive([&](QDialog& dialog) {
        QTest::keyClicks(child<QPlainTextEdit>(dialog, ObjectNames::kTxtText), QStringLiteral("X"));
        f.dialogs.answers.enqueue(DialogAnswer::Cancel);
        auto* button = child<QToolButton>(dialog, QStringLiteral("Toolbar_") + QLatin1String(key));
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
        QVERIFY(
            accessible->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
        accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        const auto asked = [&] {
            return int(asksAFile ? f.dialogs.fileRequests.size() : f.dialogs.messages.size());
        };
        askedDuringPress = asked();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        askedAfter = asked();
        dialog.reject();
    }));
    f.click(ObjectNames::kLblEditRund);
    QCOMPARE(askedDuringPress, 0);
    QCOMPARE(askedAfter, 1);
}

void TestEditorWindow::helpFromTheEditorReturnsToIt() {
    FakeTerminal f;
    f.writeFile(programFile(ProgramFiles::kHelpText), "{\\rtf1 {\\b Notes}\\par line two}");
    f.make();
    bool editorOpenAfterHelp = false;
    f.runner.drivers.enqueue(drive([&](QDialog& dialog) {
        clickTool(dialog, "help");
        editorOpenAfterHelp = f.runner.opened.size() == 2;
        clickTool(dialog, "exit");
    }));
    f.runner.drivers.enqueue(drive([&](QDialog& help) {
        QCOMPARE(help.windowTitle(), QStringLiteral("Vornal USB Terminal Help"));
        QCOMPARE(text(help, ObjectNames::kLblHelpContext), QStringLiteral("What's new in this Version"));
        QVERIFY(!child(help, ObjectNames::kFrameHelp)->isHidden());
        QCOMPARE(child<QTextEdit>(help, ObjectNames::kRichTextBox1)->toPlainText(),
                 QStringLiteral("Notes\nline two"));
        QTest::mouseClick(child<QPushButton>(help, ObjectNames::kLblExit), Qt::LeftButton);
    }));
    f.click(ObjectNames::kLblEditRund);
    QVERIFY(editorOpenAfterHelp);
    QCOMPARE(f.runner.opened, (QStringList{ObjectNames::kFrmEdit, ObjectNames::kFrmHelp}));
    QCOMPARE(f.dialogs.texts(), QStringList{QStringLiteral("Help")});
}

void TestEditorWindow::helpVersionAndHomepage() {
    FakeTerminal f;
    f.make();
    for (QLatin1StringView name :
         {ObjectNames::kLblAiuto, ObjectNames::kLblHomepage, ObjectNames::kLblEditor}) {
        QVERIFY2(!f.button(name)->toolTip().isEmpty(), name.data());
        QVERIFY2(!f.button(name)->accessibleName().isEmpty(), name.data());
    }
    // Every opening reads the notes again; a missing file gives an empty view.
    QStringList shown;
    const auto readHelp = [&](QDialog& help) {
        shown << child<QTextEdit>(help, ObjectNames::kRichTextBox1)->toPlainText();
        return int(QDialog::Accepted);
    };
    for (const QByteArray& notes :
         {QByteArray("{\\rtf1 first}"), QByteArray("{\\rtf1 second}"), QByteArray()}) {
        QFile::remove(f.path(programFile(ProgramFiles::kHelpText)));
        if (!notes.isEmpty())
            f.writeFile(programFile(ProgramFiles::kHelpText), notes);
        f.runner.drivers.enqueue(readHelp);
        f.click(ObjectNames::kLblAiuto);
    }
    QCOMPARE(shown, (QStringList{QStringLiteral("first"), QStringLiteral("second"), QString()}));

    f.click(ObjectNames::kLblVersion);
    QCOMPARE(f.dialogs.texts(),
             QStringList{QStringLiteral(" Parlo V.10.1.5  15/01/2024 22:00 bug fix send preview")});

    f.click(ObjectNames::kLblHomepage);
    QVERIFY(f.desktop.opened.isEmpty());
    QVERIFY(f.text(ObjectNames::kLblAction).contains(f.path(programFile(ProgramFiles::kManual))));
    f.writeFile(programFile(ProgramFiles::kManual), "<html></html>");
    f.desktop.succeeds = false; // the desktop's failure is told in the status line, not in a dialog
    f.click(ObjectNames::kLblHomepage);
    QCOMPARE(f.desktop.opened, QList<QUrl>{QUrl::fromLocalFile(f.path(programFile(ProgramFiles::kManual)))});
    QCOMPARE(f.dialogs.messages.size(), 1);
    QCOMPARE(f.text(ObjectNames::kLblAction),
             QStringLiteral("The desktop could not open the operator's manual: ") +
                 f.path(programFile(ProgramFiles::kManual)));
}

QTEST_MAIN(TestEditorWindow)
#include "tst_editorwindow.moc"
