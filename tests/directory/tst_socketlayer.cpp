#include "fakehostresolver.h"
#include "loopbackserver.h"
#include "scripteddialogs.h"
#include "socketlayer.h"
#include "systemhostresolver.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <QtTest>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace vornal;
using namespace std::chrono_literals;

namespace {

int openDescriptors() {
    return int(
        QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size());
}

// A loopback port that nothing listens on.
quint16 closedPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

QByteArray loopback(int last) {
    return QByteArray("\x7f\x00\x00", 3) + char(last);
}

// True when the hosts file names "localhost" with a loopback address, so that the
// system resolver answers for it from the file without asking a name server.
bool hostsFileNamesLocalhost() {
    QFile hosts(QStringLiteral("/etc/hosts"));
    if (!hosts.open(QIODevice::ReadOnly))
        return false;
    for (QByteArray line : hosts.readAll().split('\n')) {
        line.truncate(line.indexOf('#') < 0 ? line.size() : line.indexOf('#'));
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() >= 2 && fields.first().startsWith("127.") && fields.mid(1).contains("localhost"))
            return true;
    }
    return false;
}

} // namespace

class TestSocketLayer : public QObject {
    Q_OBJECT
private slots:
    void connectsByEveryForm_data();
    void connectsByEveryForm();
    void systemResolverReadsAddressText_data();
    void systemResolverReadsAddressText();
    void unknownNameCreatesNoSocket();
    void addressLengthOtherThanFourIsReported();
    void refusedConnectIsReportedAndClosed();
    void connectGivesUpAfterItsTimeOut();
    void putString_data();
    void putString();
    void getString_data();
    void getString();
    void getLong_data();
    void getLong();
    void receiveAfterPeerClosedIsQuiet();
    void receiveFailureIsReported();
    void sendAfterResetIsReportedWithoutSignal();
    void silentPeerTimesOutWhileEventsRun();
    void disconnectClosesTheSocket();
};

void TestSocketLayer::connectsByEveryForm_data() {
    QTest::addColumn<QString>("host");
    QTest::addColumn<bool>("system");
    QTest::newRow("plain number") << QStringLiteral("16777343") << false;
    QTest::newRow("dotted") << QStringLiteral("127.0.0.1") << false;
    QTest::newRow("name, first address") << QStringLiteral("directory.test") << false;
    QTest::newRow("localhost, system resolver") << QStringLiteral("localhost") << true;
}

void TestSocketLayer::connectsByEveryForm() {
    QFETCH(QString, host);
    QFETCH(bool, system);
    // Which names a machine can resolve is its own business; only a hosts file entry
    // answers without a name server.
    if (system && !hostsFileNamesLocalhost())
        QSKIP("/etc/hosts has no loopback entry for \"localhost\"; the system resolver would ask a "
              "name server, so this row is not run");
    LoopbackServer server;
    server.start({LoopbackServer::waitClose()});
    ScriptedDialogs dialogs;
    FakeHostResolver fake;
    fake.entries.insert(QStringLiteral("directory.test"), HostEntry{4, {loopback(1), loopback(2)}});
    SystemHostResolver real;
    SocketLayer layer(dialogs, system ? static_cast<HostResolver&>(real) : fake);

    const int handle = layer.ConnectSocket(host, server.port());
    QVERIFY2(handle >= 0, qPrintable(dialogs.texts().join(QLatin1Char('|'))));
    QCOMPARE(layer.socketHandle(), handle);
    QTRY_VERIFY(server.accepted());
    // Only a name is looked up.
    QCOMPARE(fake.asked, host == QLatin1String("directory.test") ? QStringList{host} : QStringList{});
    layer.Disconnect();
    QVERIFY(server.finish());
    QCOMPARE(layer.socketHandle(), -1);
    QCOMPARE(dialogs.texts(), QStringList());
}

