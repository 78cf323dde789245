// The scripted far station.

#include "simulators.h"

#include <QElapsedTimer>
#include <QtTest>

using namespace vornal;

class TestBoxSimScript : public QObject {
    Q_OBJECT

private slots:
    void broadcastService();
    void waitIsCaseBlindAndConsumes();
    void eachCallStartsAfresh();
    void waitTimeoutEndsScript();
    void incomingCall();
    void lineStatements();
    void badScript_data();
    void badScript();

private:
    static bool startWithScript(BoxSimulator& sim, const QByteArray& script, const QStringList& args = {});
};

bool TestBoxSimScript::startWithScript(BoxSimulator& sim, const QByteArray& script, const QStringList& args) {
    const QString path = sim.writeFile(QStringLiteral("far.script"), script);
    return sim.start(QStringList{QStringLiteral("--script"), path} + args) && sim.openPort();
}

void TestBoxSimScript::broadcastService() {
    BoxSimulator sim;
    QVERIFY2(startWithScript(sim, "# broadcast service\n"
                                  "send  +++):\n"
                                  "wait 12345\n"
                                  "send \\r\\n text eingeben.\n"
                                  "pause 0.4\n"
                                  "  wait +?\n"
                                  "send a\\tb\\\\c\\x41\\r\\n\n"
                                  "close\n"),
             qPrintable(sim.startFailure()));
    QVERIFY(sim.write("\x01 200"));
    QVERIFY(sim.waitFor("200 vornal d\r\n +++):"));
    QVERIFY(!sim.received().contains("text eingeben"));

    QVERIFY(sim.write("12345\r\n"));
    QVERIFY(sim.waitFor("12345\r\n text eingeben."));
    QElapsedTimer sincePrompt;
    sincePrompt.start();
    QVERIFY(sim.write("hello +?"));
    QVERIFY(sim.waitFor("a\tb\\cA\r\n"));
    QVERIFY2(sincePrompt.elapsed() >= 300, qPrintable(QString::number(sincePrompt.elapsed())));
    QVERIFY(sim.waitFor("a\tb\\cA\r\n\r\nclosed\r\n"));

    // After the far side hung up the box is local again.
    sim.clearReceived();
    QVERIFY(sim.write("\x14"));
    QVERIFY(sim.waitFor("[status: idle"));
}

void TestBoxSimScript::waitIsCaseBlindAndConsumes() {
    BoxSimulator sim;
    QVERIFY2(startWithScript(sim, "wait klkl\nsend first\nwait klkl\nsend second\n"),
             qPrintable(sim.startFailure()));
    QVERIFY(sim.write("\x01 12345"));
    QVERIFY(sim.waitFor("12345 vornal d\r\n"));
    QVERIFY(sim.write("KLKL"));
    QVERIFY(sim.waitFor("KLKLfirst"));
    sim.readFor(200);
    QVERIFY(!sim.received().contains("second"));
    QVERIFY(sim.write("klkl"));
    QVERIFY(sim.waitFor("firstklklsecond"));
}

void TestBoxSimScript::eachCallStartsAfresh() {
    BoxSimulator sim;
    QVERIFY2(startWithScript(sim, "send prompt\nwait abc\nsend done\n"), qPrintable(sim.startFailure()));
    QVERIFY(sim.write("\x01 12345"));
    QVERIFY(sim.waitFor("prompt"));
    QVERIFY(sim.write("ab\x13"));
    QVERIFY(sim.waitFor("closed\r\n"));

    sim.clearReceived();
    QVERIFY(sim.write("\x01 12345"));
    QVERIFY(sim.waitFor("prompt"));
    QVERIFY(sim.write("c"));
    sim.readFor(200);
    QVERIFY2(!sim.received().contains("done"), "text from the previous call satisfied the wait");
    QVERIFY(sim.write("abc"));
    QVERIFY(sim.waitFor("done"));
}

void TestBoxSimScript::waitTimeoutEndsScript() {
    BoxSimulator sim;
    QVERIFY2(startWithScript(sim, "timeout 0.2\nwait never\nsend late\n"), qPrintable(sim.startFailure()));
    QVERIFY(sim.write("\x01 12345"));
    QVERIFY(sim.waitFor("12345 vornal d\r\n"));
    sim.readFor(400);
    QVERIFY(sim.write("never"));
    sim.readFor(300);
    QVERIFY(!sim.received().contains("late"));
    sim.process().terminate();
    QVERIFY(sim.process().waitForFinished(3000));
    QVERIFY(sim.process().readAllStandardError().contains("line 2: wait timed out"));
}

void TestBoxSimScript::incomingCall() {
    BoxSimulator sim;
    QVERIFY2(
        startWithScript(sim, "send klkl\nwait 54321 vornal t\nsend thanks\n",
                        {QStringLiteral("--script-now"), QStringLiteral("--caller"), QStringLiteral("0777")}),
        qPrintable(sim.startFailure()));
    QVERIFY(sim.waitFor("[incoming call]\r\n777 vornal d\r\nklkl"));
    QVERIFY(sim.write("\r\t")); // the terminal's automatic answer: the box sends the own answerback
    QVERIFY(sim.waitFor("54321 vornal t\r\nthanks"));
}

// xoff / xon go out as the bytes 19 / 17; a stall keeps the box from reading (no
// echo, nothing logged) while the script goes on, and everything is read afterwards.
void TestBoxSimScript::lineStatements() {
    BoxSimulator sim;
    QVERIFY2(startWithScript(sim, "xoff\nstall 0.6\nsend held\nwait typed\nxon\nsend free\n",
                             {QStringLiteral("--script-now")}),
             qPrintable(sim.startFailure()));
    QVERIFY(sim.waitFor("12345 vornal d\r\n\x13held"));
    const int logged = int(sim.logLines().size());
    QElapsedTimer stalled;
    stalled.start();
    QVERIFY(sim.write("typed"));
    sim.readFor(200);
    QVERIFY(!sim.received().contains("typed"));
    QCOMPARE(sim.logLines().size(), logged);
    QVERIFY(sim.waitFor("heldtyped\x11"
                        "free"));
    QVERIFY2(stalled.elapsed() >= 300, qPrintable(QString::number(stalled.elapsed())));
    QVERIFY(sim.waitForLogCount(logged + 5));
}

void TestBoxSimScript::badScript_data() {
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QByteArray>("message");
    QTest::newRow("unknown word") << QByteArray("# fine\nsend ok\nshout x\n")
                                  << QByteArray("line 3: unknown");
    QTest::newRow("short hex escape") << QByteArray("send \\x4\n") << QByteArray("line 1: bad escape");
    QTest::newRow("empty wait") << QByteArray("\nwait\n") << QByteArray("line 2: wait needs");
    QTest::newRow("stall without seconds") << QByteArray("stall\n") << QByteArray("line 1: stall needs");
    QTest::newRow("stall for hours") << QByteArray("stall 7200\n") << QByteArray("line 1: stall needs");
    QTest::newRow("xoff with an argument") << QByteArray("xoff now\n") << QByteArray("line 1: unknown");
}

void TestBoxSimScript::badScript() {
    QFETCH(QByteArray, script);
    QFETCH(QByteArray, message);
    BoxSimulator sim;
    QVERIFY(!startWithScript(sim, script));
    QCOMPARE(sim.process().state(), QProcess::NotRunning);
    QCOMPARE(sim.process().exitCode(), 2);
    QVERIFY2(sim.startFailure().toLatin1().contains(message), qPrintable(sim.startFailure()));
}

QTEST_GUILESS_MAIN(TestBoxSimScript)
#include "tst_boxsimscript.moc"
