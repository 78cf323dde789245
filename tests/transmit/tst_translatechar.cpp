#include "translatechar.h"

#include <QtTest>

using namespace vornal;

// The full and the short translation table, row by row and where they differ.
class TestTranslateChar : public QObject {
    Q_OBJECT
private slots:
    void tables_data();
    void tables();
    void tablesAgreeElsewhere();
    void textIsCharByChar();
};

void TestTranslateChar::tables_data() {
    QTest::addColumn<QChar>("input");
    QTest::addColumn<QString>("full");
    QTest::addColumn<QString>("brief");

    const auto row = [](const char* name, char16_t in, const char* full, const char* brief) {
        QTest::newRow(name) << QChar(in) << QString::fromLatin1(full) << QString::fromLatin1(brief);
    };
    row("E acute", 0xC9, "e'", "e'");
    row("e grave", 0xE8, "e'", "\xE8");
    row("I acute", 0xCD, "i'", "i'");
    row("a grave", 0xE0, "a'", "\xE0");
    row("o grave", 0xF2, "o'", "\xF2");
    row("u grave", 0xF9, "u'", "\xF9");
    row("at", 0x40, "(at)", "(at)");
    row("I grave", 0xCC, "I'", "I'");
    row("superscript one", 0xB9, " ", " ");
    row("one quarter", 0xBC, " ", " ");
    row("SI", 0x0F, " ", " ");
    row("sharp s", 0xDF, "sz", "\xDF");
    row("E grave", 0xC8, "e'", "e'");
    row("double quote", 0x22, "'", "'");
    row("O umlaut", 0xD6, "Oe", "Oe");
    row("u umlaut", 0xFC, "ue", "ue");
    row("o umlaut", 0xF6, "oe", "oe");
    row("a umlaut", 0xE4, "ae", "ae");
    row("U umlaut", 0xDC, "Ue", "Ue");
    row("A umlaut", 0xC4, "Ae", "ae");
    row("acute accent", 0xB4, "\"", "\"");
    row("blank", 0x20, " ", " ");
    row("CR", 0x0D, "\r", "");
    row("LF", 0x0A, "\n", "\n");
    row("e acute unchanged", 0xE9, "\xE9", "\xE9");
    row("a acute unchanged", 0xE1, "\xE1", "\xE1");
    row("i grave unchanged", 0xEC, "\xEC", "\xEC");
    row("apostrophe unchanged", 0x27, "'", "'");
    row("letter unchanged", u'x', "x", "x");
    row("case kept", u'X', "X", "X");
    QTest::newRow("euro sign unchanged") << QChar(0x20AC) << QString(QChar(0x20AC)) << QString(QChar(0x20AC));
}

void TestTranslateChar::tables() {
    QFETCH(QChar, input);
    QFETCH(QString, full);
    QFETCH(QString, brief);
    QCOMPARE(TranslateChar(input), full);
    QCOMPARE(shortTranslateChar(input), brief);
}

void TestTranslateChar::tablesAgreeElsewhere() {
    const QString differ = QString::fromLatin1("\xE8\xE0\xF2\xF9\xDF\xC4\r");
    for (char16_t u = 0; u < 0x300; ++u) {
        const QChar c(u);
        if (!differ.contains(c))
            QVERIFY2(TranslateChar(c) == shortTranslateChar(c), qPrintable(QString::number(u, 16)));
    }
}

void TestTranslateChar::textIsCharByChar() {
    QString all;
    QString expected;
    for (char16_t u = 0; u < 0x180; ++u) {
        all.append(QChar(u));
        expected.append(TranslateChar(QChar(u)));
    }
    QCOMPARE(translateText(all), expected);
    QCOMPARE(translateText(u"Gr\u00F6\u00DFe @ \"x\"\r\n"), QStringLiteral("Groesze (at) 'x'\r\n"));
}

QTEST_GUILESS_MAIN(TestTranslateChar)
#include "tst_translatechar.moc"
