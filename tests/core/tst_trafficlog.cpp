#include "fakeclock.h"
#include "files/settingskeys.h"
#include "files/textcodec.h"
#include "log/trafficlog.h"
#include "memorysettingsstore.h"
#include "testfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace vornal;

namespace {

// Plays a script of traffic into the log: each step is a kind and its text.
//   r received text    s sent bytes    c a command by name
//   t the terminal's own text replacing the display    u the quiet time runs out
void play(TrafficLog& log, FakeClock& clock, const QStringList& steps) {
    for (const QString& step : steps) {
        const QString text = step.mid(2);
        switch (step.at(0).toLatin1()) {
        case 'r':
            log.received(text);
            break;
        case 's':
            log.sent(TextCodec::encode(text));
            break;
        case 'c':
            log.command(text);
            break;
        case 't':
            log.replaced(text);
            break;
        case 'u':
            log.writeUnfinished();
            break;
        }
        clock.advance(1);
    }
}

// Script steps from ASCII and Latin-1 literals.
QStringList steps(std::initializer_list<const char*> list) {
    QStringList out;
    for (const char* step : list)
        out.append(QString::fromLatin1(step));
    return out;
}

} // namespace

class TestTrafficLog : public QObject {
    Q_OBJECT
private slots:
    void lines_data();
    void lines();
    void unfinishedLineIsWrittenAfterTheQuietTime();
    void newFileAtMidnight();
    void enabled_data();
    void enabled();
};

void TestTrafficLog::lines_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("CR LF, a lone CR and a lone LF are one line break each")
        << steps({"s ONE\r\nTWO\rTHREE\nFOUR\r\n"})
        << QByteArray("09:30:00 > ONE\r\n09:30:00 > TWO\r\n09:30:00 > THREE\r\n09:30:00 > FOUR\r\n");
    QTest::newRow("a CR LF split between two pieces is one break")
        << steps({"s AB\r", "s \nCD\r\n"}) << QByteArray("09:30:00 > AB\r\n09:30:01 > CD\r\n");
    QTest::newRow("an empty line stays")
        << steps({"r A\r\n\r\nB\r\n"}) << QByteArray("09:30:00 < A\r\n09:30:00 < \r\n09:30:00 < B\r\n");
    QTest::newRow("a line takes the time of its first character")
        << steps({"r AB", "r CD", "r \r\n"}) << QByteArray("09:30:00 < ABCD\r\n");
    QTest::newRow("the echo of typed keys does not cut the typed line")
        << steps({"s H", "r H", "s I", "r I", "s \r", "r \r\n"})
        << QByteArray("09:30:00 > HI\r\n09:30:01 < HI\r\n");
    QTest::newRow("a command ends the open sent line and stands alone")
        << steps({"s 0 111", "c Call", "s 51\r"})
        << QByteArray("09:30:00 > 0 111\r\n09:30:01 > [Call]\r\n09:30:02 > 51\r\n");
    QTest::newRow("control characters by name")
        << steps({"r GA \x07\x1b\x7f!\r\n"}) << QByteArray("09:30:00 < GA <BEL><ESC><DEL>!\r\n");
    QTest::newRow("Windows-1252 letters")
        << QStringList{QStringLiteral("r caf\u00e9 \u20ac\r\n")} << QByteArray("09:30:00 < caf\xe9 \x80\r\n");
    QTest::newRow("after the quiet time the rest of the line starts a new one")
        << steps({"r WAIT", "u", "r ING\r\n"}) << QByteArray("09:30:00 < WAIT\r\n09:30:02 < ING\r\n");
    QTest::newRow("text that never ends a line is cut at the longest line")
        << QStringList{QStringLiteral("r ") + QString(TrafficLog::kLongestLine + 6, QLatin1Char('x')) +
                       QStringLiteral("\r\n")}
        << "09:30:00 < " + QByteArray(TrafficLog::kLongestLine, 'x') + "\r\n09:30:00 < xxxxxx\r\n";
    QTest::newRow("the terminal's own text is a line of its own")
        << steps({"r OLD", "t Terminal Closed ", "r NEW\r\n"})
        << QByteArray("09:30:00 < OLD\r\n09:30:01 < Terminal Closed \r\n09:30:02 < NEW\r\n");
}

void TestTrafficLog::lines() {
    QFETCH(QStringList, steps);
    QFETCH(QByteArray, file);
    QTemporaryDir dir;
    FakeClock clock;
    {
        TrafficLog log(ProgramFolder(dir.path()), clock);
        play(log, clock, steps);
    }
    QCOMPARE(fileBytes(dir.filePath(QStringLiteral("Logs/2026-12-07.txt")), "<no file>"), file);
}

void TestTrafficLog::unfinishedLineIsWrittenAfterTheQuietTime() {
    QTemporaryDir dir;
    FakeClock clock;
    TrafficLog log(ProgramFolder(dir.path()), clock);
    const QString path = dir.filePath(QStringLiteral("Logs/2026-12-07.txt"));
    log.received(QStringLiteral("PLEASE WAIT"));
    log.sent("NNNN");
    QVERIFY(!QFile::exists(path));
    QTRY_COMPARE_WITH_TIMEOUT(fileBytes(path, "<no file>"),
                              QByteArray("09:30:00 > NNNN\r\n09:30:00 < PLEASE WAIT\r\n"),
                              TrafficLog::kQuietMs + 2000);
}

void TestTrafficLog::newFileAtMidnight() {
    QTemporaryDir dir;
    FakeClock clock(QDateTime(QDate(2026, 12, 7), QTime(23, 59, 58)));
    {
        TrafficLog log(ProgramFolder(dir.path()), clock);
        // A line started before midnight stays in its day's file.
        play(log, clock, steps({"r LATE", "r \r\n", "s EARLY\r\n"}));
    }
    QCOMPARE(fileBytes(dir.filePath(QStringLiteral("Logs/2026-12-07.txt")), "<no file>"),
             QByteArray("23:59:58 < LATE\r\n"));
    QCOMPARE(fileBytes(dir.filePath(QStringLiteral("Logs/2026-12-08.txt")), "<no file>"),
             QByteArray("00:00:00 > EARLY\r\n"));
}

void TestTrafficLog::enabled_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("not set") << QString() << true;
    QTest::newRow("1") << "1" << true;
    QTest::newRow("0") << "0" << false;
    QTest::newRow("false") << "false" << false;
    QTest::newRow("Off") << " Off " << false;
    QTest::newRow("yes") << "yes" << true;
}

void TestTrafficLog::enabled() {
    QFETCH(QString, stored);
    QFETCH(bool, enabled);
    MemorySettingsStore settings;
    if (!stored.isNull())
        settings.setValue(SettingsKeys::kLog, SettingsKeys::kEnabled, stored);
    QCOMPARE(TrafficLog::enabledIn(settings), enabled);
}

QTEST_GUILESS_MAIN(TestTrafficLog)
#include "tst_trafficlog.moc"
