// The simulator as a serial port: echo, byte log, reopening, link handling and
// what the terminal sees when the box goes away.

#include "simulators.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtTest>

using namespace vornal;

class TestBoxSimPort : public QObject {
    Q_OBJECT

private slots:
    void textIsEchoedAndLogged_data();
    void textIsEchoedAndLogged();
    void portCanBeReopened();
    void outputMissedWhileClosedIsDropped_data();
    void outputMissedWhileClosedIsDropped();
    void existingPath_data();
    void existingPath();
    void sigtermRemovesLink();
    void sigkillIsSeenByOpenPort();
    void controlLines_data();
    void controlLines();
    void stallHoldsWhatTheTerminalSends_data();
    void stallHoldsWhatTheTerminalSends();
};

void TestBoxSimPort::textIsEchoedAndLogged_data() {
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::newRow("carriage return") << QList<QByteArray>{"\r"};
    QTest::newRow("text in chunks") << QList<QByteArray>{"the quick ", "brown fox", " \xe4\xff\n"};
}

void TestBoxSimPort::textIsEchoedAndLogged() {
    QFETCH(QList<QByteArray>, chunks);
    BoxSimulator sim;
    QVERIFY2(sim.start(), qPrintable(sim.startFailure()));
    QVERIFY(sim.openPort());
    QByteArray all;
    for (const QByteArray& chunk : chunks) {
        QVERIFY(sim.write(chunk));
        all += chunk;
        QVERIFY(sim.waitFor(all));
        QThread::msleep(50);
    }
    QCOMPARE(sim.received(), all);

    QVERIFY(sim.waitForLogCount(static_cast<int>(all.size())));
    const QStringList lines = sim.logLines();
    QCOMPARE(lines.size(), all.size());
    const QRegularExpression format(QStringLiteral("^(\\d+\\.\\d{9}) (\\d{1,3})$"));
    QList<double> stamps;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QRegularExpressionMatch match = format.match(lines[i]);
        QVERIFY2(match.hasMatch(), qPrintable(lines[i]));
        QCOMPARE(match.captured(2).toInt(), static_cast<quint8>(all[i]));
        stamps.append(match.captured(1).toDouble());
        QVERIFY(i == 0 || stamps[i] >= stamps[i - 1]);
    }
    QVERIFY(stamps.constFirst() > 0 && stamps.constLast() < 60);
    // The chunks were written 50 ms apart; the stamps must show real time.
    if (chunks.size() > 1)
        QVERIFY(stamps[chunks[0].size()] - stamps[0] >= 0.04);
}

void TestBoxSimPort::portCanBeReopened() {
    BoxSimulator sim;
    QVERIFY2(sim.start(), qPrintable(sim.startFailure()));
    for (int round = 0; round < 4; ++round) {
        QVERIFY2(sim.openPort(), qPrintable(sim.port().errorString()));
        sim.clearReceived();
        const QByteArray text = "round " + QByteArray::number(round);
        QVERIFY(sim.write(text));
        QVERIFY2(sim.waitFor(text), sim.received().constData());
        sim.closePort();
    }
    QCOMPARE(sim.process().state(), QProcess::Running);
}

void TestBoxSimPort::outputMissedWhileClosedIsDropped_data() {
    QTest::addColumn<bool>("answerQueued");
    QTest::newRow("closed before the box answers") << false;
    QTest::newRow("closed with the answer unread") << true;
}

void TestBoxSimPort::outputMissedWhileClosedIsDropped() {
    QFETCH(bool, answerQueued);
    BoxSimulator sim;
    QVERIFY2(sim.start(), qPrintable(sim.startFailure()));
    QVERIFY(sim.openPort());
    QVERIFY(sim.write("\x07stale"));
    if (answerQueued) {
        QVERIFY(sim.waitForLogCount(6));
        QThread::msleep(100); // the echo now waits, unread, in the port
    }
    sim.closePort();
    QVERIFY(sim.waitForLogCount(6));
    // The flush comes when the simulator sees the close; a loaded machine may let the
    // port be reopened and read before that.
    QByteArray notes;
    QTRY_VERIFY((notes += sim.process().readAllStandardError()).contains("the terminal closed the port"));
    QVERIFY(sim.openPort());
    QVERIFY(sim.write("x"));
    QVERIFY(sim.waitFor("x"));
    sim.readFor(200);
    QCOMPARE(sim.received(), QByteArray("x"));
}

void TestBoxSimPort::existingPath_data() {
    QTest::addColumn<bool>("regularFile");
    QTest::newRow("stale symlink is replaced") << false;
    QTest::newRow("regular file is kept") << true;
}

