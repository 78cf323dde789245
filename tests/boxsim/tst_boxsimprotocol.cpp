// The box's side of the protocol: dialling, command bytes, the messages mode.

#include "simulators.h"

#include <QElapsedTimer>
#include <QtTest>

using namespace vornal;

namespace {
// Not a command in any state; written after a case so that everything the case
// produced has arrived once it is echoed.
constexpr char Sentinel = '.';
} // namespace

class TestBoxSimProtocol : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void dial_data();
    void dial();
    void numberEndsOnlyAfterPause();
    void connectedCall();
    void commandBytes_data();
    void commandBytes();
    void messagesMode();
    void everyByteIsHandled();

private:
    // Writes the bytes and returns all output up to the sentinel's echo.
    QByteArray exchange(const QByteArray& bytes);

    std::unique_ptr<BoxSimulator> m_sim;
};

void TestBoxSimProtocol::init() {
    m_sim = std::make_unique<BoxSimulator>();
    QVERIFY2(m_sim->start({QStringLiteral("--busy"), QStringLiteral("80,4711")}),
             qPrintable(m_sim->startFailure()));
    QVERIFY(m_sim->openPort());
}

void TestBoxSimProtocol::cleanup() {
    m_sim.reset();
}

QByteArray TestBoxSimProtocol::exchange(const QByteArray& bytes) {
    m_sim->clearReceived();
    if (!m_sim->write(bytes + Sentinel) || !m_sim->waitFor(QByteArray(1, Sentinel)))
        return "<timeout: " + m_sim->received() + ">";
    QByteArray got = m_sim->received();
    got.truncate(got.lastIndexOf(Sentinel));
    return got;
}

void TestBoxSimProtocol::dial_data() {
    QTest::addColumn<QByteArray>("number");
    QTest::addColumn<QByteArray>("answer");
    QTest::newRow("answerback") << QByteArray(" 12345") << QByteArray("[connected]\r\n12345 vornal d\r\n");
    QTest::newRow("trunk zero") << QByteArray(" 011151") << QByteArray("\r\n11151 vornal d\r\n");
    QTest::newRow("minus sign") << QByteArray("-4242") << QByteArray("\r\n4242 vornal d\r\n");
    QTest::newRow("busy default") << QByteArray(" 80") << QByteArray("[calling 80]\r\nocc\r\n");
    QTest::newRow("busy listed") << QByteArray("4711") << QByteArray("\r\nocc\r\n");
    QTest::newRow("unknown") << QByteArray(" 99") << QByteArray("\r\nnp\r\n");
    QTest::newRow("too short") << QByteArray("7") << QByteArray("\r\nnp\r\n");
}

void TestBoxSimProtocol::dial() {
    QFETCH(QByteArray, number);
    QFETCH(QByteArray, answer);
    QVERIFY(m_sim->write("\x01" + number));
    QVERIFY2(m_sim->waitFor(answer), m_sim->received().constData());
    QVERIFY(m_sim->received().contains(number)); // the dialled digits are echoed
}

void TestBoxSimProtocol::numberEndsOnlyAfterPause() {
    QVERIFY(m_sim->write("\x01 12"));
    QVERIFY(m_sim->waitFor(" 12"));
    QThread::msleep(100); // shorter than the 0.25 s dial pause
    QElapsedTimer sinceLastDigit;
    QVERIFY(m_sim->write("345"));
    sinceLastDigit.start();
    QVERIFY(m_sim->waitFor("345"));
    QVERIFY(m_sim->waitFor("[calling"));
    QVERIFY2(sinceLastDigit.elapsed() >= 200, qPrintable(QString::number(sinceLastDigit.elapsed())));
    QVERIFY(m_sim->waitFor("12345 vornal d"));
}

void TestBoxSimProtocol::connectedCall() {
    QVERIFY(m_sim->write("\x01 0815"));
    QVERIFY(m_sim->waitFor("815 vornal d\r\n"));
    QVERIFY(exchange("\x14").contains("[status: connected 0815"));
    QCOMPARE(exchange("\r\x17"), QByteArray("\r\r\n815 vornal d\r\n"));
    QCOMPARE(exchange("\x17"), QByteArray()); // without the CR it is no request
    QCOMPARE(exchange("\x13"), QByteArray("\r\nclosed\r\n"));
    QVERIFY(exchange("\x14").contains("[status: idle"));
    QCOMPARE(exchange("local text"), QByteArray("local text"));
    QCOMPARE(exchange("\r\x17\x13"), QByteArray("\r\r\n[no call]\r\n\r\n[no call]\r\n"));
}

