#include "puncher.h"
#include "tapegeometry.h"
#include "tapeglyph.h"

#include <QtTest>

using namespace vornal;

namespace vornal {
// Dots as "x,y/width" for failure messages.
char* toString(const QList<TapeDot>& dots) {
    QByteArray text;
    for (const TapeDot& d : dots)
        text +=
            QByteArray::number(d.x) + ',' + QByteArray::number(d.y) + '/' + QByteArray::number(d.width) + ' ';
    return qstrdup(text.constData());
}
} // namespace vornal

namespace {

// Punched runs in the tests' own notation: '<' CR (13), '^' letters shift (14),
// '~' escape (27), '_' blank (32); everything else is itself.
QByteArray wire(const char* notation) {
    QByteArray bytes(notation);
    bytes.replace('<', char(13)).replace('^', char(14)).replace('~', char(27)).replace('_', ' ');
    return bytes;
}

int holes(const char* numbers) {
    int mask = 0;
    for (const char* h = numbers; *h; ++h)
        mask |= 1 << (*h - '1');
    return mask;
}

// The columns a punched run leaves on five-hole tape, up to its gap; -1 for an item
// that is no column.
QList<int> punchedColumns(const QByteArray& run) {
    static const char* const kLetters[26] = {"12",  "145",  "234", "14",   "1",   "134",  "245", "35",   "23",
                                             "124", "1234", "25",  "345",  "34",  "45",   "235", "1235", "24",
                                             "13",  "5",    "123", "2345", "125", "1345", "135", "15"};
    QList<int> columns;
    for (qsizetype i = 0; i < run.size() && run[i] != '#'; ++i) {
        const char c = run[i];
        if (c == 27 && i + 1 < run.size()) {
            ++i;
            columns.append(run[i] == 'J' ? holes("2") : run[i] == 'M' ? holes("4") : -1);
        } else if (c >= 'A' && c <= 'Z') {
            columns.append(holes(kLetters[c - 'A']));
        } else {
            columns.append(c == 14 ? holes("12345") : c == ' ' ? holes("3") : -1);
        }
    }
    return columns;
}

// Dots of glyph columns, {x, holes} each.
QList<TapeDot> columnDots(std::initializer_list<std::pair<int, const char*>> columns) {
    static const int kRow[5] = {5, 15, 35, 45, 55};
    QList<TapeDot> dots;
    for (const auto& [x, numbers] : columns) {
        for (const char* h = numbers; *h; ++h)
            dots.append({x, kRow[*h - '1'], 7});
    }
    return dots;
}

const QList<TapeDot> kAB = columnDots(
    {{5, "2345"}, {13, "13"}, {21, "13"}, {29, "2345"}, {43, "12345"}, {51, "135"}, {59, "135"}, {67, "24"}});

} // namespace

class TestTapeGlyphs : public QObject {
    Q_OBJECT
private slots:
    void puncher_data();
    void puncher();
    void punchedColumnsDrawTheCharacters();
    void dots_data();
    void dots();
    void longTextKeepsGoingRight();
};

void TestTapeGlyphs::puncher_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("sequence");
    // clang-format off
    const char* const table[][2] = {
        {"A", "VSSV#"}, {"B", "^YYR#"}, {"C", "CZZR#"}, {"D", "^ZZC#"}, {"E", "^YYZ#"}, {"F", "^SSE#"},
        {"G", "CZYF#"}, {"H", "^__^#"}, {"I", "Z^Z#"}, {"J", "NTTK#"}, {"K", "^_RZ#"}, {"L", "^TTT#"},
        {"M", "^~J_~J^#"}, {"N", "^~J_^#"}, {"O", "CZZC#"}, {"P", "^SSI#"}, {"Q", "CZYCT#"}, {"R", "^SDL#"},
        {"S", "LYYD#"}, {"T", "EE^EE#"}, {"U", "KTTK#"}, {"V", "ANTNA#"}, {"W", "KTNTK#"}, {"X", "ZR_RZ#"},
        {"Y", "E~JM~JE#"}, {"Z", "BYZWZ#"}, {"1", "L^T#"}, {"2", "LBYL#"}, {"3", "DZYJ#"}, {"4", "_I^_#"},
        {"5", "WYYD#"}, {"6", "CYY~M#"}, {"7", "AEXA#"}, {"8", "RYYR#"}, {"9", "~JYYC#"}, {"0", "CZZC#"},
        {"+", "__^__#"}, {"-", "_____#"}, {"?", "~JEY~J#"}, {"/", "T~M_~JE#"}, {"'", "A#"}, {"(", "CZ#"},
        {".", "T#"}, {")", "ZC#"}, {"&", "RYRH#"}, {"=", "HHHH#"}, {" ", "####"},
    };
    // clang-format on
    for (const auto& [character, run] : table)
        QTest::addRow("%s", character)
            << QString::fromLatin1(character) << wire("<#####") + wire(run) + "####";
    QTest::newRow("HI") << QStringLiteral("HI") << wire("<#####^__^#Z^Z#####");
    QTest::newRow("empty") << QString() << wire("<#########");
    QTest::newRow("lower case") << QStringLiteral("hi") << wire("<#####^__^#Z^Z#####");
    QTest::newRow("colon and comma dropped") << QStringLiteral("A:,B") << wire("<#####VSSV#^YYR#####");
    QTest::newRow("ampersand punched") << QStringLiteral("A&B") << wire("<#####VSSV#RYRH#^YYR#####");
    QTest::newRow("outside the table") << QStringLiteral("\u00e4\u00df\u20ac#") << wire("<#########");
}

