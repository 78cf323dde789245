#include "look/objectnames.h"
#include "puncher.h"
#include "realterminal.h"
#include "simulators.h"

#include <QFile>
#include <QLineEdit>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

using namespace vornal;

// Punching through the real serial link to the box simulator on a pseudo-terminal.
class TestE2ePunch : public QObject {
    Q_OBJECT
private slots:
    void shortPunchArrivesPaced();
};

void TestE2ePunch::shortPunchArrivesPaced() {
    QTemporaryDir dir;
    BoxSimulator box(dir.path());
    QVERIFY(box.start());
    constexpr double kCharDelay = 0.02;
    QVERIFY(RealTerminal::writeConfiguration(dir.path(), "0.02"));
    RealTerminal t(dir.path(), box.link());
    QVERIFY2(t.open(), qPrintable(t.messages()));
    QTRY_COMPARE_WITH_TIMEOUT(box.loggedBytes(), QList<int>{13}, 5000);
    t.call();
    QTRY_COMPARE_WITH_TIMEOUT(box.loggedBytes(), (QList<int>{13, 1}), 5000);

    t.click(ObjectNames::kLblPuncher);
    QTest::keyClicks(t.find<QLineEdit>(ObjectNames::kTxtInput), QStringLiteral("Hi"));
    t.click(ObjectNames::kCmdPunch);
    QVERIFY2(t.dialogs.messages.isEmpty(), qPrintable(t.messages()));
    const QByteArray sequence = Puncher(QStringLiteral("HI"));
    QList<int> expected{13, 1};
    for (const char c : sequence)
        expected.append(static_cast<unsigned char>(c));
    QTRY_COMPARE_WITH_TIMEOUT(box.loggedBytes(), expected, 10000);

    // A pause after each character: the bytes arrive spread over the punch, not in one
    // burst (loose bounds, as a busy machine may delay the box's reads). The log has
    // "<seconds> <byte>" a line; the first two are the CR of the opening and the call.
    QFile log(box.logPath());
    QVERIFY(log.open(QIODevice::ReadOnly));
    QList<double> seconds;
    for (const BoxSimulator::LoggedByte& b : box.log().mid(2))
        seconds.append(b.seconds);
    const double span = seconds.last() - seconds.first();
    QVERIFY2(span >= (sequence.size() - 1) * kCharDelay / 2, qPrintable(QString::number(span)));
    QVERIFY(QSet<double>(seconds.begin(), seconds.end()).size() >= sequence.size() / 2);
}

QTEST_MAIN(TestE2ePunch)
#include "tst_e2e_punch.moc"
