#include "display/numbertext.h"
#include "files/configuration.h"
#include "files/programfiles.h"
#include "files/textcodec.h"
#include "startup.h"
#include "testfiles.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace vornal;

// Reading "\VornalUsb.cfg", the number texts and the command-line switches.
class TestConfiguration : public QObject {
    Q_OBJECT
private slots:
    void valueLines_data();
    void valueLines();
    void dialPrefixRounding_data();
    void dialPrefixRounding();
    void leadingDecimal_data();
    void leadingDecimal();
    void badInputNeverThrows();
    void missingFileNamesPath();
    void signedNumbers_data();
    void signedNumbers();
    void shortestNumber();
    void switches_data();
    void switches();
    void codecRoundTripsEveryByte();
    void codecHighCharacters();
    void startDateAndTitle();
};

void TestConfiguration::valueLines_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("prefix");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("server");
    QTest::addColumn<double>("delay");
    QTest::addColumn<double>("rs1");
    QTest::addColumn<double>("rs2");

    QTest::newRow("only comments") << QByteArray("// a\r\n// b\r\n") << 0 << ""
                                   << "" << 0.0 << 0.0 << 0.0;
    QTest::newRow("empty file") << QByteArray() << 0 << ""
                                << "" << 0.0 << 0.0 << 0.0;
    QTest::newRow("full") << QByteArray(
                                 "0\r\ndd.mm.yyyy\r\nSTATION\r\ndir.example\r\nx\r\ny\r\n0.05 s\r\n11150\r\n"
                                 "11151\r\n")
                          << 0 << "STATION"
                          << "dir.example" << 0.05 << 11150.0 << 11151.0;
    QTest::newRow("comments do not count, empty lines do")
        << QByteArray("// c\r\n5\r\n\r\n// c\r\nT\r\n\r\n\r\n\r\n0.2\r\n") << 5 << "T"
        << "" << 0.2 << 0.0 << 0.0;
    QTest::newRow("blank before slashes is a value line")
        << QByteArray(" // not a comment\r\n1\r\n") << 0 << ""
        << "" << 0.0 << 0.0 << 0.0;
    QTest::newRow("LF and CR line ends") << QByteArray("7\nA\rTitle\nsrv\n5\n6\n1.5\n8\n9") << 7 << "Title"
                                         << "srv" << 1.5 << 8.0 << 9.0;
    QTest::newRow("lines 7 to 9 need six lines before them")
        << QByteArray("1\r\n2\r\n3\r\n4\r\n0.3\r\n") << 1 << "3"
        << "4" << 0.0 << 0.0 << 0.0;
    QTest::newRow("more than 21 value lines")
        << QByteArray("1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n13\n14\n15\n16\n"
                      "17\n18\n19\n20\n21\n22\n23\n")
        << 1 << "3"
        << "4" << 7.0 << 8.0 << 9.0;
}

void TestConfiguration::valueLines() {
    QFETCH(QByteArray, file);
    const Configuration c = ConfigurationReader::parse(file);
    QTEST(int(c.DialPrefix), "prefix");
    QTEST(c.TitleSuffix, "title");
    QTEST(c.DirectoryServer, "server");
    QTEST(c.CharDelay, "delay");
    QTEST(c.BroadcastNumber1, "rs1");
    QTEST(c.BroadcastNumber2, "rs2");
    QVERIFY(c.valueLines.size() <= Configuration::kMaxValueLines);
}

void TestConfiguration::dialPrefixRounding_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("value");
    QTest::newRow("zero") << "0" << true << 0;
    QTest::newRow("half down to even") << "2.5" << true << 2;
    QTest::newRow("half up to even") << "3.5" << true << 4;
    QTest::newRow("minus half") << "-0.5" << true << 0;
    QTest::newRow("minus one and a half") << "-1.5" << true << -2;
    QTest::newRow("blanks around") << "  12  " << true << 12;
    QTest::newRow("largest") << "32767" << true << 32767;
    QTest::newRow("smallest") << "-32768" << true << -32768;
    QTest::newRow("too large") << "32768" << false << 0;
    QTest::newRow("text") << "abc" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("trailing text") << "12 abc" << false << 0;
    QTest::newRow("not a number") << "nan" << false << 0;
    QTest::newRow("infinite") << "inf" << false << 0;
    QTest::newRow("minus infinite") << "-inf" << false << 0;
    QTest::newRow("far too large") << "1e30" << false << 0;
    QTest::newRow("far too small") << "-1e30" << false << 0;
}

void TestConfiguration::dialPrefixRounding() {
    QFETCH(QString, line);
    QFETCH(bool, ok);
    const Configuration c = ConfigurationReader::parse(TextCodec::encode(line + QStringLiteral("\r\n")));
    QTEST(int(c.DialPrefix), "value");
    QCOMPARE(c.warnings.isEmpty(), ok);
}

