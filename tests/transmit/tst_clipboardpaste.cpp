#include "clipboardpaste.h"
#include "files/programfiles.h"
#include "testfiles.h"
#include "transmitrig.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace vornal;

namespace {

using Outcome = ClipboardPaste::Outcome;

struct Rig : TransmitRig {
    ClipboardPaste paste{transmission, state, counter, dialogs, folder()};
    QStringList previews;
    int cleared = 0;
    int beeps = 0;
    Rig() {
        // As the main window does: the paste command says what `PastePreview` becomes.
        QObject::connect(&paste, &ClipboardPaste::pastePreviewSet,
                         [this](bool p) { state.pastePreview = p; });
        QObject::connect(&paste, &ClipboardPaste::previewReady,
                         [this](const QString& t) { previews.append(t); });
        QObject::connect(&paste, &ClipboardPaste::previewCleared, [this] { ++cleared; });
        QObject::connect(&paste, &ClipboardPaste::beep, [this] { ++beeps; });
    }
};

} // namespace

class TestClipboardPaste : public QObject {
    Q_OBJECT
private slots:
    void fold_data();
    void fold();
    void previewThenSendWhatWasPreviewed();
    void fileErrorIsReportedOnce();
};

void TestClipboardPaste::fold_data() {
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("folded");
    // The first write's line end, the wrapper's and the second write's.
    QTest::newRow("teleprinter repertoire") << QString::fromUtf8("Grüße") << "Gruesze\r\n\r\n\r\n";
    QTest::newRow("empty or no text") << ""
                                      << "\r\n\r\n\r\n";
    QTest::newRow("lone LF line ends") << "ab\ncd"
                                       << "ab\r\ncd\r\n\r\n\r\n";
    QTest::newRow("outside Windows-1252") << QString::fromUtf8("\u65e5\u00e4 @") << "?ae (at)\r\n\r\n\r\n";
}

void TestClipboardPaste::fold() {
    QFETCH(QString, clipboard);
    QTEST(ClipboardPaste::fold(clipboard), "folded");
}

// The preview shows the folded text and sends only the box's CR; the sending pass
// transmits the previewed text, whatever the clipboard holds by then, also when it
// runs from the paste button after "Send Preview" found no connection.
void TestClipboardPaste::previewThenSendWhatWasPreviewed() {
    Rig r;
    r.state.connectionActive = false;
    QCOMPARE(r.paste.paste(QString::fromUtf8("Grüße")), Outcome::Previewed);
    QCOMPARE(r.previews, QStringList{QStringLiteral("Gruesze\n\n\n")});
    QCOMPARE(r.link.written(), QByteArray("\r"));
    QCOMPARE(r.read(programFile(ProgramFiles::kClipboard)), QByteArray("Gruesze\r\n\r\n\r\n"));
    QVERIFY(r.state.pastePreview);

    QCOMPARE(r.paste.sendPreview(), Outcome::NoConnection);
    QCOMPARE(r.dialogs.texts(), QStringList{QStringLiteral(" No active connection  ......")});
    QCOMPARE(r.beeps, 1);
    QVERIFY(!r.state.pastePreview);

    r.state.connectionActive = true;
    r.link.clearWrites();
    QCOMPARE(r.paste.paste(QStringLiteral("changed meanwhile")), Outcome::Sent);
    QCOMPARE(r.link.written(), QByteArray("\rGruesze\r\r\r"));
    QCOMPARE(r.shown, QStringList{QStringLiteral("Transmitting Clipboard Text")});
    QCOMPARE(r.cleared, 1);
    QVERIFY(r.state.pastePreview);
    QCOMPARE(r.dialogs.messages.size(), 1);
}

void TestClipboardPaste::fileErrorIsReportedOnce() {
    Rig r;
    QVERIFY(QDir(r.dir.path()).mkdir(programFile(ProgramFiles::kClipboard)));
    QCOMPARE(r.paste.paste(QStringLiteral("text")), Outcome::Stopped);
    QCOMPARE(r.dialogs.messages.size(), 1);
    QCOMPARE(r.dialogs.messages.first().icon, DialogIcon::Warning);
    QVERIFY(r.dialogs.messages.first().text.contains(programFile(ProgramFiles::kClipboard)));
    QVERIFY(r.previews.isEmpty());
    QVERIFY(r.link.written().isEmpty());
    QVERIFY(r.state.pastePreview);
}

QTEST_GUILESS_MAIN(TestClipboardPaste)
#include "tst_clipboardpaste.moc"