// The real resolver on address text, which it reads without any name service.
void TestSocketLayer::systemResolverReadsAddressText_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("address"); // empty: no entry
    QTest::newRow("loopback") << QStringLiteral("127.0.0.2") << loopback(2);
    QTest::newRow("another") << QStringLiteral("10.1.2.3") << QByteArray("\x0a\x01\x02\x03", 4);
    QTest::newRow("empty name") << QString() << QByteArray();
    QTest::newRow("name with a zero byte") << QStringLiteral("127.0.0.1") + QChar(0) << QByteArray();
}

void TestSocketLayer::systemResolverReadsAddressText() {
    QFETCH(QString, name);
    QFETCH(QByteArray, address);
    SystemHostResolver resolver;
    const std::optional<HostEntry> entry = resolver.lookup(name);
    QCOMPARE(entry.has_value(), !address.isEmpty());
    if (entry) {
        QCOMPARE(entry->length, 4);
        QCOMPARE(entry->addresses, QList<QByteArray>{address});
    }
}

void TestSocketLayer::unknownNameCreatesNoSocket() {
    ScriptedDialogs dialogs;
    FakeHostResolver fake;
    SocketLayer layer(dialogs, fake);
    const int before = openDescriptors();
    QCOMPARE(layer.ConnectSocket(QStringLiteral("no-such-host.invalid"), 11811), -1);
    QCOMPARE(dialogs.texts(), QStringList{QStringLiteral("ERROR: GetIp(no-such-host.invalid) failed")});
    QCOMPARE(dialogs.messages.first().buttons, DialogButtons::Ok);
    QVERIFY(dialogs.messages.first().title.isEmpty());
    QCOMPARE(layer.socketHandle(), -1);
    QCOMPARE(openDescriptors(), before);
    QCOMPARE(layer.GetIp(QStringLiteral("no-such-host.invalid"), 0), 0u);
}

void TestSocketLayer::addressLengthOtherThanFourIsReported() {
    ScriptedDialogs dialogs;
    FakeHostResolver fake;
    fake.entries.insert(QStringLiteral("six.test"), HostEntry{16, {QByteArray(16, '\1')}});
    SocketLayer layer(dialogs, fake);
    QCOMPARE(layer.ConnectSocket(QStringLiteral("six.test"), 11811), -1);
    QCOMPARE(dialogs.texts(), QStringList{QStringLiteral("ERROR: GetIp: Host.hLength = 16")});
    QCOMPARE(layer.socketHandle(), -1);
}

void TestSocketLayer::refusedConnectIsReportedAndClosed() {
    ScriptedDialogs dialogs;
    FakeHostResolver fake;
    SocketLayer layer(dialogs, fake);
    const quint16 port = closedPort();
    const int before = openDescriptors();
    QCOMPARE(layer.ConnectSocket(QStringLiteral("127.0.0.1"), port), -1);
    QCOMPARE(dialogs.texts(), QStringList{QStringLiteral("ERROR: connect = -1")});
    QCOMPARE(layer.socketHandle(), -1);
    QCOMPARE(openDescriptors(), before);
}

