#include "files/programfiles.h"
#include "look/objectnames.h"
#include "processcpu.h"
#include "realterminal.h"
#include "simulators.h"
#include "testfiles.h"

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
    void textAfterTheKlklAnswerIsShown();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<BoxSimulator> m_box;
    QString m_link;
};

void TestE2eLink::init() {
    m_box = std::make_unique<BoxSimulator>(m_dir.path());
    m_link = m_box->link();
    QVERIFY(m_box->start());
}

void TestE2eLink::cleanup() {
    m_box.reset();
    // Each test starts in a folder without a configuration file.
    QFile::remove(m_dir.filePath(programFile(ProgramFiles::kConfiguration)));
}

void TestE2eLink::openingSendsCarriageReturn() {
    RealTerminal t(m_dir.path(), m_link);
    auto& window = t.window;
    auto& link = t.link;
    auto& dialogs = t.dialogs;

    auto* open = window.findChild<QPushButton*>(ObjectNames::kLblOpen1);
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

    QTest::mouseClick(window.findChild<QPushButton*>(ObjectNames::kLblOpen1), Qt::LeftButton);
    QVERIFY(link.isOpen());
    QTRY_VERIFY_WITH_TIMEOUT(!m_box->loggedBytes().isEmpty(), 5000);

    ::kill(pid_t(m_box->process().processId()), SIGKILL);
    m_box->process().waitForFinished(3000);
    QTRY_VERIFY_WITH_TIMEOUT(!link.isOpen(), 5000);
    QCOMPARE(dialogs.messages.size(), 1);
    QVERIFY(dialogs.texts().first().contains(m_link));
    QCOMPARE(window.findChild<QPushButton*>(ObjectNames::kLblOpen1)->text(), QStringLiteral("Open Port "));
    QCOMPARE(window.findChild<QLabel*>(ObjectNames::kLblElapsed)->text(), QStringLiteral("Off Line"));

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
    auto* term = window.findChild<QPlainTextEdit*>(ObjectNames::kTxtTerm);
    QTest::mouseClick(window.findChild<QPushButton*>(ObjectNames::kLblOpen1), Qt::LeftButton);
    QVERIFY(link.isOpen());

    window.session().commands().CallNumber(QStringLiteral("12345"), QStringLiteral("MAYER"));
    QTRY_VERIFY_WITH_TIMEOUT(term->toPlainText().contains(QStringLiteral("12345 vornal d")), 8000);
    QVERIFY(term->toPlainText().contains(QStringLiteral("MAYER\n")));

    // What is typed shows only through the box's echo: once, not twice.
    term->setFocus();
    const QString before = term->toPlainText();
    QTest::keyClicks(term, QStringLiteral("hallo"));
    QTRY_VERIFY_WITH_TIMEOUT(term->toPlainText().endsWith(QStringLiteral("hallo")), 5000);
    QTest::qWait(200);
    QCOMPARE(term->toPlainText().count(QStringLiteral("hallo")), before.count(QStringLiteral("hallo")) + 1);
    QCOMPARE(window.findChild<QLabel*>(ObjectNames::kLblMaxChar)->text(), QStringLiteral("5"));

    QTest::mouseClick(window.findChild<QPushButton*>(ObjectNames::kLblCloseConnection), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(term->toPlainText().contains(QStringLiteral("closed")), 5000);
    QCOMPARE(window.session().state().connectionActive, false);
    QVERIFY(m_box->loggedBytes().contains(19));
}

void TestE2eLink::fileArrivesAsItsWireImage() {
    QFile message(m_dir.filePath(programFile(ProgramFiles::kMessage)));
    QVERIFY(message.open(QIODevice::WriteOnly));
    message.write("Sehr geehrte Frau M\xfc"
                  "ller,\r\nbitte senden Sie die Unterlagen an info@example.org bis zum "
                  "15. Dezember; vielen Dank f\xfc"
                  "r Ihre M\xfc"
                  "he und freundliche Gr\xfc\xdf"
                  "e aus Berlin.\r\n");
    message.close();
    QVERIFY(RealTerminal::writeConfiguration(m_dir.path(), "0.002"));
    RealTerminal t(m_dir.path(), m_link);
    auto& window = t.window;
    auto& link = t.link;
    auto& dialogs = t.dialogs;
    QTest::mouseClick(window.findChild<QPushButton*>(ObjectNames::kLblOpen1), Qt::LeftButton);
    QVERIFY(link.isOpen());
    QTRY_COMPARE_WITH_TIMEOUT(m_box->loggedBytes().size(), 1, 5000);
    t.call();
    QTRY_COMPARE_WITH_TIMEOUT(m_box->loggedBytes().size(), 2, 5000);
    dialogs.messages.clear();
    QTest::mouseClick(window.findChild<QPushButton*>(ObjectNames::kLblSendMessage), Qt::LeftButton);
    QCOMPARE(dialogs.texts(), QStringList{QStringLiteral(" You are about to send the Message File ")});

    QFile copy(m_dir.filePath(programFile(ProgramFiles::kSendFile)));
    QVERIFY(copy.open(QIODevice::ReadOnly));
    const QByteArray wire = "\r\x01\r" + copy.readAll().replace("\n", "");
    QList<int> expected;
    for (char c : wire)
        expected.append(static_cast<unsigned char>(c));
    QTRY_COMPARE_WITH_TIMEOUT(m_box->loggedBytes(), expected, 10000);
    QVERIFY(wire.contains("Mueller"));
}

// The far side types "klkl"; while the answer goes out, the box echoes it, and then
// the far side types on. Everything that arrives during and after the answer is
// shown, and the answer goes out once.
void TestE2eLink::textAfterTheKlklAnswerIsShown() {
    const auto write = [this](QAnyStringView name, const QByteArray& bytes) {
        QFile f(m_dir.filePath(name.toString()));
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    };
    QVERIFY(RealTerminal::writeConfiguration(m_dir.path(), "0.005"));
    QVERIFY(write(programFile(ProgramFiles::kKlklAnswer), "HIER MAYER"));
    QVERIFY(write("far.txt",
                  "send klkl\r\n\ntimeout 20\nwait HIER MAYER\npause 0.3\nsend \\r\\nSTILL HERE\\r\\n\n"));
    m_box.reset();
    m_box = std::make_unique<BoxSimulator>(m_dir.path());
    QVERIFY(m_box->start({QStringLiteral("--script"), m_dir.filePath(QStringLiteral("far.txt")),
                          QStringLiteral("--script-now")}));

    RealTerminal t(m_dir.path(), m_link);
    t.window.session().sender().setKlklPause(0.1);
    t.click(ObjectNames::kLblKlKl);
    QVERIFY2(t.open(), qPrintable(t.messages()));
    auto* term = t.find<QPlainTextEdit>(ObjectNames::kTxtTerm);
    QTRY_VERIFY_WITH_TIMEOUT(term->toPlainText().contains(QStringLiteral("STILL HERE")), 15000);
    // The box's echo of the answer is shown too.
    QVERIFY(term->toPlainText().contains(QStringLiteral("HIER MAYER")));
    // And the Status reply after it.
    t.click(ObjectNames::kLblStatus);
    QTRY_VERIFY_WITH_TIMEOUT(term->toPlainText().contains(QStringLiteral("[status")), 5000);
    QByteArray sent;
    for (int b : m_box->loggedBytes())
        sent.append(char(b));
    QCOMPARE(sent.count("HIER MAYER"), 1);
    QVERIFY(t.dialogs.messages.isEmpty());
}

QTEST_MAIN(TestE2eLink)
#include "tst_e2e_link.moc"
