#include "files/programfiles.h"
#include "look/objectnames.h"
#include "processcpu.h"
#include "realterminal.h"
#include "simulators.h"
#include "testfiles.h"

#include "serial/devicereturn.h"
#include "widgets/indicator.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <signal.h>

using namespace vornal;

// The box is unplugged while a file goes out at the paced rate: the simulator, and
// with it the pseudo-terminal, vanishes in the middle of the send. A box that comes
// back behind the same link is opened again by itself.
class TestE2eUnplugged : public QObject {
    Q_OBJECT
private slots:
    void unpluggedDuringPacedSend();
    void returningBoxIsReopened_data();
    void returningBoxIsReopened();
};

void TestE2eUnplugged::unpluggedDuringPacedSend() {
    QTemporaryDir dir;
    QByteArray text;
    for (int i = 0; i < 40; ++i)
        text += "LINE " + QByteArray::number(i) + " OF A LONG MESSAGE THAT TAKES A WHILE TO GO OUT\r\n";
    QFile message(dir.filePath(programFile(ProgramFiles::kMessage)));
    QVERIFY(message.open(QIODevice::WriteOnly) && message.write(text) == text.size());
    message.close();

    BoxSimulator box(dir.path());
    QVERIFY(box.start());
    const QString device = box.link();
    QVERIFY(RealTerminal::writeConfiguration(dir.path(), "0.005"));
    RealTerminal t(dir.path(), device);
    QVERIFY2(t.open(), qPrintable(t.messages()));
    auto* term = t.find<QPlainTextEdit>(ObjectNames::kTxtTerm);

    // Something arrives first and must stay on the screen.
    t.window.session().commands().CallNumber(QStringLiteral("12345"), QStringLiteral("MAYER"));
    QTRY_VERIFY_WITH_TIMEOUT(term->toPlainText().contains(QStringLiteral("MAYER")), 8000);
    t.dialogs.messages.clear();
    const qsizetype loggedAtStart = box.loggedBytes().size();

    // Unplugged once some of the file is out; the send itself runs inside the click.
    QString shownBefore;
    qsizetype sentBefore = 0;
    QTimer::singleShot(800, [&] {
        shownBefore = term->toPlainText();
        sentBefore = box.loggedBytes().size();
        ::kill(pid_t(box.process().processId()), SIGKILL);
    });
    t.click(ObjectNames::kLblSendMessage);
    box.process().waitForFinished(3000);

    QVERIFY2(sentBefore > loggedAtStart && sentBefore < loggedAtStart + text.size(),
             qPrintable(QStringLiteral("%1 bytes logged before the send, %2 when unplugged")
                            .arg(loggedAtStart)
                            .arg(sentBefore)));
    QTRY_VERIFY_WITH_TIMEOUT(!t.link.isOpen(), 5000);
    QTest::qWait(300);
    // The question before the send, then one message that names the device.
    QCOMPARE(t.dialogs.texts().size(), 2);
    QCOMPARE(t.dialogs.texts().first(), QStringLiteral(" You are about to send the Message File "));
    QVERIFY2(t.dialogs.texts().last().contains(device), qPrintable(t.messages()));
    QCOMPARE(t.find<QPushButton>(ObjectNames::kLblOpen1)->text(), QStringLiteral("Open Port "));
    QVERIFY(term->toPlainText().startsWith(shownBefore));
    QVERIFY(shownBefore.contains(QStringLiteral("MAYER")));

    // Nothing keeps running after the close: the process stays nearly idle.
    const double cpuBefore = processCpuSeconds();
    QTest::qWait(1500);
    const double used = processCpuSeconds() - cpuBefore;
    QVERIFY2(used < 0.3, qPrintable(QStringLiteral("%1 s of CPU in 1.5 s").arg(used)));
    QCOMPARE(t.dialogs.messages.size(), 2);
    QVERIFY(!t.link.isOpen());
}

void TestE2eUnplugged::returningBoxIsReopened_data() {
    QTest::addColumn<bool>("closedByOperator");
    QTest::newRow("the box vanished") << false;
    QTest::newRow("the operator closed the port") << true;
}

void TestE2eUnplugged::returningBoxIsReopened() {
    QFETCH(bool, closedByOperator);
    QTemporaryDir dir;
    auto box = std::make_unique<BoxSimulator>(dir.path());
    QVERIFY(box->start());
    RealTerminal t(dir.path(), box->link());
    QVERIFY2(t.open(), qPrintable(t.messages()));
    QTRY_COMPARE_WITH_TIMEOUT(box->loggedBytes(), QList<int>{13}, 5000);
    auto* term = t.find<QPlainTextEdit>(ObjectNames::kTxtTerm);
    if (closedByOperator)
        t.click(ObjectNames::kLblOpen1);
    const QString shown = term->toPlainText();

    // Switched off: the link goes, the pseudo-terminal closes.
    box.reset();
    QTRY_VERIFY_WITH_TIMEOUT(!t.link.isOpen(), 5000);
    QCOMPARE(t.dialogs.messages.size(), closedByOperator ? 0 : 1);
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("box"))));

    // Switched on again: a new pseudo-terminal behind the same link.
    box = std::make_unique<BoxSimulator>(dir.path());
    QVERIFY(box->start());
    if (closedByOperator) {
        QTest::qWait(DeviceReturn::kCheckMs * 2);
        QVERIFY(!t.link.isOpen());
        QCOMPARE(t.find<QPushButton>(ObjectNames::kLblOpen1)->text(), QStringLiteral("Open Port "));
        QVERIFY(box->loggedBytes().isEmpty());
        QVERIFY(t.dialogs.messages.isEmpty());
        return;
    }
    QTRY_VERIFY_WITH_TIMEOUT(t.link.isOpen(), 5000);
    QTRY_COMPARE_WITH_TIMEOUT(box->loggedBytes(), QList<int>{13}, 5000);
    QCOMPARE(t.find<QPushButton>(ObjectNames::kLblOpen1)->text(), QStringLiteral("Close Port"));
    QVERIFY2(
        t.find<QLabel>(ObjectNames::kLblAction)->text().contains(QStringLiteral("interface box is back")),
        qPrintable(t.find<QLabel>(ObjectNames::kLblAction)->text()));
    QTRY_COMPARE_WITH_TIMEOUT(t.find<QLabel>(ObjectNames::kLblElapsed)->text(), QStringLiteral("00:00:01 "),
                              3000);
    QVERIFY(term->toPlainText().startsWith(shown));
    // The loss was told once; the return needs no message.
    QCOMPARE(t.dialogs.messages.size(), 1);
    // A pseudo-terminal has no modem lines: the lamps say so.
    QCOMPARE(t.link.modemLines(), std::nullopt);
    QCOMPARE(t.find<Indicator>(ObjectNames::kLampDSR)->stateText(), QStringLiteral("unknown"));
}

QTEST_MAIN(TestE2eUnplugged)
#include "tst_e2e_unplugged.moc"