void TestSocketLayer::connectGivesUpAfterItsTimeOut() {
    // A listener whose queue is full and that never accepts: further connects are
    // left unanswered.
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    ::listen(listener, 0);
    socklen_t length = sizeof address;
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    QList<int> fillers;
    for (int i = 0; i < 4; ++i) {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
        fillers.append(fd);
    }
    QTest::qWait(100);

    ScriptedDialogs dialogs;
    FakeHostResolver fake;
    SocketLayer layer(dialogs, fake);
    layer.setTimeouts({300ms, 30'000ms});
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(40);
    QElapsedTimer elapsed;
    elapsed.start();
    const int handle = layer.ConnectSocket(QStringLiteral("127.0.0.1"), ntohs(address.sin_port));
    const qint64 took = elapsed.elapsed();
    for (int fd : fillers)
        ::close(fd);
    ::close(listener);
    if (handle >= 0)
        QSKIP("this system answers connects to a full listen queue");
    QCOMPARE(dialogs.texts(),
             QStringList{QStringLiteral("ERROR: no connection to 127.0.0.1 within 0.3 seconds")});
    QVERIFY(took >= 290 && took < 3000);
    QVERIFY(ticks >= 3);
    QCOMPARE(layer.socketHandle(), -1);
}

void TestSocketLayer::putString_data() {
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QByteArray>("written"); // from offset on, the zero included
    QTest::newRow("blank in a 40 field") << 3 << QStringLiteral(" ") << 40 << QByteArray(" \0", 2);
    QTest::newRow("empty") << 3 << QString() << 40 << QByteArray(1, '\0');
    QTest::newRow("45 characters cut to 39")
        << 3 << QString(45, QLatin1Char('x')) << 40 << QByteArray(39, 'x') + '\0';
    QTest::newRow("exactly the width")
        << 6 << QString(40, QLatin1Char('y')) << 40 << QByteArray(39, 'y') + '\0';
    QTest::newRow("one byte per character")
        << 6 << QStringLiteral("M\u00fcller") << 40 << QByteArray("M\xfcller\0", 7);
    QTest::newRow("field past the end of the buffer")
        << 99 << QStringLiteral("ABCDEF") << 40 << QByteArray("AB\0", 3);
}

void TestSocketLayer::putString() {
    QFETCH(int, offset);
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QByteArray, written);
    ScriptedDialogs dialogs;
    FakeHostResolver fake;
    SocketLayer layer(dialogs, fake);
    layer.FrameBuffer.fill(0xAA);
    layer.PutString(offset, text, width);
    const QByteArray frame(reinterpret_cast<const char*>(layer.FrameBuffer.data()), SocketLayer::kFrameSize);
    QCOMPARE(frame.mid(offset, written.size()), written);
    // Everything else is left as it was.
    QByteArray expected(SocketLayer::kFrameSize, char(0xAA));
    expected.replace(offset, written.size(), written);
    QCOMPARE(frame, expected);
}

void TestSocketLayer::getString_data() {
    QTest::addColumn<QByteArray>("field"); // at offset 6
    QTest::addColumn<QString>("text");
    QTest::newRow("zero-terminated") << QByteArray("ABC\0\0\0", 6) << QStringLiteral("ABC");
    QTest::newRow("blanks kept") << QByteArray(" AB \0", 5) << QStringLiteral(" AB ");
    QTest::newRow("whole field, no zero") << QByteArray(41, 'Z') << QString(40, QLatin1Char('Z'));
    QTest::newRow("Windows-1252") << QByteArray("Stra\xdf"
                                                "e\0",
                                                7)
                                  << QStringLiteral("Stra\u00dfe");
    QTest::newRow("empty") << QByteArray(1, '\0') << QString();
}

void TestSocketLayer::getString() {
    QFETCH(QByteArray, field);
    QFETCH(QString, text);
    ScriptedDialogs dialogs;
    FakeHostResolver fake;
    SocketLayer layer(dialogs, fake);
    layer.FrameBuffer.fill('Q');
    std::copy(field.begin(), field.end(), layer.FrameBuffer.begin() + 6);
    QCOMPARE(layer.GetString(6, 40), text);
}

void TestSocketLayer::getLong_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("value");
    QTest::newRow("12345") << QByteArray("\x39\x30\x00\x00", 4) << 12345;
    QTest::newRow("-1") << QByteArray("\xff\xff\xff\xff", 4) << -1;
    QTest::newRow("lowest") << QByteArray("\x00\x00\x00\x80", 4) << std::numeric_limits<int>::min();
    QTest::newRow("highest byte order") << QByteArray("\x01\x02\x03\x04", 4) << 0x04030201;
}

void TestSocketLayer::getLong() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, value);
    ScriptedDialogs dialogs;
    FakeHostResolver fake;
    SocketLayer layer(dialogs, fake);
    std::copy(bytes.begin(), bytes.end(), layer.FrameBuffer.begin() + 2);
    QCOMPARE(layer.GetLong(2), value);
}