void TestBoxSimPort::existingPath() {
    QFETCH(bool, regularFile);
    BoxSimulator sim;
    QFile file(sim.link());
    if (regularFile)
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("keep me") == 7);
    else
        QVERIFY(QFile::link(sim.path(QStringLiteral("gone")), sim.link()));
    file.close();

    QCOMPARE(sim.start(), !regularFile);
    if (regularFile) {
        QCOMPARE(sim.process().exitCode(), 1);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("keep me"));
    } else {
        QVERIFY(QFileInfo(sim.link()).symLinkTarget().startsWith(QStringLiteral("/dev/pts/")));
        QVERIFY(sim.openPort());
    }
}

void TestBoxSimPort::sigtermRemovesLink() {
    BoxSimulator sim;
    QVERIFY2(sim.start(), qPrintable(sim.startFailure()));
    QVERIFY(sim.openPort());
    sim.process().terminate();
    QVERIFY(sim.process().waitForFinished(3000));
    QCOMPARE(sim.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(sim.process().exitCode(), 0);
    QVERIFY(!QFileInfo(sim.link()).isSymLink());
}

void TestBoxSimPort::sigkillIsSeenByOpenPort() {
    BoxSimulator sim;
    QVERIFY2(sim.start(), qPrintable(sim.startFailure()));
    QVERIFY(sim.openPort());
    QVERIFY(sim.write("a") && sim.waitFor("a"));
    sim.process().kill();
    QVERIFY(sim.process().waitForFinished(3000));

    const QDeadlineTimer deadline(3000);
    while (sim.port().error() == QSerialPort::NoError && !deadline.hasExpired())
        sim.port().waitForReadyRead(100);
    QVERIFY2(sim.port().error() == QSerialPort::ResourceError || sim.port().error() == QSerialPort::ReadError,
             qPrintable(sim.port().errorString()));
}

void TestBoxSimPort::controlLines_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QByteArray>("bytes"); // what the port receives
    QTest::newRow("xoff") << QByteArray("xoff") << QByteArray("done xoff") << QByteArray("\x13");
    QTest::newRow("xon") << QByteArray("xon") << QByteArray("done xon") << QByteArray("\x11");
    QTest::newRow("send, without a call") << QByteArray("send a\\x13b") << QByteArray("done send a\\x13b")
                                          << QByteArray("a\x13"
                                                        "b");
    QTest::newRow("script-only statement")
        << QByteArray("pause 1") << QByteArray("refused pause 1") << QByteArray();
    QTest::newRow("unknown word") << QByteArray("shout") << QByteArray("refused shout") << QByteArray();
    QTest::newRow("bad escape") << QByteArray("send \\q") << QByteArray("refused send \\q") << QByteArray();
}

void TestBoxSimPort::controlLines() {
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, answer);
    QFETCH(QByteArray, bytes);
    BoxSimulator sim;
    QVERIFY2(sim.start({QStringLiteral("--control")}), qPrintable(sim.startFailure()));
    QVERIFY(sim.openPort());
    const QByteArray reply = sim.control(line);
    QVERIFY2(reply.startsWith(answer), reply.constData());
    QVERIFY(sim.write("."));
    QVERIFY(sim.waitFor(bytes + '.'));
    QCOMPARE(sim.received(), bytes + '.');
    QCOMPARE(sim.process().state(), QProcess::Running);
}

void TestBoxSimPort::stallHoldsWhatTheTerminalSends_data() {
    QTest::addColumn<QByteArray>("stall");
    QTest::addColumn<bool>("resume"); // ended by "resume" rather than by its time
    QTest::newRow("ended by resume") << QByteArray("stall 30") << true;
    QTest::newRow("ended by its time") << QByteArray("stall 0.5") << false;
}

void TestBoxSimPort::stallHoldsWhatTheTerminalSends() {
    QFETCH(QByteArray, stall);
    QFETCH(bool, resume);
    BoxSimulator sim;
    QVERIFY2(sim.start({QStringLiteral("--control")}), qPrintable(sim.startFailure()));
    QVERIFY(sim.openPort());
    QCOMPARE(sim.control(stall), "done " + stall);
    QVERIFY(sim.write("abc"));
    sim.readFor(300);
    QCOMPARE(sim.received(), QByteArray());
    QCOMPARE(sim.logLines().size(), 0);
    if (resume)
        QCOMPARE(sim.control("resume"), QByteArray("done resume"));
    QVERIFY(sim.waitFor("abc"));
    QVERIFY(sim.waitForLogCount(3));
    QCOMPARE(sim.received(), QByteArray("abc"));
}

QTEST_GUILESS_MAIN(TestBoxSimPort)
#include "tst_boxsimport.moc"