void TestBoxSimProtocol::commandBytes_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<bool>("exact");
    QTest::newRow("bell") << QByteArray("\x07") << QByteArray("\r\n[bell]\r\n") << true;
    QTest::newRow("here is") << QByteArray("\r\t") << QByteArray("\r\r\n54321 vornal t\r\n") << true;
    QTest::newRow("tab alone is text") << QByteArray("a\tb") << QByteArray("a\tb") << true;
    QTest::newRow("go ahead") << QByteArray("+?") << QByteArray("+?\r\n[go ahead]\r\n") << true;
    QTest::newRow("plus alone is text") << QByteArray("+ ?") << QByteArray("+ ?") << true;
    QTest::newRow("figures") << QByteArray("\x0f") << QByteArray("[figures]") << true;
    QTest::newRow("figures then letters")
        << QByteArray("\x0f\x0e") << QByteArray("[figures][letters]") << true;
    QTest::newRow("letters when in letters") << QByteArray("\x0e") << QByteArray() << true;
    QTest::newRow("local") << QByteArray("\x0c") << QByteArray("\r\n[local]\r\n") << true;
    QTest::newRow("messages") << QByteArray("\x11") << QByteArray("[messages: 2]\r\n[message 1/2]\r\n")
                              << false;
    QTest::newRow("status") << QByteArray("\x14") << QByteArray("[status: idle, letters, 2 messages]")
                            << false;
    QTest::newRow("config") << QByteArray("\x0b") << QByteArray("[config: 9600,n,8,1") << false;
    QTest::newRow("carriage return only") << QByteArray("\x1bM") << QByteArray("\r") << true;
    QTest::newRow("line feed only") << QByteArray("\x1bJ") << QByteArray("\n") << true;
    QTest::newRow("other escape") << QByteArray("\x1bx") << QByteArray("x") << true;
    QTest::newRow("n is text outside messages") << QByteArray("n") << QByteArray("n") << true;
    QTest::newRow("l is text outside messages") << QByteArray("l") << QByteArray("l") << true;
    QTest::newRow("dial without number")
        << QByteArray("\x01x") << QByteArray("\r\n[dial] \r\n[no number]\r\nx") << true;
}

void TestBoxSimProtocol::commandBytes() {
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, output);
    QFETCH(bool, exact);
    const QByteArray got = exchange(input);
    if (exact)
        QCOMPARE(got, output);
    else
        QVERIFY2(got.contains(output), got.constData());
}

// Any byte but "n" and "l" leaves the mode, the sentinel too, so these steps
// wait for their texts instead.
void TestBoxSimProtocol::messagesMode() {
    const QByteArray first =
        "\r\n[messages: 2]\r\n[message 1/2]\r\nfrom 12345 vornal d: meeting moved to friday\r\n";
    const QList<QPair<QByteArray, QByteArray>> steps{
        {"\x11", first},
        {"n", "\r\n[message 2/2]\r\nfrom 67890 vornal d: please call back\r\n"},
        {"n", "\r\n[end of messages]\r\n"},
        {"n", "n"}, // the mode is over
        {"\x11", first},
        {"l", "\r\n[messages cancelled]\r\n"},
        {"l", "l"},
        {"\x11", "\r\n[no messages]\r\n"},
    };
    for (const auto& [input, output] : steps) {
        m_sim->clearReceived();
        QVERIFY(m_sim->write(input));
        QVERIFY2(m_sim->waitFor(output), m_sim->received().constData());
        m_sim->readFor(50);
        QCOMPARE(m_sim->received(), output);
    }
    QCOMPARE(exchange("n"), QByteArray("n"));
}

void TestBoxSimProtocol::everyByteIsHandled() {
    QByteArray all;
    for (int value = 0; value < 256; ++value)
        all.append(static_cast<char>(value));
    QVERIFY(m_sim->write(all + all));
    QVERIFY(m_sim->waitForLogCount(512));
    m_sim->readFor(300); // the echo may hold sentinels of its own
    // Whatever state that left, closing and typing must still work.
    exchange("\x13\x13");
    QCOMPARE(exchange("alive"), QByteArray("alive"));
    QCOMPARE(m_sim->process().state(), QProcess::Running);
}

QTEST_GUILESS_MAIN(TestBoxSimProtocol)
#include "tst_boxsimprotocol.moc"
