#include "faketerminal.h"
#include "filesizelimit.h"
#include "readonlyfolder.h"
#include "testfiles.h"

#include "files/settingskeys.h"
#include "files/textcodec.h"
#include "look/objectnames.h"

#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

#include <memory>

using namespace vornal;

namespace {

// The fake terminal's configuration, with no pause after each sent character.
QByteArray unpacedConfiguration() {
    return QByteArray(FakeTerminal::kConfiguration).replace("0.05 s", "0");
}

QByteArray golden(const char* name) {
    return fileBytes(QStringLiteral(GOLDEN_DIR "/") + QString::fromLatin1(name), "<missing golden file>");
}

// Typed keys with the box's echo of each, as on a live line.
void typeWithEcho(FakeTerminal& f, const QByteArray& keys) {
    for (char c : keys) {
        if (c == '\r') {
            QTest::keyClick(f.window->terminal(), Qt::Key_Return);
            f.link.receive("\r\n");
        } else {
            QTest::keyClick(f.window->terminal(), c);
            f.link.receive(QByteArray(1, c));
        }
    }
}

const char* const kLogName = "Logs/2026-12-07.txt";

} // namespace

class TestRecord : public QObject {
    Q_OBJECT
private slots:
    void sessionLog();
    void logSwitchedOff();
    void failedLogWriteIsToldOnce_data();
    void failedLogWriteIsToldOnce();
    void findNextAndPrevious_data();
    void findNextAndPrevious();
    void escapeClosesTheFindBar();
    void saveText();
    void saveTextFailure();
};

void TestRecord::sessionLog() {
    FakeTerminal f(unpacedConfiguration());
    f.make();
    f.click(ObjectNames::kLblOpen1);
    f.clock.advance(5);
    f.link.receive("11150 vornal d\r\n");
    f.clock.advance(3);
    f.click(ObjectNames::kLblCall);
    f.clock.advance(2);
    typeWithEcho(f, "HI\r");
    f.clock.advance(2);
    f.click(ObjectNames::kLblBell);
    f.clock.advance(1);
    f.link.receive("GA \x07\xe9\r\n");
    f.clock.advance(4);
    f.click(ObjectNames::kLblTimeStamp);
    f.clock.advance(1);
    f.link.receive("MOM");
    // The line being gathered is written when the program ends.
    f.window.reset();
    QCOMPARE(f.fileBytes(QString::fromLatin1(kLogName)), golden("session-log.txt"));
}

void TestRecord::logSwitchedOff() {
    FakeTerminal f;
    f.settings.setValue(SettingsKeys::kLog, SettingsKeys::kEnabled, QStringLiteral("0"));
    f.make();
    f.click(ObjectNames::kLblOpen1);
    f.link.receive("QUIET\r\n");
    f.click(ObjectNames::kLblBell);
    f.window.reset();
    QVERIFY(!QDir(f.path("Logs")).exists());
}

void TestRecord::failedLogWriteIsToldOnce_data() {
    QTest::addColumn<bool>("readOnly");
    QTest::newRow("read-only program folder") << true;
    QTest::newRow("disk full part way through a line") << false;
}

void TestRecord::failedLogWriteIsToldOnce() {
    QFETCH(bool, readOnly);
    FakeTerminal f;
    f.make();
    std::unique_ptr<ReadOnlyFolder> folder;
    std::unique_ptr<FileSizeLimit> limit;
    if (readOnly) {
        folder = std::make_unique<ReadOnlyFolder>(f.dir.path());
        if (!folder->active())
            QSKIP("the folder could not be made read-only here");
    } else {
        limit = std::make_unique<FileSizeLimit>(20);
    }
    f.click(ObjectNames::kLblOpen1);
    for (const char* line : {"FIRST\r\n", "SECOND\r\n", "THIRD\r\n"})
        f.link.receive(line);
    QTRY_COMPARE(f.dialogs.messages.size(), 1);
    QVERIFY2(f.dialogs.messages[0].text.contains(f.path(kLogName)) ||
                 f.dialogs.messages[0].text.contains(f.path("Logs")),
             qPrintable(f.dialogs.messages[0].text));
    QCOMPARE(f.text(ObjectNames::kLblAction), QStringLiteral("Traffic log stopped"));

    // The terminal goes on: it shows and sends, and nothing more is said.
    f.link.receive("FOURTH\r\n");
    f.link.clearWrites();
    f.click(ObjectNames::kLblBell);
    QCOMPARE(f.link.written(), QByteArray("\x07"));
    QTest::qWait(20);
    QCOMPARE(f.dialogs.messages.size(), 1);
    QVERIFY(f.window->session().buffer().text().endsWith(QStringLiteral("THIRD\r\nFOURTH\r\n")));
    limit.reset();
    folder.reset();
    f.window.reset();
    QCOMPARE(f.dialogs.messages.size(), 1);
}

