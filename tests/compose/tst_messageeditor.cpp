#include "editorbuffer.h"
#include "editortext.h"
#include "fakeclock.h"
#include "files/programfiles.h"
#include "messageeditor.h"
#include "scripteddialogs.h"
#include "testfiles.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using namespace vornal;

namespace {

struct MemoryBuffer final : EditorBuffer {
    QString content;
    QString text() const override { return content; }
    void setText(const QString& text) override { content = text; }
    void append(const QString& text) override { content += text; }
};

struct Fixture {
    QTemporaryDir dir;
    MemoryBuffer buffer;
    ScriptedDialogs dialogs;
    FakeClock clock;
    MessageEditor editor{buffer, dialogs, clock, ProgramFolder(dir.path())};
    QSignalSpy refreshes{&editor, &MessageEditor::listsRefreshRequested};
    QSignalSpy closes{&editor, &MessageEditor::closeRequested};
    QSignalSpy beeps{&editor, &MessageEditor::beep};

    QString path(QAnyStringView name) const { return dir.filePath(name.toString()); }
    // Opens the file with the given bytes, then the operator types.
    void openEdited(const QByteArray& bytes, const QString& typed = QStringLiteral("typed")) {
        QVERIFY(writeFile(path(programFile(ProgramFiles::kMessage)), bytes));
        editor.open(path(programFile(ProgramFiles::kMessage)), EditorMode::Message);
        if (typed.isEmpty())
            return;
        buffer.content += typed;
        editor.textEdited();
    }
};

} // namespace

// The message editor without its window: modes, loading, saving and the toolbar.
class TestMessageEditor : public QObject {
    Q_OBJECT
private slots:
    void openWithoutAFile();
    void loadFile_data();
    void loadFile();
    void saveKeepsBytesAndAddsLastLineEnd();
    void askToSave_data();
    void askToSave();
    void saveOnNewDocumentAsksForAName();
    void failedWriteKeepsTheOldFile();
    void refusedFileIsNotReplacedByAPlainSave_data();
    void refusedFileIsNotReplacedByAPlainSave();
    void charactersAFileCannotHold_data();
    void charactersAFileCannotHold();
    void simpleActions_data();
    void simpleActions();
};

void TestMessageEditor::openWithoutAFile() {
    // A file not written yet opens empty under its name, without a message; the embedded
    // editor without a chosen file starts a new document, so Save asks for a name.
    Fixture f;
    f.editor.open(f.path("none.txt"), EditorMode::Configuration);
    QCOMPARE(f.editor.title(), QStringLiteral("Vornal Editor Vornal 2022   / ") + f.path("none.txt"));
    QCOMPARE(f.editor.status(),
             QStringLiteral("You are editing the configuration file ! ") + f.path("none.txt"));
    f.editor.open(f.dir.path(), EditorMode::AnyFile);
    QCOMPARE(f.editor.documentName(), QStringLiteral("New document"));
    QVERIFY(f.dialogs.messages.isEmpty());
}

void TestMessageEditor::loadFile_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");    // the loaded text; empty: refused
    QTest::addColumn<QString>("message"); // %1 is the path

    QTest::newRow("large file") << QByteArray(1 << 20, 'x') << ""
                                << "File %1 too large (>30K)";
    QTest::newRow("LF and CR line ends") << QByteArray("a\nb\rc") << "a\r\nb\r\nc\r\n"
                                         << "";
    QTest::newRow("Windows-1252") << QByteArray("\x80\xe4\x81") << "\u20ac\u00e4\u0081\r\n"
                                  << "";
    QTest::newRow("binary") << QByteArray("ab\0cd", 5) << ""
                            << "File %1 is not a text file: it holds binary data.";
}

void TestMessageEditor::loadFile() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(QString, message);
    Fixture f;
    const QString path = f.path(programFile(ProgramFiles::kMessage));
    QVERIFY(writeFile(path, bytes));
    f.buffer.content = QStringLiteral("before");
    QCOMPARE(f.editor.LoadFile(path), !text.isEmpty());
    QCOMPARE(f.buffer.content, text.isEmpty() ? QStringLiteral("before") : text);
    QCOMPARE(f.dialogs.texts(), message.isEmpty() ? QStringList() : QStringList{message.arg(path)});
    if (!message.isEmpty())
        QCOMPARE(f.dialogs.messages.first().icon, DialogIcon::Critical);
    QCOMPARE(fileBytes(path), bytes);
}

void TestMessageEditor::saveKeepsBytesAndAddsLastLineEnd() {
    Fixture f;
    f.openEdited(QByteArray("Gr\xfc\xdf\x65 \x80\r\nlast"), QString());
    QVERIFY(!f.editor.isModified());
    f.editor.run(MessageEditor::Button::Save);
    QCOMPARE(fileBytes(f.path(programFile(ProgramFiles::kMessage))),
             QByteArray("Gr\xfc\xdf\x65 \x80\r\nlast\r\n"));
    QCOMPARE(f.refreshes.size(), 1);
    QVERIFY(f.dialogs.messages.isEmpty());
}

