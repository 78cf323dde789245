#include "rtfreader.h"
#include "testfiles.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace vornal;

namespace {

// Paragraphs as text: a run in a look other than plain 12 points is marked
// "<b i u size:text>", paragraphs end with "|", line breaks are "/".
QString describe(const QList<RtfParagraph>& paragraphs) {
    QStringList out;
    for (const RtfParagraph& paragraph : paragraphs) {
        QString p;
        for (const RtfRun& run : paragraph) {
            QString text = run.text;
            text.replace(QChar::LineSeparator, QLatin1Char('/'));
            QStringList look;
            if (run.bold)
                look << QStringLiteral("b");
            if (run.italic)
                look << QStringLiteral("i");
            if (run.underline)
                look << QStringLiteral("u");
            if (run.halfPoints != 24)
                look << QString::number(run.halfPoints);
            p += look.isEmpty() ? text : QStringLiteral("<%1:%2>").arg(look.join(QLatin1Char(' ')), text);
        }
        out << p;
    }
    return out.join(QLatin1Char('|'));
}

} // namespace

// The help text reader: every control it knows, and damaged input.
class TestRtfReader : public QObject {
    Q_OBJECT
private slots:
    void read_data();
    void read();
    void garbageEndsQuickly();
    void shippedReleaseNotes();
};

void TestRtfReader::read_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");

    QTest::newRow("every control")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}"
                      "{\\colortbl ;\\red255\\green0\\blue0;}{\\*\\generator Writer;}{\\info{\\title T}}"
                      "\\pard\\fs28\\b Title\\b0\\par\n"
                      "\\fs24 a\\tab b\\line c \\i it\\i0  \\ul un\\ulnone  {\\b grp} out\\par\r\n"
                      "Gr\\'fc\\'dfe \\'80 \\u8364?\\uc2\\u8212XY z {\\pict\\pngblip 89504e47}\\{\\}\\\\"
                      "\\emdash\\~\\plain p\\par}")
        << QStringLiteral("<b 28:Title>|a\tb/c <i:it> <u:un> <b:grp> out|"
                          "Gr\u00fc\u00dfe \u20ac \u20ac\u2014 z {}\\\u2014\u00a0p|");
    QTest::newRow("negative \\u") << QByteArray("{\\rtf1 \\u-4064?}") << QStringLiteral("\uf020");
    QTest::newRow("surrogate pair") << QByteArray("{\\rtf1 \\u-10179?\\u-8704?}")
                                    << QStringLiteral("\U0001F600");
    QTest::newRow("extra closing braces") << QByteArray("{\\rtf1 ab}}}} cd") << QStringLiteral("ab cd");
    QTest::newRow("missing closing braces")
        << QByteArray("{\\rtf1 {\\b ab {\\i cd") << QStringLiteral("<b:ab ><b i:cd>");
    QTest::newRow("cut \\' escape") << QByteArray("{\\rtf1 ab\\'4") << QStringLiteral("ab");
    QTest::newRow("bad \\' escape") << QByteArray("{\\rtf1 a\\'zzb}") << QStringLiteral("azzb");
    QTest::newRow("backslash at the end") << QByteArray("ab\\") << QStringLiteral("ab");
    QTest::newRow("\\bin past the end") << QByteArray("{\\rtf1 a\\bin99999 bc}") << QStringLiteral("a");
    QTest::newRow("huge numbers") << QByteArray(
                                         "{\\rtf1\\fs99999999999999999 a\\fs-5 b\\uc999999999\\u65 cdef}")
                                  << QStringLiteral("<288:a><8:bA>");
    QTest::newRow("long control word")
        << QByteArray("{\\rtf1 \\") + QByteArray(100000, 'x') + QByteArray(" ok}") << QStringLiteral("ok");
    QTest::newRow("deep nesting") << QByteArray(100000, '{') + QByteArray("\\b x") + QByteArray(100000, '}') +
                                         QByteArray("y")
                                  << QStringLiteral("<b:x>y");
    QTest::newRow("plain text") << QByteArray("just text\r\nmore") << QStringLiteral("just textmore");
}

void TestRtfReader::read() {
    QFETCH(QByteArray, rtf);
    QTEST(describe(RtfReader::read(rtf)), "text");
}

void TestRtfReader::garbageEndsQuickly() {
    QRandomGenerator random(20240211);
    QByteArray garbage(1 << 20, Qt::Uninitialized);
    const char alphabet[] = "{}\\'*uc0123456789-abinparfs \r\n\x80\xff";
    for (char& c : garbage)
        c = alphabet[random.bounded(int(sizeof(alphabet) - 1))];
    QElapsedTimer timer;
    timer.start();
    const QList<RtfParagraph> paragraphs = RtfReader::read(garbage);
    qsizetype characters = 0;
    for (const RtfParagraph& p : paragraphs)
        for (const RtfRun& r : p)
            characters += r.text.size();
    QVERIFY(characters <= garbage.size());
    QVERIFY2(timer.elapsed() < 5000, "one pass over the input");
}

void TestRtfReader::shippedReleaseNotes() {
    const QByteArray rtf = fileBytes(QStringLiteral(DATA_DIR "/New.rtf"));
    QVERIFY(rtf.startsWith("{\\rtf1"));
    const QString text = describe(RtfReader::read(rtf));
    QVERIFY(text.contains(QStringLiteral("10.1.6")));
    // Nothing of the markup shows.
    QVERIFY2(!text.contains(QLatin1Char('\\')) && !text.contains(QLatin1Char('{')), qPrintable(text));
}

QTEST_GUILESS_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"
