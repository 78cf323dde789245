#include "editortext.h"

#include <QtTest>

using namespace vornal;

// The editor's text rules: the loaded text and its limit, the caret, the characters a
// file cannot hold, the stamps.
class TestEditorText : public QObject {
    Q_OBJECT
private slots:
    void loadedText_data();
    void loadedText();
    void caretAt_data();
    void caretAt();
    void stamps();
};

void TestEditorText::loadedText_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("loads");
    QTest::addColumn<QString>("text");

    const QString line(67, QLatin1Char('a')); // 69 with its CR LF
    QString full;
    for (int i = 0; i < 29999 / 69; ++i)
        full += line + QStringLiteral("\r\n");
    full += QString(29999 - full.size() - 2, QLatin1Char('b')) + QStringLiteral("\r\n");
    QCOMPARE(full.size(), 29999);

    QTest::newRow("CR LF kept") << "ab\r\ncd\r\n" << true << "ab\r\ncd\r\n";
    QTest::newRow("last line gains CR LF") << "ab\r\ncd" << true << "ab\r\ncd\r\n";
    QTest::newRow("LF only") << "ab\ncd\n" << true << "ab\r\ncd\r\n";
    QTest::newRow("CR only") << "ab\rcd" << true << "ab\r\ncd\r\n";
    QTest::newRow("mixed, blank lines") << "a\r\n\n\rb" << true << "a\r\n\r\n\r\nb\r\n";
    QTest::newRow("empty file") << "" << true << "";
    QTest::newRow("only a line end") << "\r\n" << true << "\r\n";
    QTest::newRow("29,999 characters load") << full << true << full;
    QTest::newRow("one line more is refused") << full + QStringLiteral("c\r\n") << false << "";
    QTest::newRow("the gained CR LF counts")
        << full.left(29997) + QStringLiteral("x") << false << ""; // 29,998 + CR LF
    QTest::newRow("LF only grows past the limit")
        << QString(14999, QLatin1Char('\n')) + QStringLiteral("\n") << false << "";
}

void TestEditorText::loadedText() {
    QFETCH(QString, file);
    QFETCH(bool, loads);
    QFETCH(QString, text);
    const std::optional<QString> loaded = EditorText::loadedText(file);
    QCOMPARE(loaded.has_value(), loads);
    if (loads)
        QCOMPARE(*loaded, text);
}

void TestEditorText::caretAt_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");

    const QString crlf = QStringLiteral("abc\r\ndefgh\r\n\r\nxy");
    QTest::newRow("start") << crlf << 0 << 1 << 1;
    QTest::newRow("end of the first line") << crlf << 3 << 1 << 4;
    QTest::newRow("after CR LF") << crlf << 5 << 2 << 1;
    QTest::newRow("inside line 2") << crlf << 8 << 2 << 4;
    QTest::newRow("empty line") << crlf << 12 << 3 << 1;
    QTest::newRow("end of text") << crlf << 16 << 4 << 3;
    QTest::newRow("past the end") << crlf << 99 << 4 << 3;
    QTest::newRow("lone CR") << "ab\rcd" << 4 << 2 << 2;
    QTest::newRow("field separators") << "ab\u2029cd\u2028e" << 7 << 3 << 2;
    QTest::newRow("column 69") << QString(68, QLatin1Char('x')) + QStringLiteral("\r\n") << 68 << 1 << 69;
}

void TestEditorText::caretAt() {
    QFETCH(QString, text);
    QFETCH(int, position);
    const Caret caret = EditorText::caretAt(text, position);
    QTEST(int(caret.row), "row");
    QTEST(int(caret.column), "column");
}

void TestEditorText::stamps() {
    QCOMPARE(EditorText::timeText(QTime(7, 5, 9)), QStringLiteral("07:05:09"));
    QCOMPARE(EditorText::dateText(QDate(2026, 3, 4), QLatin1Char('/')), QStringLiteral("04/03/2026"));
    QCOMPARE(EditorText::dateText(QDate(2026, 3, 4), QLatin1Char('.')), QStringLiteral("04.03.2026"));
    QCOMPARE(EditorText::dateSeparator(QLocale(QLocale::German, QLocale::Germany)), QLatin1Char('.'));
    QCOMPARE(EditorText::dateSeparator(QLocale(QLocale::English, QLocale::UnitedStates)), QLatin1Char('/'));
    QCOMPARE(EditorText::dateSeparator(QLocale(QLocale::Dutch, QLocale::Netherlands)), QLatin1Char('-'));
}

QTEST_GUILESS_MAIN(TestEditorText)
#include "tst_editortext.moc"
