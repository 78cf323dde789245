#include "directorydownload.h"
#include "fakehostresolver.h"
#include "loopbackserver.h"
#include "scripteddialogs.h"
#include "simulators.h"
#include "socketlayer.h"

#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

using namespace vornal;
using namespace std::chrono_literals;
using Step = LoopbackServer::Step;

Q_DECLARE_METATYPE(QList<LoopbackServer::Step>)

namespace {

QByteArray record(qint32 number, const QByteArray& name, unsigned char type = 5) {
    QByteArray f(102, '\0');
    f[0] = char(type);
    f[1] = char(100);
    for (int i = 0; i < 4; ++i)
        f[2 + i] = char((quint32(number) >> (8 * i)) & 0xFF);
    f.replace(6, std::min<int>(int(name.size()), 40), name.left(40));
    return f;
}

QByteArray endFrame(int length = 102) {
    QByteArray f(length, '\0');
    f[0] = char(9);
    return f;
}

QByteArray request() {
    QByteArray r(43, '\0');
    r[0] = char(10);
    r[1] = char(41);
    r[2] = char(1);
    r[3] = ' ';
    return r;
}

QString pair(const DirectoryEntry& e) {
    return e.number + QLatin1Char('|') + e.name;
}

// One download against a server, with what it showed and decoded.
struct Run {
    ScriptedDialogs dialogs;
    FakeHostResolver resolver;
    SocketLayer layer{dialogs, resolver};
    DirectoryDownload download{layer, dialogs};
    QStringList rows;
    bool clean = false;

