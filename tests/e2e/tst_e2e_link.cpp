#include "processcpu.h"
#include "realterminal.h"

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <signal.h>

using namespace vornal;

namespace {

// The bytes the simulator logged, one per line "<seconds> <byte>".
QList<int> loggedBytes(const QString& path) {
    QList<int> bytes;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return bytes;
    for (const QByteArray& line : f.readAll().split('\n')) {
        const QList<QByteArray> parts = line.trimmed().split(' ');
        if (parts.size() == 2)
            bytes.append(parts[1].toInt());
    }
    return bytes;
}

} // namespace

// The real serial link on a pseudo-terminal whose other end is the box simulator.
class TestE2eLink : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void openingSendsCarriageReturn();
    void vanishedBoxClosesPortOnce();
    void dialTypeAndClose();
    void fileArrivesAsItsWireImage();

private:
    bool startSimulator();

    QTemporaryDir m_dir;
    QProcess m_sim;
    QString m_link;
    QString m_log;
};

bool TestE2eLink::startSimulator() {
    m_link = m_dir.filePath(QStringLiteral("box"));
    m_log = m_dir.filePath(QStringLiteral("box.log"));
    m_sim.setProgram(QStringLiteral(BOXSIM_PATH));
    m_sim.setArguments({QStringLiteral("--link"), m_link, QStringLiteral("--log"), m_log});
    m_sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_sim.start();
    if (!m_sim.waitForStarted(5000))
        return false;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 5000) {
        m_sim.waitForReadyRead(100);
        if (m_sim.readAllStandardOutput().contains("ready"))
            return true;
    }
    return QFileInfo::exists(m_link);
}

void TestE2eLink::init() {
    QVERIFY(startSimulator());
}

void TestE2eLink::cleanup() {
    if (m_sim.state() != QProcess::NotRunning) {
        m_sim.terminate();
        if (!m_sim.waitForFinished(3000))
            m_sim.kill();
        m_sim.waitForFinished(3000);
    }
}

void TestE2eLink::openingSendsCarriageReturn() {
    RealTerminal t(m_dir.path(), m_link);
    auto& window = t.window;
    auto& link = t.link;
    auto& dialogs = t.dialogs;

    auto* open = window.findChild<QPushButton*>(QStringLiteral("lblOpen1"));
    QTest::mouseClick(open, Qt::LeftButton);
    QVERIFY2(link.isOpen(), qPrintable(dialogs.texts().join(QLatin1Char('\n'))));
    QTRY_COMPARE_WITH_TIMEOUT(loggedBytes(m_log), QList<int>{13}, 5000);

    // Closing and opening again reaches the same simulator.
    QTest::mouseClick(open, Qt::LeftButton);
    QVERIFY(!link.isOpen());
    QTest::mouseClick(open, Qt::LeftButton);
    QVERIFY(link.isOpen());
    QTRY_COMPARE_WITH_TIMEOUT(loggedBytes(m_log), (QList<int>{13, 13}), 5000);
    QVERIFY(dialogs.messages.isEmpty());
}

void TestE2eLink::vanishedBoxClosesPortOnce() {
    RealTerminal t(m_dir.path(), m_link);
    auto& window = t.window;
    auto& link = t.link;
    auto& dialogs = t.dialogs;

    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("lblOpen1")), Qt::LeftButton);
    QVERIFY(link.isOpen());
    QTRY_VERIFY_WITH_TIMEOUT(!loggedBytes(m_log).isEmpty(), 5000);

    ::kill(pid_t(m_sim.processId()), SIGKILL);
    m_sim.waitForFinished(3000);
    QTRY_VERIFY_WITH_TIMEOUT(!link.isOpen(), 5000);
    QCOMPARE(dialogs.messages.size(), 1);
    QVERIFY(dialogs.texts().first().contains(m_link));
    QCOMPARE(window.findChild<QPushButton*>(QStringLiteral("lblOpen1"))->text(),
             QStringLiteral("Open Port "));
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("lblElapsed"))->text(), QStringLiteral("Off Line"));

    // No error flood afterwards: the process stays nearly idle.
    const double before = processCpuSeconds();
    QTest::qWait(1000);
    const double used = processCpuSeconds() - before;
    QVERIFY2(used < 0.2, qPrintable(QStringLiteral("%1 s of CPU in 1 s").arg(used)));
    QCOMPARE(dialogs.messages.size(), 1);
}

void TestE2eLink::dialTypeAndClose() {
    RealTerminal t(m_dir.path(), m_link);
    auto& window = t.window;
    auto& link = t.link;
    auto* term = window.findChild<QPlainTextEdit*>(QStringLiteral("txtTerm"));
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("lblOpen1")), Qt::LeftButton);
    QVERIFY(link.isOpen());

    window.commands().CallNumber(QStringLiteral("12345"), QStringLiteral("MAYER"));
    QTRY_VERIFY_WITH_TIMEOUT(term->toPlainText().contains(QStringLiteral("12345 vornal d")), 8000);
    QVERIFY(term->toPlainText().contains(QStringLiteral("MAYER\n")));

    // What is typed shows only through the box's echo: once, not twice.
    term->setFocus();
    const QString before = term->toPlainText();
    QTest::keyClicks(term, QStringLiteral("hallo"));
    QTRY_VERIFY_WITH_TIMEOUT(term->toPlainText().endsWith(QStringLiteral("hallo")), 5000);
    QTest::qWait(200);
    QCOMPARE(term->toPlainText().count(QStringLiteral("hallo")), before.count(QStringLiteral("hallo")) + 1);
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("lblMaxChar"))->text(), QStringLiteral("5"));

    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("LblCloseConnection")), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(term->toPlainText().contains(QStringLiteral("closed")), 5000);
    QCOMPARE(window.state().ConnectionActive, 0);
    QVERIFY(loggedBytes(m_log).contains(19));
}

void TestE2eLink::fileArrivesAsItsWireImage() {
    QFile message(m_dir.filePath(QStringLiteral("Message.txt")));
    QVERIFY(message.open(QIODevice::WriteOnly));
    message.write("Sehr geehrte Frau M\xfc"
                  "ller,\r\nbitte senden Sie die Unterlagen an info@example.org bis zum "
                  "15. Dezember; vielen Dank f\xfc"
                  "r Ihre M\xfc"
                  "he und freundliche Gr\xfc\xdf"
                  "e aus Berlin.\r\n");
    message.close();
    RealTerminal t(m_dir.path(), m_link);
    auto& window = t.window;
    auto& link = t.link;
    auto& dialogs = t.dialogs;
    window.state().config.CharDelay = 0.002;
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("lblOpen1")), Qt::LeftButton);
    QVERIFY(link.isOpen());
    QTRY_COMPARE_WITH_TIMEOUT(loggedBytes(m_log).size(), 1, 5000);
    window.state().ConnectionActive = 1;
    dialogs.messages.clear();
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("lblSendMessage")), Qt::LeftButton);
    QCOMPARE(dialogs.texts(), QStringList{QStringLiteral(" You are about to send the Message File ")});

    QFile copy(m_dir.filePath(QStringLiteral("SendFile.txt")));
    QVERIFY(copy.open(QIODevice::ReadOnly));
    const QByteArray wire = "\r\r" + copy.readAll().replace("\n", "");
    QList<int> expected;
    for (char c : wire)
        expected.append(static_cast<unsigned char>(c));
    QTRY_COMPARE_WITH_TIMEOUT(loggedBytes(m_log), expected, 10000);
    QVERIFY(wire.contains("Mueller"));
}

QTEST_MAIN(TestE2eLink)
#include "tst_e2e_link.moc"
