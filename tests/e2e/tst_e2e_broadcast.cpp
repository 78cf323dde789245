#include "broadcastsequence.h"
#include "files/programfiles.h"
#include "look/objectnames.h"
#include "phonebookentry.h"
#include "phonebooklistmodel.h"
#include "phonebookrecords.h"
#include "realterminal.h"
#include "simulators.h"
#include "testfiles.h"

#include <QDialog>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

using namespace vornal;

namespace {

using LoggedByte = BoxSimulator::LoggedByte;

PhonebookEntry subscriber(const char* number, const char* name, qint16 receiver) {
    PhonebookEntry e = testEntry(QString::fromLatin1(number), QString::fromLatin1(name));
    e.RsGr2 = receiver;
    return e;
}

} // namespace

// A whole broadcast on the real serial link against the simulator's broadcast service:
// receivers ticked and saved, the service dialled, the list sent at its prompt with a
// pause after every line, then the header and the message.
class TestE2eBroadcast : public QObject {
    Q_OBJECT
private slots:
    void broadcastEndToEnd();
};

void TestE2eBroadcast::broadcastEndToEnd() {
    QTemporaryDir dir;
    // Value line 7: 10 ms after each character; lines 8 and 9: the services.
    QVERIFY(writeFile(dir.filePath(programFile(ProgramFiles::kConfiguration)),
                      "0\r\ndd.mm.yyyy\r\nSTATION\r\n\r\n\r\n\r\n0.01\r\n11150\r\n11151\r\n"));
    QVERIFY(writeFile(dir.filePath(programFile(ProgramFiles::kPhonebook)),
                      subscriber("67890", "ZIEGLER, BERLIN", 0).toRecord() +
                          subscriber("12345", "MAYER, KOELN", 0).toRecord() +
                          subscriber("555", "ADLER", 1).toRecord()));
    QVERIFY(writeFile(dir.filePath(programFile(ProgramFiles::kMessage)), "hallo an alle\r\n+++\r\n"));
    const QString serviceLog = dir.filePath(QStringLiteral("broadcast.log"));
    BoxSimulator box(dir.path());
    QVERIFY(box.start({QStringLiteral("--broadcast"), QStringLiteral("11151"),
                       QStringLiteral("--broadcast-log"), serviceLog, QStringLiteral("--dial-pause"),
                       QStringLiteral("0.3"), QStringLiteral("--connect-delay"), QStringLiteral("0.1")}));
    RealTerminal t(dir.path(), box.link());

    // The receivers: MAYER and ZIEGLER instead of ADLER.
    t.runner.drivers.enqueue([](QDialog& w) {
        auto* view = w.findChild<QTreeView*>(ObjectNames::kLvwStat);
        auto& model = static_cast<PhonebookListModel&>(*view->model());
        for (int r = 0; r < model.rows().size(); ++r)
            model.setTicked(r, model.row(r)[PhonebookListModel::Number].trimmed() != QLatin1String("555"));
        w.findChild<QPushButton*>(ObjectNames::kLblSave)->click();
        return w.result();
    });
    t.runner.drivers.enqueue([](QDialog& w) {
        w.reject();
        return w.result();
    });
    t.click(ObjectNames::kLblRSendList);
    QCOMPARE(fileBytes(dir.filePath(programFile(ProgramFiles::kBroadcastReceivers))),
             QByteArray("67890,\r\n12345,\r\n12345+\r\n"));

    QVERIFY2(t.open(), qPrintable(t.messages()));
    t.dialogs.answers.enqueue(DialogAnswer::Yes);
    t.click(ObjectNames::kLblRsend_2);
    QCOMPARE(t.dialogs.messages.last().title, QStringLiteral("Vornal Rundsenden Service on 11151"));
    const QString sent = QString::fromLatin1(BroadcastSequence::kTransmitted);
    QTRY_VERIFY_WITH_TIMEOUT(t.dialogs.texts().contains(sent), 20000);
    QVERIFY(t.find<QPushButton>(ObjectNames::kLblRSend_1)->isEnabled());

    // The header and the message go out as the operator sends them.
    t.click(ObjectNames::kLblSendHeader);
    t.click(ObjectNames::kLblSendMessage);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(serviceLog), 20000);
    const QByteArray log = fileBytes(serviceLog);
    QVERIFY2(
        log.startsWith("broadcast 11151: 2 receivers\nto 67890: 01   67890 ZIEGLER     02   12345 MAYER"),
        log.constData());
    QVERIFY2(log.contains("\\rhallo an alle\\r\n"), log.constData());
    QCOMPARE(log.count("\nto "), 2);
    QVERIFY(log.contains("\nto 12345: 01   67890 ZIEGLER"));

    // On the line: the dial, then the line feed and each receiver line as a short text,
    // with at least 0.18 s before every next line.
    const QList<LoggedByte> bytes = box.log();
    QByteArray wire;
    for (const LoggedByte& b : bytes)
        wire.append(char(b.byte));
    const QByteArray list = "\r\n\r67890,\r12345,\r12345+";
    const qsizetype at = wire.indexOf("\x01 011151" + list);
    QVERIFY2(at >= 0, wire.toPercentEncoding().constData());
    const qsizetype from = at + 8;
    int pauses = 0;
    for (qsizetype i = from + 3; i < from + list.size(); ++i) {
        if (wire.at(i) != '\r')
            continue;
        const double gap = bytes.at(i).seconds - bytes.at(i - 1).seconds;
        QVERIFY2(gap >= BroadcastSequence::kLinePause,
                 qPrintable(QStringLiteral("%1 s before line").arg(gap)));
        QVERIFY2(gap < BroadcastSequence::kLinePause + 0.5, qPrintable(QStringLiteral("%1 s").arg(gap)));
        ++pauses;
    }
    QCOMPARE(pauses, 2);
    // The first line follows the line feed without the pause.
    QVERIFY(bytes.at(from + 2).seconds - bytes.at(from + 1).seconds < BroadcastSequence::kLinePause);
    QCOMPARE(t.dialogs.texts().count(sent), 1);
}

QTEST_MAIN(TestE2eBroadcast)
#include "tst_e2e_broadcast.moc"