    Run() {
        layer.setTimeouts({2'000ms, 400ms});
        QObject::connect(&download, &DirectoryDownload::recordDecoded,
                         [this](const DirectoryEntry& e) { rows.append(pair(e)); });
    }
    void against(quint16 port) { clean = download.DownloadDirectory(QStringLiteral("127.0.0.1"), port); }
};

} // namespace

class TestDirectoryDownload : public QObject {
    Q_OBJECT
private slots:
    void twoRecordsTwoAcknowledgements();
    void framing_data();
    void framing();
    void decoding_data();
    void decoding();
    void refusedConnectionEndsAtOnce();
    void failedAcknowledgementEndsTheExchange();
    void simulator_data();
    void simulator();
    void simulatorRejectsAWrongAcknowledgement();
};

void TestDirectoryDownload::twoRecordsTwoAcknowledgements() {
    LoopbackServer server;
    server.start({LoopbackServer::receive(43), LoopbackServer::send(record(12345, "MAYER")),
                  LoopbackServer::receive(2), LoopbackServer::send(record(222, "ABC")),
                  LoopbackServer::receive(2), LoopbackServer::send(endFrame()), LoopbackServer::waitClose()});
    Run run;
    run.against(server.port());
    QVERIFY(server.finish());
    QVERIFY(run.clean);
    QCOMPARE(run.rows, (QStringList{QStringLiteral("12345|MAYER"), QStringLiteral("222|ABC")}));
    QCOMPARE(server.received(),
             (QList<QByteArray>{request(), QByteArray("\x08\x00", 2), QByteArray("\x08\x00", 2)}));
    QCOMPARE(run.dialogs.texts(), QStringList());
    QCOMPARE(run.layer.socketHandle(), -1);
}

void TestDirectoryDownload::framing_data() {
    QTest::addColumn<QList<Step>>("script");
    QTest::addColumn<bool>("clean");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QStringList>("messages");

    const QByteArray r1 = record(11, "ONE");
    const QByteArray r2 = record(22, "TWO");
    const auto rx = LoopbackServer::receive;
    const auto tx = LoopbackServer::send;
    const Step ack = rx(2);
    const Step hold = LoopbackServer::waitClose();
    const QStringList none;

    QTest::newRow("record in two pieces, 60 and 42") << QList<Step>{rx(43),
                                                                    tx(r1.left(60)),
                                                                    LoopbackServer::pause(80),
                                                                    tx(r1.mid(60)),
                                                                    ack,
                                                                    tx(endFrame()),
                                                                    hold}
                                                     << true << 1 << none;
    QTest::newRow("record byte by byte")
        << QList<Step>{rx(43), LoopbackServer::drip(r1, 1), ack, tx(endFrame()), hold} << true << 1 << none;
    QTest::newRow("end frame of 2 bytes")
        << QList<Step>{rx(43), tx(r1), ack, tx(endFrame(2)), hold} << true << 1 << none;
    QTest::newRow("end frame of its type byte only")
        << QList<Step>{rx(43), tx(r1), ack, tx(endFrame(1)), hold} << true << 1 << none;
    QTest::newRow("frames sent together are taken one by one")
        << QList<Step>{rx(43), tx(r1 + r2 + endFrame(2)), ack, ack, hold} << true << 2 << none;
    QTest::newRow("empty list") << QList<Step>{rx(43), tx(endFrame()), hold} << true << 0 << none;
    QTest::newRow("type 7") << QList<Step>{rx(43), tx(r1), ack, tx(record(1, "X", 7)), hold} << false << 1
                            << QStringList{QStringLiteral("Invalid code or lenght: 0x7 / 102")};
    QTest::newRow("type 255") << QList<Step>{rx(43), tx(record(1, "X", 255)), hold} << false << 0
                              << QStringList{QStringLiteral("Invalid code or lenght: 0xFF / 102")};
    QTest::newRow("short record, then closed")
        << QList<Step>{rx(43), tx(r1.left(60)), LoopbackServer::close()} << false << 0
        << QStringList{QStringLiteral("Invalid code or lenght: 0x5 / 60")};
    QTest::newRow("closed right after the request")
        << QList<Step>{rx(43), LoopbackServer::close()} << false << 0
        << QStringList{QStringLiteral("Invalid code or lenght: 0xA / 0")};
    QTest::newRow("closed without an end frame")
        << QList<Step>{rx(43), tx(r1), ack, LoopbackServer::close()} << false << 1
        << QStringList{QStringLiteral("Invalid code or lenght: 0x8 / 0")};
    QTest::newRow("silent server") << QList<Step>{rx(43), hold} << false << 0
                                   << QStringList{QStringLiteral(
                                          "ERROR: no answer from 127.0.0.1 within 0.4 seconds")};
    QTest::newRow("record dripping slower than the time-out")
        << QList<Step>{rx(43), LoopbackServer::drip(r1, 20), hold} << false << 0
        << QStringList{QStringLiteral("ERROR: no answer from 127.0.0.1 within 0.4 seconds")};
}

void TestDirectoryDownload::framing() {
    QFETCH(QList<Step>, script);
    QFETCH(bool, clean);
    QFETCH(int, rows);
    QFETCH(QStringList, messages);
    LoopbackServer server;
    server.start(script);
    Run run;
    run.against(server.port());
    QVERIFY(server.finish());
    QCOMPARE(run.clean, clean);
    QCOMPARE(run.rows.size(), rows);
    QCOMPARE(run.dialogs.texts(), messages);
    QCOMPARE(run.layer.socketHandle(), -1);
}

void TestDirectoryDownload::decoding_data() {
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QString>("row");
    QByteArray bytes = record(0, "ABC");
    bytes.replace(2, 4, QByteArray("\x39\x30\x00\x00", 4));
    QTest::newRow("12345 and ABC") << bytes << QStringLiteral("12345|ABC");
    QTest::newRow("negative number") << record(-42, "NEG") << QStringLiteral("-42|NEG");
    QTest::newRow("zero") << record(0, "Z") << QStringLiteral("0|Z");
    QTest::newRow("name filling its field")
        << record(7, QByteArray(40, 'N')) << QStringLiteral("7|") + QString(40, QLatin1Char('N'));
    QTest::newRow("blanks and umlauts as received")
        << record(8, " M\xfcller  ") << QStringLiteral("8| M\u00fcller  ");
}

void TestDirectoryDownload::decoding() {
    QFETCH(QByteArray, frame);
    QFETCH(QString, row);
    LoopbackServer server;
    server.start({LoopbackServer::receive(43), LoopbackServer::send(frame), LoopbackServer::receive(2),
                  LoopbackServer::send(endFrame(2)), LoopbackServer::waitClose()});
    Run run;
    run.against(server.port());
    QVERIFY(server.finish());
    QVERIFY(run.clean);
    QCOMPARE(run.rows, QStringList{row});
}

void TestDirectoryDownload::refusedConnectionEndsAtOnce() {
    quint16 port = 0;
    {
        LoopbackServer server; // a port that is free again once it is gone
        port = server.port();
    }
    Run run;
    run.against(port);
    QVERIFY(!run.clean);
    QCOMPARE(run.dialogs.texts(), QStringList{QStringLiteral("ERROR: connect = -1")});
}

void TestDirectoryDownload::failedAcknowledgementEndsTheExchange() {
    LoopbackServer server;
    server.start({LoopbackServer::receive(43), LoopbackServer::send(record(1, "A")),
                  LoopbackServer::pause(150), LoopbackServer::reset()});
    Run run;
    // The record is taken, then the connection is reset before its acknowledgement goes.
    QObject::connect(&run.download, &DirectoryDownload::recordDecoded, [&] {
        QVERIFY(server.finish());
        QThread::msleep(100);
    });
    run.against(server.port());
    QVERIFY(!run.clean);
    QCOMPARE(run.rows.size(), 1);
    QVERIFY(!run.dialogs.texts().isEmpty());
    QCOMPARE(run.dialogs.texts().first(), QStringLiteral("ERROR: send = -1"));
    // No receive after the failed send.
    for (const QString& t : run.dialogs.texts())
        QVERIFY2(!t.contains(QLatin1String("recv")) && !t.startsWith(QLatin1String("Invalid")),
                 qPrintable(t));
}

void TestDirectoryDownload::simulator_data() {
    // The simulator's faults are run through the whole update in tst_phonebookupdate.
    QTest::addColumn<QStringList>("switches");
    QTest::addColumn<int>("rows");
    const auto args = [](const char* text) { return QString::fromLatin1(text).split(QLatin1Char(' ')); };
    QTest::newRow("plain") << args("--generate 3") << 3;
    QTest::newRow("split records") << args("--generate 3 --split") << 3;
    QTest::newRow("slow drip") << args("--generate 2 --drip 1") << 2;
    QTest::newRow("end frame of 2 bytes") << args("--generate 2 --end-length 2") << 2;
    QTest::newRow("huge list") << args("--huge") << 100'000;
}

void TestDirectoryDownload::simulator() {
    QFETCH(QStringList, switches);
    QFETCH(int, rows);
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("dirsim.log"));
    DirsimProcess sim;
    QVERIFY2(sim.start(switches + QStringList{QStringLiteral("--once"), QStringLiteral("--log"), log}),
             qPrintable(sim.errorText()));
    Run run;
    run.against(sim.port());
    // The simulator checked the request and every acknowledgement.
    QCOMPARE(sim.exitCode(), 0);
    QVERIFY(run.clean);
    QCOMPARE(run.rows.size(), rows);
    QCOMPARE(run.dialogs.texts(), QStringList());
    QFile f(log);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    QVERIFY(text.contains("request ok \" \""));
    QVERIFY(text.contains(QByteArray("ack ") + QByteArray::number(rows) + " ok"));
}

void TestDirectoryDownload::simulatorRejectsAWrongAcknowledgement() {
    DirsimProcess sim;
    QVERIFY(sim.start({QStringLiteral("--generate"), QStringLiteral("2"), QStringLiteral("--once")}));
    ScriptedDialogs dialogs;
    FakeHostResolver resolver;
    SocketLayer layer(dialogs, resolver);
    QVERIFY(layer.ConnectSocket(QStringLiteral("127.0.0.1"), sim.port()) >= 0);
    const QByteArray r = request();
    QCOMPARE(layer.SendData(reinterpret_cast<const unsigned char*>(r.constData()), 43), 43);
    int n = 0;
    while (n < 102) {
        const int got = layer.ReceiveData(layer.FrameBuffer.data() + n, 102 - n);
        QVERIFY(got > 0);
        n += got;
    }
    const unsigned char wrong[2] = {7, 0};
    QCOMPARE(layer.SendData(wrong, 2), 2);
    QCOMPARE(sim.exitCode(), 1);
    layer.Disconnect();
}

QTEST_GUILESS_MAIN(TestDirectoryDownload)
#include "tst_directorydownload.moc"
