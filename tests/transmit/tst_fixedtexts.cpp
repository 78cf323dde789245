#include "fakeclock.h"
#include "files/programfiles.h"
#include "fixedtexts.h"
#include "presetphrases.h"
#include "testfiles.h"
#include "textsender.h"
#include "transmitrig.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace vornal;

namespace {

struct Rig : TransmitRig {
    FakeClock clock{QDateTime(QDate(2026, 12, 7), QTime(14, 5, 9))};
    TextSender sender{transmission, state, counter, dialogs, folder()};
    FixedTexts texts{sender, link, state, dialogs, clock};
    int beeps = 0;
    int focus = 0;
    QStringList status;
    Rig() : TransmitRig(false) {
        state.StartDate = QStringLiteral("07-12-2026");
        QObject::connect(&texts, &FixedTexts::beep, [this] { ++beeps; });
        QObject::connect(&texts, &FixedTexts::focusTerminal, [this] { ++focus; });
        QObject::connect(&texts, &FixedTexts::status, [this](const QString& s) { status.append(s); });
    }
};

enum class Click { TimeStamp, Fox, Ry, Phrase };

} // namespace

class TestFixedTexts : public QObject {
    Q_OBJECT
private slots:
    void wireImages_data();
    void wireImages();
    void timeStampAcrossMidnight_data();
    void timeStampAcrossMidnight();
    void presetFile_data();
    void presetFile();
};

void TestFixedTexts::wireImages_data() {
    QTest::addColumn<int>("click");
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<bool>("portOpen");
    QTest::addColumn<bool>("connected");
    QTest::addColumn<QByteArray>("wire");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("beeps");
    const QStringList none;
    const QStringList noConnection{QStringLiteral(" No existing connection active ......")};
    const QByteArray ry = QByteArray("ry").repeated(35);
    QTest::newRow("time stamp") << int(Click::TimeStamp) << "" << true << false
                                << QByteArray("\rlocal date: 07-12-2026   local time:  14:05:09\r") << none
                                << 0;
    QTest::newRow("time stamp, port closed: nothing at all")
        << int(Click::TimeStamp) << "" << false << true << QByteArray() << none << 0;
    QTest::newRow("fox") << int(Click::Fox) << "" << true << true
                         << QByteArray("\rthe quick brown fox jumps over the lazy dog 1234567890 ()\r")
                         << none << 0;
    QTest::newRow("RY, 70 characters unwrapped")
        << int(Click::Ry) << "" << true << true << QByteArray("\r" + ry + "\r") << none << 0;
    QTest::newRow("RY without a connection")
        << int(Click::Ry) << "" << true << false << QByteArray() << noConnection << 1;
    QTest::newRow("phrase") << int(Click::Phrase) << QString::fromUtf8("Grüße \"x\"") << true << true
                            << QByteArray("\rGrue\xdf"
                                          "e 'x'")
                            << none << 0;
    QTest::newRow("empty phrase: the leading CR")
        << int(Click::Phrase) << "" << true << true << QByteArray("\r") << none << 0;
    QTest::newRow("phrase without a connection")
        << int(Click::Phrase) << "abc" << true << false << QByteArray() << noConnection << 1;
    QTest::newRow("phrase with the port closed")
        << int(Click::Phrase) << "abc" << false << true << QByteArray()
        << QStringList{QStringLiteral("Open Communication Port First ..... ")} << 0;
}

void TestFixedTexts::wireImages() {
    QFETCH(int, click);
    QFETCH(QString, phrase);
    QFETCH(bool, portOpen);
    QFETCH(bool, connected);
    Rig r;
    r.link.setPortOpen(portOpen);
    r.state.connectionActive = connected;
    switch (Click(click)) {
    case Click::TimeStamp:
        r.texts.sendTimeStamp();
        break;
    case Click::Fox:
        r.texts.sendFox();
        break;
    case Click::Ry:
        r.texts.sendRy();
        break;
    case Click::Phrase:
        r.texts.sendPhrase(phrase);
        break;
    }
    QTEST(r.link.written(), "wire");
    QTEST(r.dialogs.texts(), "messages");
    QTEST(r.beeps, "beeps");
    QCOMPARE(r.focus, r.link.written().isEmpty() ? 0 : 1);
    if (Click(click) == Click::TimeStamp && portOpen)
        QCOMPARE(r.status, QStringList{QStringLiteral("Sending Time Stamp")});
}

// The stamp carries the date of the moment it is sent, not the day the program started.
void TestFixedTexts::timeStampAcrossMidnight_data() {
    QTest::addColumn<QDateTime>("sent");
    QTest::addColumn<QByteArray>("wire");
    QTest::newRow("the day of start") << QDateTime(QDate(2026, 12, 9), QTime(23, 59, 59))
                                      << QByteArray("\rlocal date: 09-12-2026   local time:  23:59:59\r");
    QTest::newRow("after midnight") << QDateTime(QDate(2026, 12, 10), QTime(0, 0, 5))
                                    << QByteArray("\rlocal date: 10-12-2026   local time:  00:00:05\r");
    QTest::newRow("a month later") << QDateTime(QDate(2027, 1, 8), QTime(7, 3, 0))
                                   << QByteArray("\rlocal date: 08-01-2027   local time:  07:03:00\r");
}

void TestFixedTexts::timeStampAcrossMidnight() {
    QFETCH(QDateTime, sent);
    Rig r;
    r.state.StartDate = QStringLiteral("09-12-2026");
    r.link.setPortOpen(true);
    r.clock.set(sent);
    r.texts.sendTimeStamp();
    QTEST(r.link.written(), "wire");
    QCOMPARE(r.state.StartDate, QStringLiteral("09-12-2026"));
}

void TestFixedTexts::presetFile_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("phrases");
    QByteArray twelve;
    QStringList ten;
    for (int i = 1; i <= 12; ++i) {
        twelve += "phrase " + QByteArray::number(i) + "\r\n";
        if (i <= 10)
            ten.append(QStringLiteral("phrase %1").arg(i));
    }
    const QString empty;
    QTest::newRow("12 lines: the first 10") << twelve << ten;
    QTest::newRow("3 lines, as read")
        << QByteArray(" a \r\nb\nc")
        << QStringList{QStringLiteral(" a "), QStringLiteral("b"), QStringLiteral("c")};
    QTest::newRow("0 lines") << QByteArray() << QStringList();
    QTest::newRow("binary bytes") << QByteArray("\x00\x01\xff\x13", 4)
                                  << QStringList{QString(QChar(0)) + QChar(1) + QChar(0xff) + QChar(0x13)};
    QTest::newRow("a 10,000-character line")
        << QByteArray(10000, 'x') + "\r\nnext"
        << QStringList{QString(10000, QLatin1Char('x')), QStringLiteral("next")};
}

void TestFixedTexts::presetFile() {
    QFETCH(QByteArray, file);
    QFETCH(QStringList, phrases);
    QTemporaryDir dir;
    const QString path = dir.filePath(programFile(ProgramFiles::kPresetPhrases));
    QVERIFY(writeFile(path, file));
    const PresetPhrases::Phrases read = PresetPhrases::read(path);
    while (phrases.size() < PresetPhrases::kCount)
        phrases.append(QString());
    QCOMPARE(read.phrases, phrases);
    QVERIFY(read.error.isEmpty());
    // A missing file: ten empty phrases and nothing to report.
    QCOMPARE(PresetPhrases::read(dir.filePath(QStringLiteral("none.txt"))).phrases,
             QStringList(10, QString()));
}

QTEST_GUILESS_MAIN(TestFixedTexts)
#include "tst_fixedtexts.moc"
