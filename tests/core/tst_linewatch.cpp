#include "display/portevents.h"
#include "serial/linewatch.h"

#include <QSignalSpy>
#include <QtTest>

using namespace vornal;

// The modem lines and the driver's counters as the port reads them, and the line
// events and errors their changes raise.
class TestLineWatch : public QObject {
    Q_OBJECT
private slots:
    void events_data();
    void events();
    void deviceWithoutLinesIsReadOnce();
    void stoppedLinesAreUnknown();
};

namespace {

// The ioctl layer: answers what the test put in.
class FakeLineIo final : public LineIo {
public:
    std::optional<ModemLines> lines;
    std::optional<LineCounters> counters;
    mutable int reads = 0;

    std::optional<ModemLines> modemLines(int) const override {
        ++reads;
        return lines;
    }
    std::optional<LineCounters> errorCounters(int) const override { return counters; }
};

// "cts dsr" names the lines that are on; "none": the device has no lines.
std::optional<ModemLines> linesOf(const QString& text) {
    if (text == QLatin1String("none"))
        return std::nullopt;
    const QStringList on = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return ModemLines{on.contains(QLatin1String("cts")), on.contains(QLatin1String("dsr")),
                      on.contains(QLatin1String("cd")), on.contains(QLatin1String("ri"))};
}

// "frame=2 cts=1"; "none": the driver counts nothing.
std::optional<LineCounters> countersOf(const QString& text) {
    if (text == QLatin1String("none"))
        return std::nullopt;
    const QMap<QString, quint32 LineCounters::*> fields = {
        {QStringLiteral("cts"), &LineCounters::cts},
        {QStringLiteral("dsr"), &LineCounters::dsr},
        {QStringLiteral("cd"), &LineCounters::cd},
        {QStringLiteral("ring"), &LineCounters::ring},
        {QStringLiteral("frame"), &LineCounters::frame},
        {QStringLiteral("parity"), &LineCounters::parity},
        {QStringLiteral("overrun"), &LineCounters::overrun},
        {QStringLiteral("break"), &LineCounters::breaks},
        {QStringLiteral("buffer"), &LineCounters::bufferOverrun}};
    LineCounters counters;
    for (const QString& field : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList pair = field.split(QLatin1Char('='));
        counters.*fields.value(pair.first()) = pair.last().toUInt();
    }
    return counters;
}

QStringList said(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* text : texts)
        list.append(QString::fromLatin1(text));
    return list;
}

} // namespace

void TestLineWatch::events_data() {
    QTest::addColumn<QString>("linesBefore");
    QTest::addColumn<QString>("countersBefore");
    QTest::addColumn<QString>("linesAfter");
    QTest::addColumn<QString>("countersAfter");
    QTest::addColumn<QStringList>("shown");
    const QString none = QStringLiteral("none");
    QTest::newRow("nothing changed") << "cts dsr"
                                     << "frame=1"
                                     << "cts dsr"
                                     << "frame=1" << QStringList();
    QTest::newRow("CTS drops") << "cts dsr cd"
                               << ""
                               << "dsr cd"
                               << "" << said({"Change in CTS Detected"});
    QTest::newRow("the box is switched on and connects")
        << ""
        << ""
        << "cts dsr cd"
        << "" << said({"Change in CTS Detected", "Change in DSR Detected", "Change in CD Detected"});
    QTest::newRow("a CD pulse between two readings") << "dsr cd"
                                                     << "cd=4"
                                                     << "dsr cd"
                                                     << "cd=6" << said({"Change in CD Detected"});
    QTest::newRow("the ring begins") << "dsr"
                                     << ""
                                     << "dsr ri"
                                     << "" << said({"The Phone is Ringing"});
    QTest::newRow("the ring ends") << "dsr ri"
                                   << ""
                                   << "dsr"
                                   << "" << QStringList();
    QTest::newRow("a ring between two readings") << "dsr"
                                                 << "ring=0"
                                                 << "dsr"
                                                 << "ring=1" << said({"The Phone is Ringing"});
    QTest::newRow("framing errors, said once") << "dsr"
                                               << "frame=0"
                                               << "dsr"
                                               << "frame=7" << said({"Framing Error"});
    QTest::newRow("parity, overrun, overflow and break")
        << "dsr"
        << "parity=1 overrun=2 buffer=0 break=3"
        << "dsr"
        << "parity=2 overrun=3 buffer=1 break=4"
        << said({"Parity Error", "Overrun Error", "Receive Buffer Overflow", "Break Received"});
    QTest::newRow("a line event before an error")
        << "dsr"
        << "frame=1"
        << ""
        << "frame=2" << said({"Change in DSR Detected", "Framing Error"});
    QTest::newRow("the counters begin again") << "dsr"
                                              << "frame=5 cts=9"
                                              << "dsr"
                                              << "frame=0 cts=0" << QStringList();
    QTest::newRow("lines without counters")
        << "cts" << none << "" << none << said({"Change in CTS Detected"});
    QTest::newRow("counters without lines")
        << none << "overrun=1" << none << "overrun=2" << said({"Overrun Error"});
    QTest::newRow("the device stops answering") << "cts dsr cd"
                                                << "frame=1" << none << none << QStringList();
    QTest::newRow("a pseudo-terminal") << none << none << none << none << QStringList();
}

void TestLineWatch::events() {
    QFETCH(QString, linesBefore);
    QFETCH(QString, countersBefore);
    QFETCH(QString, linesAfter);
    QFETCH(QString, countersAfter);
    FakeLineIo io;
    io.lines = linesOf(linesBefore);
    io.counters = countersOf(countersBefore);
    LineWatch watch(io);
    QSignalSpy events(&watch, &LineWatch::event);
    watch.start(3);
    io.lines = linesOf(linesAfter);
    io.counters = countersOf(countersAfter);
    watch.poll();
    QStringList shown;
    for (const QList<QVariant>& e : events)
        shown.append(PortEvents::eventText(e.first().toInt()));
    QTEST(shown, "shown");
    QCOMPARE(watch.lines(), linesOf(linesAfter));
}

// Nothing to read: the watch does not keep asking, and idle stays idle.
void TestLineWatch::deviceWithoutLinesIsReadOnce() {
    FakeLineIo io;
    LineWatch watch(io);
    watch.start(3);
    QVERIFY(!watch.isPolling());
    QTest::qWait(LineWatch::kIntervalMs * 3);
    QCOMPARE(io.reads, 1);
}

void TestLineWatch::stoppedLinesAreUnknown() {
    FakeLineIo io;
    io.lines = linesOf(QStringLiteral("dsr cd"));
    LineWatch watch(io);
    QSignalSpy changed(&watch, &LineWatch::linesChanged);
    watch.start(3);
    QVERIFY(watch.isPolling());
    QCOMPARE(changed.size(), 1);
    // A reading with the same lines does not announce them again.
    QTRY_VERIFY_WITH_TIMEOUT(io.reads >= 2, 2000);
    QCOMPARE(changed.size(), 1);
    watch.stop();
    QVERIFY(!watch.isPolling());
    QCOMPARE(watch.lines(), std::nullopt);
    QCOMPARE(changed.size(), 2);
}

QTEST_GUILESS_MAIN(TestLineWatch)
#include "tst_linewatch.moc"