void TestConfiguration::leadingDecimal_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("plain") << "0.15" << 0.15;
    QTest::newRow("unit after blank") << "0.05 s" << 0.05;
    QTest::newRow("leading blanks") << "   2" << 2.0;
    QTest::newRow("sign") << "-3.5x" << -3.5;
    QTest::newRow("plus") << "+4" << 4.0;
    QTest::newRow("second point ends it") << "1.2.3" << 1.2;
    QTest::newRow("point first") << ".5" << 0.5;
    QTest::newRow("point last") << "5." << 5.0;
    QTest::newRow("no number") << "abc" << 0.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("comma is no separator") << "0,5" << 0.0;
    QTest::newRow("nan is no number") << "nan" << 0.0;
    QTest::newRow("inf is no number") << "inf" << 0.0;
    QTest::newRow("exponent is not read") << "1e30" << 1.0;
}

void TestConfiguration::leadingDecimal() {
    QFETCH(QString, text);
    QTEST(leadingDecimalNumber(text), "value");
}

void TestConfiguration::badInputNeverThrows() {
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary.append(char((i * 37) & 0xFF));
    const Configuration c = ConfigurationReader::parse(binary);
    QVERIFY(c.valueLines.size() <= Configuration::kMaxValueLines);

    const QByteArray longLine = QByteArray("0\r\n") + QByteArray(200000, 'A') + "\r\n";
    const Configuration d = ConfigurationReader::parse(longLine);
    QCOMPARE(d.DateFormat.size(), 200000);
    QVERIFY(d.warnings.isEmpty());
}

void TestConfiguration::missingFileNamesPath() {
    QTemporaryDir dir;
    const QString path = dir.filePath(programFile(ProgramFiles::kConfiguration));
    const Configuration c = ConfigurationReader::load(path);
    QCOMPARE(c.DialPrefix, 0);
    QCOMPARE(c.CharDelay, 0.0);
    QCOMPARE(c.warnings.size(), 1);
    QVERIFY(c.warnings.first().contains(path));
}

void TestConfiguration::signedNumbers_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("3") << 3 << " 3";
    QTest::newRow("0") << 0 << " 0";
    QTest::newRow("-7") << -7 << "-7";
    QTest::newRow("12") << 12 << " 12";
}

void TestConfiguration::signedNumbers() {
    QFETCH(int, value);
    QTEST(signedNumberText(value), "text");
}

void TestConfiguration::shortestNumber() {
    QCOMPARE(shortestNumberText(11151), QStringLiteral("11151"));
    QCOMPARE(shortestNumberText(0), QStringLiteral("0"));
    QCOMPARE(shortestNumberText(0.5), QStringLiteral("0.5"));
    QCOMPARE(shortestNumberText(-2), QStringLiteral("-2"));
}

void TestConfiguration::switches_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("skin");
    QTest::addColumn<int>("colours");
    const int standard = int(Startup::SkinSwitch::Unchanged);
    const int steam = int(Startup::SkinSwitch::Steam);
    const int none = int(Startup::ColourSwitch::Unchanged);
    const auto colour = [](int n) { return int(Startup::ColourSwitch::Color1) + n - 1; };
    QTest::newRow("none") << "" << standard << none;
    QTest::newRow("steam") << "/steam" << steam << none;
    QTest::newRow("colour then steam") << "/Color2 /steam" << steam << colour(2);
    QTest::newRow("steam then colour") << "/steam /Color4" << steam << colour(4);
    QTest::newRow("a later colour overrides") << "/Color1 /steam /Color3" << steam << colour(3);
    QTest::newRow("steam twice") << "/steam /Color2 /steam" << steam << colour(2);
    QTest::newRow("case matters") << "/STEAM /color1" << standard << none;
    QTest::newRow("double blanks give empty words") << "/Color1  /Color3" << standard << colour(3);
    QTest::newRow("unknown words ignored") << "-x /Color5 /Color1" << standard << colour(1);
    QTest::newRow("only eleven words count") << "a b c d e f g h i j /Color1 /steam" << standard << colour(1);
    QTest::newRow("steam among the eleven, colour beyond")
        << "/steam b c d e f g h i j k /Color1" << steam << none;
}

void TestConfiguration::switches() {
    QFETCH(QString, line);
    const Startup::Look look = Startup::parseSwitches(line);
    QTEST(int(look.skin), "skin");
    QTEST(int(look.colours), "colours");
}

void TestConfiguration::codecRoundTripsEveryByte() {
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(char(i));
    QCOMPARE(TextCodec::encode(TextCodec::decode(all)), all);
}

void TestConfiguration::codecHighCharacters() {
    QCOMPARE(TextCodec::decode(QByteArray("\x80\xe4\x9f")), QString::fromUtf8("€äŸ"));
    QCOMPARE(TextCodec::encode(QString::fromUtf8("Ä€ж")), QByteArray("\xc4\x80?"));
}

void TestConfiguration::startDateAndTitle() {
    QCOMPARE(Startup::startDateText(QDate(2026, 12, 7)), QStringLiteral("07-12-2026"));
    QCOMPARE(Startup::windowTitle(QString()), QStringLiteral("Vornal USB Terminal  "));
    QCOMPARE(Startup::windowTitle(QStringLiteral("X")), QStringLiteral("Vornal USB Terminal  X"));
}

QTEST_GUILESS_MAIN(TestConfiguration)
#include "tst_configuration.moc"
