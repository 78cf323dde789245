// The broadcast service that answers the configured service numbers.

#include "simulators.h"
#include "testfiles.h"

#include <QtTest>

using namespace vornal;

class TestBoxSimBroadcast : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void wholeBroadcast_data();
    void wholeBroadcast();
    void otherNumbersAreNoService();

private:
    QByteArray broadcastLog() const;
    std::unique_ptr<BoxSimulator> m_sim;
};

void TestBoxSimBroadcast::init() {
    m_sim = std::make_unique<BoxSimulator>();
    QVERIFY2(m_sim->start({QStringLiteral("--broadcast"), QStringLiteral("11151,11162"),
                           QStringLiteral("--broadcast-log"), m_sim->path(QStringLiteral("broadcast.log"))}),
             qPrintable(m_sim->startFailure()));
    QVERIFY(m_sim->openPort());
}

void TestBoxSimBroadcast::cleanup() {
    m_sim.reset();
}

QByteArray TestBoxSimBroadcast::broadcastLog() const {
    return fileBytes(m_sim->path(QStringLiteral("broadcast.log")));
}

void TestBoxSimBroadcast::wholeBroadcast_data() {
    QTest::addColumn<QByteArray>("dial");
    QTest::addColumn<QList<QByteArray>>("list"); // as the terminal sends it, in pieces
    QTest::addColumn<QByteArray>("log");
    QTest::newRow("two receivers, as the terminal sends them")
        << QByteArray(" 011151") << QList<QByteArray>{"\r\n", "\r12345,", "\r67890,", "\r67", "890+"}
        << QByteArray("broadcast 11151: 2 receivers\nto 12345: hallo\\rwelt \\x84\\r\nto 67890: hallo\\rwelt "
                      "\\x84\\r\n");
    QTest::newRow("no receiver") << QByteArray(" 11162") << QList<QByteArray>{"\r\n\r+"}
                                 << QByteArray("broadcast 11162: 0 receivers\n");
}

// Prompt, list, second prompt, message up to "+++", confirmation, hang-up, log.
void TestBoxSimBroadcast::wholeBroadcast() {
    QFETCH(QByteArray, dial);
    QFETCH(QList<QByteArray>, list);
    QVERIFY(m_sim->write("\x01" + dial));
    QVERIFY2(m_sim->waitFor(" vornal d\r\n\r\n +++):"), m_sim->received().constData());
    m_sim->clearReceived();
    for (const QByteArray& piece : list)
        QVERIFY(m_sim->write(piece));
    QVERIFY2(m_sim->waitFor(" text eingeben.\r\n"), m_sim->received().constData());
    m_sim->clearReceived();
    QVERIFY(m_sim->write("\rhallo\rwelt \x84\r+++"));
    QVERIFY2(m_sim->waitFor("closed\r\n"), m_sim->received().constData());
    QVERIFY(m_sim->received().contains("rundsenden ok: " + QByteArray::number(list.size() > 1 ? 2 : 0)));
    QTEST(broadcastLog(), "log");
}

void TestBoxSimBroadcast::otherNumbersAreNoService() {
    QVERIFY(m_sim->write("\x01 12345"));
    QVERIFY(m_sim->waitFor("12345 vornal d\r\n"));
    m_sim->readFor(300);
    QVERIFY(!m_sim->received().contains("+++):"));
    QVERIFY(m_sim->write("1,\r1+\r+++"));
    m_sim->readFor(300);
    QVERIFY(!m_sim->received().contains("closed"));
    QVERIFY(broadcastLog().isEmpty());
}

QTEST_GUILESS_MAIN(TestBoxSimBroadcast)
#include "tst_boxsimbroadcast.moc"