void TestRecord::findNextAndPrevious_data() {
    QTest::addColumn<QString>("needle");
    QTest::addColumn<QString>("presses");  // N next, P previous
    QTest::addColumn<QList<int>>("found"); // where each press selects; -1 nothing
    QTest::newRow("next from the end goes round to the first") << "beta"
                                                               << "N" << QList<int>{6};
    QTest::newRow("next walks on and round") << "beta"
                                             << "NNNN" << QList<int>{6, 17, 22, 6};
    QTest::newRow("previous walks back and round") << "BeTa"
                                                   << "PPPP" << QList<int>{22, 17, 6, 22};
    QTest::newRow("previous after next goes back") << "beta"
                                                   << "NNP" << QList<int>{6, 17, 6};
    QTest::newRow("a match across words, in any case") << "a beta"
                                                       << "NN" << QList<int>{4, 20};
    QTest::newRow("nothing found") << "delta"
                                   << "NP" << QList<int>{-1, -1};
}

void TestRecord::findNextAndPrevious() {
    QFETCH(QString, needle);
    QFETCH(QString, presses);
    QFETCH(QList<int>, found);
    FakeTerminal f;
    f.make();
    f.window->session().buffer().setText(QStringLiteral("alpha Beta gamma\r\nbeta BETA"));
    f.click(ObjectNames::kLblFind);
    auto* field = f.find<QLineEdit>(ObjectNames::kTxtFind);
    QVERIFY(field->isVisible());
    field->setText(needle);
    QPlainTextEdit* terminal = f.window->terminal();
    for (int i = 0; i < presses.size(); ++i) {
        const QTextCursor before = terminal->textCursor();
        f.click(presses[i] == QLatin1Char('N') ? ObjectNames::kCmdFindNext : ObjectNames::kCmdFindPrevious);
        const QTextCursor after = terminal->textCursor();
        if (found[i] < 0) {
            QCOMPARE(after.selectionStart(), before.selectionStart());
            QCOMPARE(f.text(ObjectNames::kLblAction), QStringLiteral("Not found: ") + needle);
            continue;
        }
        QCOMPARE(after.selectionStart(), found[i]);
        QCOMPARE(after.selectedText().compare(needle, Qt::CaseInsensitive), 0);
    }
}

void TestRecord::escapeClosesTheFindBar() {
    FakeTerminal f;
    f.make();
    f.window->activateWindow();
    f.click(ObjectNames::kLblOpen1);
    f.click(ObjectNames::kLblFind);
    auto* field = f.find<QLineEdit>(ObjectNames::kTxtFind);
    QCOMPARE(f.window->focusWidget(), field);
    // Return in the field finds; typing there sends nothing to the box.
    f.window->session().buffer().setText(QStringLiteral("one two one"));
    f.link.clearWrites();
    QTest::keyClicks(field, QStringLiteral("one"));
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(f.window->terminal()->textCursor().selectionStart(), 0);
    QCOMPARE(f.link.written(), QByteArray());

    QTest::keyClick(field, Qt::Key_Escape);
    QVERIFY(!field->isVisible());
    QCOMPARE(f.window->focusWidget(), f.window->terminal());
    QTest::keyClicks(f.window->terminal(), QStringLiteral("ok"));
    QCOMPARE(f.link.written(), QByteArray("ok"));
}

void TestRecord::saveText() {
    FakeTerminal f;
    f.make();
    f.click(ObjectNames::kLblOpen1);
    f.link.receive("ZCZC caf\xe9\r\nNNNN\r");
    const QString target = f.path("saved.txt");
    f.dialogs.files.enqueue(target);
    f.click(ObjectNames::kLblSaveText);
    QCOMPARE(f.dialogs.fileRequests.size(), 1);
    QCOMPARE(f.dialogs.fileRequests[0].title, QStringLiteral("Save Text"));
    QCOMPARE(f.fileBytes(QStringLiteral("saved.txt")), QByteArray("Terminal Ready ZCZC caf\xe9\r\nNNNN\r\n"));
    QCOMPARE(f.text(ObjectNames::kLblAction), QStringLiteral("Text saved to ") + target);

    // Cancelled: nothing is written.
    f.click(ObjectNames::kLblSaveText);
    QCOMPARE(f.dialogs.fileRequests.size(), 2);
    QVERIFY(f.dialogs.messages.isEmpty());
}

void TestRecord::saveTextFailure() {
    FakeTerminal f;
    f.make();
    f.dialogs.files.enqueue(f.path("missing/saved.txt"));
    f.click(ObjectNames::kLblSaveText);
    QCOMPARE(f.dialogs.messages.size(), 1);
    QVERIFY(f.dialogs.messages[0].text.startsWith(f.path("missing/saved.txt")));
    QCOMPARE(f.text(ObjectNames::kLblAction), QStringLiteral("Text not saved"));
}

QTEST_MAIN(TestRecord)
#include "tst_record.moc"