void TestSocketLayer::receiveAfterPeerClosedIsQuiet() {
    LoopbackServer server;
    server.start({LoopbackServer::send("ab"), LoopbackServer::close()});
    ScriptedDialogs dialogs;
    FakeHostResolver fake;
    SocketLayer layer(dialogs, fake);
    QVERIFY(layer.ConnectSocket(QStringLiteral("127.0.0.1"), server.port()) >= 0);
    QCOMPARE(layer.ReceiveData(layer.FrameBuffer.data(), 102), 2);
    QVERIFY(server.finish());
    QCOMPARE(layer.ReceiveData(layer.FrameBuffer.data(), 102), 0);
    QCOMPARE(dialogs.texts(), QStringList());
}

void TestSocketLayer::receiveFailureIsReported() {
    LoopbackServer server;
    // The reset waits a moment: one that arrives before the connect is seen through
    // fails the connect itself, which is not what this case is about.
    server.start({LoopbackServer::pause(200), LoopbackServer::reset()});
    ScriptedDialogs dialogs;
    FakeHostResolver fake;
    SocketLayer layer(dialogs, fake);
    QVERIFY(layer.ConnectSocket(QStringLiteral("127.0.0.1"), server.port()) >= 0);
    QVERIFY(server.finish());
    QCOMPARE(layer.ReceiveData(layer.FrameBuffer.data(), 102), -1);
    QCOMPARE(dialogs.texts(), QStringList{QStringLiteral("ERROR: recv = -1")});
}

void TestSocketLayer::sendAfterResetIsReportedWithoutSignal() {
    LoopbackServer server;
    // The reset waits a moment: one that arrives before the connect is seen through
    // fails the connect itself, which is not what this case is about.
    server.start({LoopbackServer::pause(200), LoopbackServer::reset()});
    ScriptedDialogs dialogs;
    FakeHostResolver fake;
    SocketLayer layer(dialogs, fake);
    QVERIFY(layer.ConnectSocket(QStringLiteral("127.0.0.1"), server.port()) >= 0);
    QVERIFY(server.finish());
    QTest::qWait(50);
    // A send to a reset connection must not end the program with SIGPIPE.
    int result = 0;
    for (int i = 0; i < 3 && result >= 0; ++i)
        result = layer.SendData(layer.FrameBuffer.data(), 2);
    QCOMPARE(result, -1);
    QCOMPARE(dialogs.texts().last(), QStringLiteral("ERROR: send = -1"));
}

void TestSocketLayer::silentPeerTimesOutWhileEventsRun() {
    LoopbackServer server;
    server.start({LoopbackServer::waitClose()});
    ScriptedDialogs dialogs;
    FakeHostResolver fake;
    SocketLayer layer(dialogs, fake);
    layer.setTimeouts({10'000ms, 300ms});
    QVERIFY(layer.ConnectSocket(QStringLiteral("16777343"), server.port()) >= 0);
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(40);
    QElapsedTimer elapsed;
    elapsed.start();
    QCOMPARE(layer.ReceiveData(layer.FrameBuffer.data(), 102), SocketLayer::kTimedOut);
    QVERIFY(elapsed.elapsed() >= 290 && elapsed.elapsed() < 3000);
    QVERIFY2(ticks >= 4, qPrintable(QString::number(ticks)));
    QCOMPARE(dialogs.texts(),
             QStringList{QStringLiteral("ERROR: no answer from 16777343 within 0.3 seconds")});
    layer.Disconnect();
}

void TestSocketLayer::disconnectClosesTheSocket() {
    ScriptedDialogs dialogs;
    FakeHostResolver fake;
    SocketLayer layer(dialogs, fake);
    layer.Disconnect(); // nothing to close: nothing to say
    LoopbackServer server;
    server.start({LoopbackServer::waitClose()});
    QVERIFY(layer.ConnectSocket(QStringLiteral("127.0.0.1"), server.port()) >= 0);
    const int handle = layer.socketHandle();
    QTRY_VERIFY(server.accepted());
    layer.Disconnect();
    QVERIFY(server.finish()); // the server saw the close
    QCOMPARE(layer.socketHandle(), -1);
    QCOMPARE(::fcntl(handle, F_GETFD), -1);
    QCOMPARE(dialogs.texts(), QStringList());
}

QTEST_GUILESS_MAIN(TestSocketLayer)
#include "tst_socketlayer.moc"
