#include "wordwrap.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace vornal;

// Breaking texts into teleprinter lines ended by CR LF.
class TestWordWrap : public QObject {
    Q_OBJECT
private slots:
    void wrap_data();
    void wrap();
    void keepsEveryCharacterInOrder();
};

namespace {
QString letters(int n) {
    QString s;
    for (int i = 0; i < n; ++i)
        s.append(QChar(u'a' + i % 26));
    return s;
}
} // namespace

void TestWordWrap::wrap_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("expected");

    const QString a68 = letters(68);
    const QString a69 = letters(69);

    QTest::newRow("empty") << "" << 68 << "\r\n";
    QTest::newRow("only blanks") << "   " << 68 << "\r\n";
    QTest::newRow("two words") << "a b" << 68 << "a b\r\n";
    QTest::newRow("outer blanks go") << "  a b  " << 68 << "a b\r\n";
    QTest::newRow("68 letters, blank, word")
        << a68 + QStringLiteral(" word") << 68 << a68 + QStringLiteral(" \r\nword\r\n");
    QTest::newRow("last word fills the limit") << "aaaaa bbbbb" << 10 << "aaaaa bbbbb\r\n";
    QTest::newRow("last word over the limit") << "aaaaa bbbbbb" << 10 << "aaaaa \r\nbbbbbb\r\n";
    QTest::newRow("words wrap") << "aaa bbb ccc ddd" << 10 << "aaa bbb \r\nccc ddd\r\n";
    QTest::newRow("blank runs count") << "aaaa      bbbb" << 10 << "aaaa      \r\nbbbb\r\n";
    QTest::newRow("blank run across the break") << "aaaaaaaaa   b" << 10 << "aaaaaaaaa  \r\n b\r\n";
    QTest::newRow("CR LF in the text") << "ab\r\ncd" << 68 << "ab\r\ncd\r\n";
    QTest::newRow("lone CR gets no LF") << "ab\rcd" << 68 << "ab\rcd\r\n";
    QTest::newRow("blanks after a line end stay") << "ab\r\n  cd" << 68 << "ab\r\n  cd\r\n";
    QTest::newRow("text ending in CR LF") << "ab\r\n" << 68 << "ab\r\n\r\n";
    QTest::newRow("CR that does not fit") << "aaaa bbbb cccc\r\ndd" << 10 << "aaaa bbbb \r\ncccc\r\ndd\r\n";
    QTest::newRow("first line fills with its CR") << "aaaa bbbbb\r\nc" << 10 << "aaaa bbbbb\r\nc\r\n";
    QTest::newRow("LF counts on the next line")
        << "ab\r\naaaa bbbbb\r\nc" << 10 << "ab\r\naaaa \r\nbbbbb\r\nc\r\n";
    QTest::newRow("last word never split") << "ab abcdefghijklmnop" << 10 << "ab \r\nabcdefghijklmnop\r\n";
    QTest::newRow("long word is cut") << "abcdefghijklmnop qr" << 10 << "abcdefghijk\r\nlmnop qr\r\n";
    QTest::newRow("long word after a pending line")
        << "xy abcdefghijklmnop qr" << 10 << "xy \r\nabcdefghijk\r\nlmnop qr\r\n";
    QTest::newRow("long word over three lines")
        << "abcdefghijklmnopqrstuvwxy z" << 10 << "abcdefghijk\r\nlmnopqrstuv\r\nwxy z\r\n";
    QTest::newRow("69 letters keep their blank")
        << a69 + QStringLiteral(" word") << 68 << a69 + QStringLiteral(" \r\nword\r\n");
    QTest::newRow("long line cut at its own CR")
        << "ab\r\ncdefghijkl\r\nm n" << 10 << "ab\r\ncdefghijkl\r\nm n\r\n";
    QTest::newRow("CR before the blank of a long run")
        << "ab cdefghij\r\nk l" << 10 << "ab \r\ncdefghij\r\nk l\r\n";
    QTest::newRow("negative width still ends") << "ab cd" << -5 << "a\r\nb \r\ncd\r\n";
}

void TestWordWrap::wrap() {
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QString, expected);
    QCOMPARE(WordWrap(text, width), expected);
}

// Without CRs in the input every CR LF of the result was inserted: taking them out
// must give the trimmed text back, and only a cut piece of a long word (with its
// blank) may pass the limit, except on the last line.
void TestWordWrap::keepsEveryCharacterInOrder() {
    QRandomGenerator random(68);
    for (int round = 0; round < 50; ++round) {
        const int width = 5 + int(random.bounded(70));
        QString text;
        while (text.size() < 3000) {
            text.append(letters(1 + int(random.bounded(random.bounded(4) == 0 ? 200 : 12))));
            text.append(QString(1 + int(random.bounded(random.bounded(5) == 0 ? 4 : 1)), u' '));
        }
        const QString wrapped = WordWrap(text, width);
        QVERIFY(wrapped.endsWith(u"\r\n"));
        QString joined = wrapped;
        QCOMPARE(joined.remove(QStringLiteral("\r\n")), text.trimmed());
        const QStringList lines = wrapped.split(QStringLiteral("\r\n"));
        for (qsizetype i = 0; i + 2 < lines.size(); ++i) {
            const QString& line = lines[i];
            const bool cutPiece = line.size() == width + 2 && line.endsWith(u' ') && line.count(u' ') == 1;
            QVERIFY2(line.size() <= width + 1 || cutPiece, qPrintable(line));
        }
    }
}

QTEST_GUILESS_MAIN(TestWordWrap)
#include "tst_wordwrap.moc"