void TestMessageEditor::askToSave_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<DialogAnswer>("answer");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<bool>("closed");
    for (const char* action : {"new", "open", "exit"}) {
        QTest::addRow("%s, Yes", action)
            << action << DialogAnswer::Yes << true << (qstrcmp(action, "exit") == 0);
        QTest::addRow("%s, No", action)
            << action << DialogAnswer::No << false << (qstrcmp(action, "exit") == 0);
    }
}

void TestMessageEditor::askToSave() {
    QFETCH(QString, action);
    QFETCH(DialogAnswer, answer);
    QFETCH(bool, saved);
    QFETCH(bool, closed);
    Fixture f;
    f.openEdited("old\r\n");
    f.dialogs.answers.enqueue(answer);
    f.editor.runAction(action.toUpper());
    const QString name = f.path(programFile(ProgramFiles::kMessage));
    QCOMPARE(f.dialogs.messages.first().text,
             QStringLiteral("File '%1' was changed\ndo you want to save it ?").arg(name));
    QCOMPARE(f.dialogs.messages.first().buttons, DialogButtons::YesNo);
    QCOMPARE(f.dialogs.messages.first().icon, DialogIcon::Question);
    QCOMPARE(fileBytes(name), saved ? QByteArray("old\r\ntyped") : QByteArray("old\r\n"));
    QCOMPARE(f.refreshes.size(), saved ? 1 : 0);
    QCOMPARE(f.closes.size(), closed ? 1 : 0);
    if (action == QLatin1String("new")) {
        QCOMPARE(f.buffer.content, QString());
        QCOMPARE(f.editor.documentName(), QStringLiteral("New document"));
        QCOMPARE(f.editor.status(), QStringLiteral("A new Message File < NEW_FILE > was opened! "));
        QVERIFY(!f.editor.isModified());
    }
    if (action == QLatin1String("open")) // the file again, as it is on disk now
        QCOMPARE(f.buffer.content,
                 QString::fromLatin1(fileBytes(name)) + (saved ? QStringLiteral("\r\n") : QString()));
}

void TestMessageEditor::saveOnNewDocumentAsksForAName() {
    Fixture f;
    f.openEdited("x\r\n");
    f.editor.run(MessageEditor::Button::New);
    f.buffer.content = QStringLiteral("fresh\r\n");
    f.editor.textEdited();

    // Cancelling the dialog saves nothing and, on exit, keeps the editor open.
    f.dialogs.answers.enqueue(DialogAnswer::Yes);
    f.editor.run(MessageEditor::Button::Exit);
    QCOMPARE(f.closes.size(), 0);
    QVERIFY(f.editor.isModified());

    f.dialogs.fileRequests.clear();
    f.dialogs.files.enqueue(f.path("fresh.txt"));
    f.editor.run(MessageEditor::Button::Save);
    QCOMPARE(f.dialogs.fileRequests.size(), 1);
    const FileRequest request = f.dialogs.fileRequests.first();
    QCOMPARE(request.title, QStringLiteral("Save File As ..."));
    QCOMPARE(request.folder, f.dir.path());
    QCOMPARE(request.fileName, QString());
    QCOMPARE(request.defaultSuffix, QStringLiteral("txt"));
    QCOMPARE(fileBytes(f.path("fresh.txt")), QByteArray("fresh\r\n"));
    QCOMPARE(f.editor.documentName(), f.path("fresh.txt"));
    QVERIFY(!f.editor.isModified());

    // Save As proposes the document's name; Save no longer asks.
    f.editor.run(MessageEditor::Button::SaveAs);
    QCOMPARE(f.dialogs.fileRequests.last().fileName, f.path("fresh.txt"));
    f.editor.run(MessageEditor::Button::Save);
    QCOMPARE(f.dialogs.fileRequests.size(), 2);
}

void TestMessageEditor::refusedFileIsNotReplacedByAPlainSave_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message"); // %1 is the path
    QTest::addColumn<QString>("chosen");  // the save dialog's answer: empty, or a file name
    const QByteArray large(EditorText::kMaxLength + 1, 'x');
    const QByteArray binary("ab\0cd", 5);
    const QString tooLarge = QStringLiteral("File %1 too large (>30K)");
    const QString notText = QStringLiteral("File %1 is not a text file: it holds binary data.");
    QTest::newRow("too large, dialog cancelled") << large << tooLarge << "";
    QTest::newRow("too large, another file chosen") << large << tooLarge << "other.txt";
    QTest::newRow("too large, the file itself chosen") << large << tooLarge << "Message.txt";
    QTest::newRow("binary, dialog cancelled") << binary << notText << "";
    QTest::newRow("binary, the file itself chosen") << binary << notText << "Message.txt";
}

