#include "boxsimulator.h"
#include "processcpu.h"
#include "realterminal.h"

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <signal.h>

using namespace vornal;

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
    QTemporaryDir m_dir;
    std::unique_ptr<BoxSimulator> m_box;
    QString m_link;
};

void TestE2eLink::init() {
    m_box = std::make_unique<BoxSimulator>(QStringLiteral(BOXSIM_PATH), m_dir.path());
    m_link = m_box->link();
    QVERIFY(m_box->start());
}

void TestE2eLink::cleanup() {
    m_box.reset();
}

void TestE2eLink::openingSendsCarriageReturn() {
    RealTerminal t(m_dir.path(), m_link);
    auto& window = t.window;
    auto& link = t.link;
    auto& dialogs = t.dialogs;

    auto* open = window.findChild<QPushButton*>(QStringLiteral("lblOpen1"));
    QTest::mouseClick(open, Qt::LeftButton);
    QVERIFY2(link.isOpen(), qPrintable(dialogs.texts().join(QLatin1Char('\n'))));
    QTRY_COMPARE_WITH_TIMEOUT(m_box->loggedBytes(), QList<int>{13}, 5000);

    // Closing and opening again reaches the same simulator.
    QTest::mouseClick(open, Qt::LeftButton);
    QVERIFY(!link.isOpen());
    QTest::mouseClick(open, Qt::LeftButton);
    QVERIFY(link.isOpen());
    QTRY_COMPARE_WITH_TIMEOUT(m_box->loggedBytes(), (QList<int>{13, 13}), 5000);
    QVERIFY(dialogs.messages.isEmpty());
}

void TestE2eLink::vanishedBoxClosesPortOnce() {
    RealTerminal t(m_dir.path(), m_link);
    auto& window = t.window;
    auto& link = t.link;
    auto& dialogs = t.dialogs;

    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("lblOpen1")), Qt::LeftButton);
    QVERIFY(link.isOpen());
    QTRY_VERIFY_WITH_TIMEOUT(!m_box->loggedBytes().isEmpty(), 5000);

    ::kill(pid_t(m_box->process().processId()), SIGKILL);
    m_box->process().waitForFinished(3000);
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
    QVERIFY(m_box->loggedBytes().contains(19));
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
    QTRY_COMPARE_WITH_TIMEOUT(m_box->loggedBytes().size(), 1, 5000);
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
    QTRY_COMPARE_WITH_TIMEOUT(m_box->loggedBytes(), expected, 10000);
    QVERIFY(wire.contains("Mueller"));
}

QTEST_MAIN(TestE2eLink)
#include "tst_e2e_link.moc"