void TestTapeGlyphs::puncher() {
    QFETCH(QString, text);
    QFETCH(QByteArray, sequence);
    QCOMPARE(Puncher(text), sequence);
}

// Read as five-hole codes, a character's punched columns are the columns the preview
// draws for it, except where the picture keeps its own drawing: this ties the two
// tables to each other and to the tape alphabet.
void TestTapeGlyphs::punchedColumnsDrawTheCharacters() {
    const QByteArray ownDrawing = "V34567+-/9'";
    for (const char c : QByteArray("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789+-?/'().=")) {
        const QByteArray name(1, c);
        const TapeGlyph* glyph = drawingGlyph(QLatin1Char(c));
        QVERIFY2(glyph, name.constData());
        QList<int> drawn;
        for (int k = 0; k < glyph->columnCount; ++k)
            drawn.append(glyph->columns[size_t(k)]);
        const QList<int> punched = punchedColumns(punchGlyph(QLatin1Char(c)));
        QVERIFY2(!punched.isEmpty() && !punched.contains(-1), name.constData());
        QVERIFY2((punched == drawn) != ownDrawing.contains(c), name.constData());
    }
    QVERIFY(drawingGlyph(QLatin1Char(':')) && drawingGlyph(QLatin1Char(',')) &&
            !drawingGlyph(QLatin1Char('&')));
}

void TestTapeGlyphs::dots_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<TapeDot>>("glyphs");
    QTest::newRow("AB") << QStringLiteral("AB") << kAB;
    QTest::newRow("lower case") << QStringLiteral("ab") << kAB;
    QTest::newRow("A&B") << QStringLiteral("A&B") << kAB;
    QTest::newRow("A:B") << QStringLiteral("A:B")
                         << columnDots({{5, "2345"},
                                        {13, "13"},
                                        {21, "13"},
                                        {29, "2345"},
                                        {43, "24"},
                                        {58, "12345"},
                                        {66, "135"},
                                        {74, "135"},
                                        {82, "24"}});
    QTest::newRow("blank") << QStringLiteral(" .") << columnDots({{27, "5"}});
    QTest::newRow("empty") << QString() << QList<TapeDot>();
}

// The glyphs at their columns, and the preview: feed holes every 10 pixels over 40 a
// character (the dropped ones too), then the glyphs; nothing at all for no text.
void TestTapeGlyphs::dots() {
    QFETCH(QString, text);
    QFETCH(QList<TapeDot>, glyphs);
    QCOMPARE(TapeGeometry::glyphDots(text), glyphs);
    QList<TapeDot> preview;
    for (int x = 1; x <= 40 * text.size(); x += 10)
        preview.append({x, 25, 3});
    QCOMPARE(TapeGeometry::previewDots(text), text.isEmpty() ? QList<TapeDot>() : preview + glyphs);
    QCOMPARE(TapeGeometry::pictureWidth(TapeGeometry::previewDots(text)), 857);
}

// Far past what a 16-bit position holds, the glyphs go on to the right in order, and
// the picture widens to show the last one whole.
void TestTapeGlyphs::longTextKeepsGoingRight() {
    const QString text(1000, QLatin1Char('M'));
    const QList<TapeDot> dots = TapeGeometry::glyphDots(text);
    QCOMPARE(dots.size(), 1000 * 13);
    for (qsizetype i = 1; i < dots.size(); ++i)
        QVERIFY(dots[i].x >= dots[i - 1].x);
    QCOMPARE(dots.last().x, 999 * 44 + 4 * 8 + 5);
    QCOMPARE(TapeGeometry::pictureWidth(dots), dots.last().x + 4 + 5);
}

QTEST_APPLESS_MAIN(TestTapeGlyphs)
#include "tst_tapeglyphs.moc"
