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
};

namespace {

// The ioctl layer, answering what the test put in.
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

    // "cts dsr | frame=2 cd=1": the lines that are on, then the counts; "-" on a side:
    // the device tells none.
    void set(const QString& reading) {
        const QStringList sides = reading.split(QLatin1Char('|'));
        const QStringList on = sides.first().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        lines = ModemLines{on.contains(QLatin1String("cts")), on.contains(QLatin1String("dsr")),
                           on.contains(QLatin1String("cd")), on.contains(QLatin1String("ri"))};
        if (on.contains(QLatin1String("-")))
            lines.reset();
        const QMap<QString, quint32 LineCounters::*> fields = {
            {QStringLiteral("cts"), &LineCounters::cts},
            {QStringLiteral("cd"), &LineCounters::cd},
            {QStringLiteral("ring"), &LineCounters::ring},
            {QStringLiteral("frame"), &LineCounters::frame},
            {QStringLiteral("parity"), &LineCounters::parity},
            {QStringLiteral("overrun"), &LineCounters::overrun},
            {QStringLiteral("break"), &LineCounters::breaks},
            {QStringLiteral("buffer"), &LineCounters::bufferOverrun}};
        counters = LineCounters{};
        for (const QString& field : sides.last().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (field == QLatin1String("-"))
                counters.reset();
            else
                (*counters).*fields.value(field.section(QLatin1Char('='), 0, 0)) =
                    field.section(QLatin1Char('='), 1).toUInt();
        }
    }
};

} // namespace

void TestLineWatch::events_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("shown");
    QTest::newRow("nothing changed") << "cts dsr | frame=1"
                                     << "cts dsr | frame=1"
                                     << "";
    QTest::newRow("CTS drops") << "cts dsr cd |"
                               << "dsr cd |"
                               << "Change in CTS Detected";
    QTest::newRow("the box is switched on and connects")
        << "|"
        << "cts dsr cd |"
        << "Change in CTS Detected, Change in DSR Detected, Change in CD Detected";
    QTest::newRow("a CD pulse between two readings") << "dsr cd | cd=4"
                                                     << "dsr cd | cd=6"
                                                     << "Change in CD Detected";
    QTest::newRow("the ring begins") << "dsr |"
                                     << "dsr ri |"
                                     << "The Phone is Ringing";
    QTest::newRow("the ring ends") << "dsr ri |"
                                   << "dsr |"
                                   << "";
    QTest::newRow("a ring between two readings") << "dsr |"
                                                 << "dsr | ring=1"
                                                 << "The Phone is Ringing";
    QTest::newRow("framing errors, said once") << "dsr |"
                                               << "dsr | frame=7"
                                               << "Framing Error";
    QTest::newRow("parity, overrun, overflow and break")
        << "dsr | parity=1 overrun=2 break=3"
        << "dsr | parity=2 overrun=3 buffer=1 break=4"
        << "Parity Error, Overrun Error, Receive Buffer Overflow, Break Received";
    QTest::newRow("a line event before an error") << "dsr | frame=1"
                                                  << "| frame=2"
                                                  << "Change in DSR Detected, Framing Error";
    QTest::newRow("the counters begin again") << "dsr | frame=5 cts=9"
                                              << "dsr |"
                                              << "";
    QTest::newRow("lines without counters") << "cts | -"
                                            << "| -"
                                            << "Change in CTS Detected";
    QTest::newRow("counters without lines") << "- | overrun=1"
                                            << "- | overrun=2"
                                            << "Overrun Error";
    QTest::newRow("the device stops answering") << "cts dsr cd | frame=1"
                                                << "- | -"
                                                << "";
}

void TestLineWatch::events() {
    QFETCH(QString, before);
    QFETCH(QString, after);
    FakeLineIo io;
    io.set(before);
    LineWatch watch(io);
    QSignalSpy events(&watch, &LineWatch::lineEvent);
    QSignalSpy linesChanged(&watch, &LineWatch::linesChanged);
    watch.start(3);
    const std::optional<ModemLines> linesBefore = io.lines;
    io.set(after);
    watch.poll();
    QStringList shown;
    for (const QList<QVariant>& e : events)
        shown.append(PortEvents::eventText(e.first().toInt()));
    QTEST(shown.join(QStringLiteral(", ")), "shown");
    QCOMPARE(watch.lines(), io.lines);
    // Announced when they became known, and again only when they changed.
    QCOMPARE(linesChanged.size(), int(linesBefore.has_value()) + int(linesBefore != io.lines));
    watch.stop();
    QCOMPARE(watch.lines(), std::nullopt);
}

// A pseudo-terminal tells nothing: it is not asked again, and idle stays idle.
void TestLineWatch::deviceWithoutLinesIsReadOnce() {
    FakeLineIo io;
    io.set(QStringLiteral("- | -"));
    LineWatch watch(io);
    watch.start(3);
    QVERIFY(!watch.isPolling());
    QTest::qWait(LineWatch::kIntervalMs * 3);
    QCOMPARE(io.reads, 1);
}

QTEST_GUILESS_MAIN(TestLineWatch)
#include "tst_linewatch.moc"