// The operator never saw the refused file's text, so Save asks for a name; only the
// operator's choice in the save dialog replaces the file.
void TestMessageEditor::refusedFileIsNotReplacedByAPlainSave() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    QFETCH(QString, chosen);
    Fixture f;
    f.openEdited(bytes, QStringLiteral("typed\r\n"));
    const QString path = f.path(programFile(ProgramFiles::kMessage));
    QCOMPARE(f.dialogs.texts(), QStringList{message.arg(path)});
    if (!chosen.isEmpty())
        f.dialogs.files.enqueue(f.dir.filePath(chosen));
    f.editor.run(MessageEditor::Button::Save);
    QCOMPARE(f.dialogs.fileRequests.size(), 1);
    QCOMPARE(f.dialogs.fileRequests.first().title, QStringLiteral("Save File As ..."));
    const bool replaced = chosen == programFile(ProgramFiles::kMessage);
    QCOMPARE(fileBytes(path), replaced ? QByteArray("typed\r\n") : bytes);
    if (!chosen.isEmpty()) {
        QCOMPARE(fileBytes(f.dir.filePath(chosen)), QByteArray("typed\r\n"));
        QCOMPARE(f.editor.documentName(), f.dir.filePath(chosen));
    }
    QCOMPARE(f.editor.isModified(), chosen.isEmpty());
}

void TestMessageEditor::failedWriteKeepsTheOldFile() {
    Fixture f;
    f.openEdited("old\r\n", QString(4096, QLatin1Char('n')));
    // A file size limit makes the write fail as a full disk does, even for root.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 1024;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    f.dialogs.answers.enqueue(DialogAnswer::Yes);
    f.editor.run(MessageEditor::Button::Exit);
    setrlimit(RLIMIT_FSIZE, &saved);

    QCOMPARE(fileBytes(f.path(programFile(ProgramFiles::kMessage))), QByteArray("old\r\n"));
    QCOMPARE(f.dialogs.messages.size(), 2);
    const MessageRequest error = f.dialogs.messages.last();
    QVERIFY2(error.text.startsWith(QStringLiteral("File write error ") +
                                   f.path(programFile(ProgramFiles::kMessage)) + QStringLiteral("(")),
             qPrintable(error.text));
    QVERIFY2(error.text.endsWith(QStringLiteral("(File too large)")), qPrintable(error.text));
    QCOMPARE(error.icon, DialogIcon::Critical);
    QCOMPARE(f.closes.size(), 0); // the text is still there to be saved elsewhere
    QVERIFY(f.editor.isModified());
}

void TestMessageEditor::charactersAFileCannotHold_data() {
    QTest::addColumn<DialogAnswer>("answer");
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("Yes saves them as ?") << DialogAnswer::Yes << QByteArray("a\r\nb?c??\x80");
    QTest::newRow("No saves nothing") << DialogAnswer::No << QByteArray("a\r\n");
}

void TestMessageEditor::charactersAFileCannotHold() {
    QFETCH(DialogAnswer, answer);
    Fixture f;
    f.openEdited("a\r\n", QStringLiteral("b\u0107c\U0001F600\u4e2d\u20ac"));
    f.dialogs.answers.enqueue(answer);
    f.editor.run(MessageEditor::Button::Save);
    QCOMPARE(
        f.dialogs.texts(),
        QStringList{QStringLiteral("The text holds 3 characters that a Windows-1252 file cannot hold; the "
                                   "first is \"\u0107\" (U+0107) in row 2, column 2.\nSave them as \"?\"?")});
    QTEST(fileBytes(f.path(programFile(ProgramFiles::kMessage))), "file");
    QCOMPARE(f.editor.isModified(), answer != DialogAnswer::Yes);
}

void TestMessageEditor::simpleActions_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("appended");
    QTest::addColumn<int>("beeps");
    QTest::addColumn<bool>("help");
    QTest::newRow("print")
        << "print"
        << " This editore does not print to a local printer but send this message to a "
           "pre-defined dedicated teleprinter but as this is a beta version it is disabled "
        << "" << 0 << false;
    QTest::newRow("help") << "help"
                          << "Help"
                          << "" << 0 << true;
    QTest::newRow("time") << "time"
                          << "Time"
                          << "09:30:00" << 0 << false;
    QTest::newRow("date") << "DATE"
                          << "Date"
                          << EditorText::dateText(QDate(2026, 12, 7),
                                                  EditorText::dateSeparator(QLocale::system()))
                          << 1 << false;
    QTest::newRow("unknown key") << "punch"
                                 << "no selection found"
                                 << "" << 0 << false;
}

void TestMessageEditor::simpleActions() {
    QFETCH(QString, key);
    QFETCH(QString, message);
    QFETCH(QString, appended);
    QFETCH(bool, help);
    Fixture f;
    f.openEdited("a\r\n", QString());
    QSignalSpy helps(&f.editor, &MessageEditor::helpRequested);
    f.editor.runAction(key);
    QCOMPARE(f.dialogs.texts(), QStringList{message});
    QCOMPARE(f.buffer.content, QStringLiteral("a\r\n") + appended);
    QCOMPARE(f.editor.isModified(), !appended.isEmpty());
    QTEST(int(f.beeps.size()), "beeps");
    QCOMPARE(helps.size(), help ? 1 : 0);
}

QTEST_GUILESS_MAIN(TestMessageEditor)
#include "tst_messageeditor.moc"
