// Directory update figures, on loopback against vornal-dirsim serving 10 000 generated
// subscribers, without the 2-second pause after sorting:
//  - the download alone (frames decoded, acknowledged), records per second: the baseline;
//  - the download into the update list with the marks merged (no window);
//  - the same with the update window shown offscreen, and its ratio to the baseline;
//  - the longest the event loop was held during the downloads into the window;
//  - WritePhonebook of 10 000 rows (sort, phonebook, export, backup), median of 5.
// Each download figure is the median of 3 runs.
//
// With a count as its argument (bench_directory 100000) it then runs two whole updates
// of that many records in one window shown (after its first paint), the second over
// the phonebook and the list the first left, and prints the longest event-loop stall of
// the download (with the reading of the old marks) and of the sort and the writing, and
// for comparison how long each of those steps takes in one go on the window's thread.
#include "benchsupport.h"
#include "directorydownload.h"
#include "fakeclock.h"
#include "features/directory/updatewindow.h"
#include "files/programfolder.h"
#include "marktable.h"
#include "phonebookfile.h"
#include "phonebookupdate.h"
#include "phonebookwriter.h"
#include "scripteddialogs.h"
#include "simulators.h"
#include "socketlayer.h"
#include "systemhostresolver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace vornal;

namespace {

constexpr int kRecords = 10'000;

PhonebookUpdate::Options options(quint16 port) {
    PhonebookUpdate::Options o;
    o.port = port;
    o.sortPause = 0;
    return o;
}

// Lets a window just shown lay itself out and paint once, so that its start-up does not
// count as a stall of what follows.
void settle() {
    const auto start = Steady::now();
    while (msSince(start) < 200)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

struct UpdateStalls {
    double downloadMs = 0; // reading the marks and the download
    double writeMs = 0;    // sorting and writing
    double totalMs = 0;
    bool written = false;
    int rows = 0;
};

// One Retrieve with the window shown, its stalls split where the save begins.
UpdateStalls measuredUpdate(PhonebookUpdate& update, UpdateWindow& window) {
    StallMeter meter;
    UpdateStalls s;
    const auto start = Steady::now();
    const QMetaObject::Connection split = QObject::connect(
        &update, &PhonebookUpdate::statusChanged, &window, [&](const QString& text, quint32) {
            if (text == QLatin1String(PhonebookUpdate::kSavingText))
                s.downloadMs = meter.take();
        });
    meter.start();
    s.written = update.Retrieve();
    s.writeMs = meter.take();
    QObject::disconnect(split);
    s.totalMs = msSince(start);
    meter.stop();
    s.rows = update.list().rowCount();
    return s;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int hugeCount = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 0;
    DirsimProcess sim;
    const quint16 port =
        sim.start({QStringLiteral("--generate"), QString::number(kRecords)}) ? sim.port() : 0;
    if (!port) {
        std::fprintf(stderr, "bench_directory: vornal-dirsim did not start\n");
        return 1;
    }
    ScriptedDialogs dialogs;
    SystemHostResolver resolver;
    FakeClock clock;
    bool allRows = true;

    std::vector<double> protocol;
    for (int run = 0; run < 3; ++run) {
        SocketLayer layer(dialogs, resolver);
        DirectoryDownload download(layer, dialogs);
        int rows = 0;
        QObject::connect(&download, &DirectoryDownload::recordDecoded, [&] { ++rows; });
        const auto start = Steady::now();
        const bool clean = download.DownloadDirectory(QStringLiteral("127.0.0.1"), port);
        protocol.push_back(msSince(start));
        allRows = allRows && clean && rows == kRecords;
    }

    double windowStallMs = 0;
    const auto listDownload = [&](bool withWindow) {
        std::vector<double> ms;
        for (int run = 0; run < 3; ++run) {
            QTemporaryDir dir;
            PhonebookUpdate update(QStringLiteral("127.0.0.1"), ProgramFolder(dir.path()), dialogs, clock,
                                   resolver, options(port));
            std::unique_ptr<UpdateWindow> window;
            if (withWindow) {
                window = std::make_unique<UpdateWindow>(update);
                window->show();
                settle();
            }
            StallMeter meter;
            Steady::time_point start = Steady::now();
            double downloadMs = 0;
            QObject::connect(&update, &PhonebookUpdate::statusChanged, [&](const QString& text, quint32) {
                if (text.startsWith(QLatin1String(" Retrieving"))) {
                    start = Steady::now();
                    meter.start();
                } else if (text == QLatin1String(PhonebookUpdate::kSavingText)) {
                    downloadMs = msSince(start);
                    if (withWindow)
                        windowStallMs = std::max(windowStallMs, meter.take());
                    meter.stop();
                }
            });
            const bool written = update.Retrieve();
            allRows = allRows && written && update.list().rowCount() == kRecords;
            ms.push_back(downloadMs);
        }
        return median(ms);
    };
    const double intoList = listDownload(false);
    const double intoWindow = listDownload(true);

    std::vector<double> writeMs;
    std::vector<double> sortMs;
    for (int run = 0; run < 5; ++run) {
        QTemporaryDir dir;
        PhonebookUpdate update(QStringLiteral("127.0.0.1"), ProgramFolder(dir.path()), dialogs, clock,
                               resolver, options(port));
        for (int i = 0; i < kRecords; ++i)
            update.BuildRow(QString::number(10000 + (i * 7919) % kRecords),
                            QStringLiteral("Subscriber %1").arg((i * 104729) % kRecords));
        const auto start = Steady::now();
        const bool written = update.WritePhonebook();
        writeMs.push_back(msSince(start));
        allRows = allRows && written;
        // The sort on its own, on a list in the order received.
        PhonebookListModel model(PhonebookUpdate::listHeaders());
        for (int i = 0; i < kRecords; ++i) {
            PhonebookListModel::Row row;
            row[PhonebookListModel::Name] = QStringLiteral("Subscriber %1").arg((i * 104729) % kRecords);
            model.appendRow(row);
        }
        const auto sortStart = Steady::now();
        model.sortByColumn(PhonebookListModel::Name);
        sortMs.push_back(msSince(sortStart));
    }

    sim.stop();

    const auto rate = [](double ms) { return kRecords / (ms / 1000.0); };
    std::printf("download, protocol only:        %8.1f ms  %8.0f records/s  (baseline)\n", median(protocol),
                rate(median(protocol)));
    std::printf("download into the update list:  %8.1f ms  %8.0f records/s\n", intoList, rate(intoList));
    std::printf("download with the window shown: %8.1f ms  %8.0f records/s  ratio to baseline %.2f\n",
                intoWindow, rate(intoWindow), rate(intoWindow) / rate(median(protocol)));
    std::printf("longest event-loop stall, downloads with the window: %.1f ms\n", windowStallMs);
    std::printf("WritePhonebook, 10000 records:  %8.1f ms  (of which the sort %.1f ms)\n", median(writeMs),
                median(sortMs));
    std::printf("goals: >= 10000 records/s with the window, write < 50 ms\n");

    if (hugeCount > 0) {
        DirsimProcess hugeSim;
        if (!hugeSim.start({QStringLiteral("--generate"), QString::number(hugeCount)})) {
            std::fprintf(stderr, "bench_directory: vornal-dirsim did not start\n");
            return 1;
        }
        QTemporaryDir dir;
        PhonebookUpdate update(QStringLiteral("127.0.0.1"), ProgramFolder(dir.path()), dialogs, clock,
                               resolver, options(hugeSim.port()));
        UpdateWindow window(update);
        window.show();
        settle();
        for (int run = 0; run < 2; ++run) {
            const UpdateStalls s = measuredUpdate(update, window);
            allRows = allRows && s.written && s.rows == hugeCount;
            std::printf("update of %d records (%s): %.0f ms, longest stall: download %.1f ms, sort and write "
                        "%.1f ms\n",
                        hugeCount, run == 0 ? "no old phonebook" : "over the old phonebook", s.totalMs,
                        s.downloadMs, s.writeMs);
        }
        // The reference: the same steps in one go on this thread, as the update ran them
        // before; each of them held the event loop for as long as it took.
        const QList<PhonebookListModel::Row> rows = update.list().rows();
        PhonebookListModel model(PhonebookUpdate::listHeaders());
        model.setRows(rows);
        const PhonebookWriter writer{ProgramFolder(dir.path())};
        const double readMs = medianMs(1, [&] {
            PhonebookFile file{ProgramFolder(dir.path())};
            file.Open();
            const QList<PhonebookEntry> entries = file.readAll();
            file.Close();
            (void)MarkTable::fromEntries(entries, &PhonebookEntry::Check);
            (void)MarkTable::fromEntries(entries, &PhonebookEntry::RsGr2);
        });
        const double sortMs = medianMs(1, [&] { model.sortByColumn(PhonebookListModel::Number); });
        const double bookMs = medianMs(1, [&] { (void)writer.writePhonebook(rows); });
        const double csvMs = medianMs(1, [&] { (void)writer.writeCsv(rows); });
        const double backupMs = medianMs(1, [&] { (void)writer.copyBackup(); });
        std::printf("the same steps in one go (the stalls before): reading the marks %.1f ms, sort %.1f ms, "
                    "phonebook %.1f ms, export %.1f ms, backup %.1f ms\n",
                    readMs, sortMs, bookMs, csvMs, backupMs);
        std::printf("goal: no stall over 50 ms\n");
        if (!allRows) {
            std::fprintf(stderr, "bench_directory: a run did not deliver all records\n");
            return 1;
        }
    }
    if (!allRows) {
        std::fprintf(stderr, "bench_directory: a run did not deliver all %d records\n", kRecords);
        return 1;
    }
    return 0;
}
