// Directory update figures, on loopback against vornal-dirsim serving 10 000 generated
// subscribers, without the 2-second pause after sorting:
//  - the download alone (frames decoded, acknowledged), records per second;
//  - the download into the update list with the marks merged (no window);
//  - the same with the update window shown offscreen;
//  - WritePhonebook of 10 000 rows (sort, phonebook, export, backup), median of 5.
// Each download figure is the median of 3 runs.
#include "benchsupport.h"
#include "directorydownload.h"
#include "fakeclock.h"
#include "features/directory/updatewindow.h"
#include "files/programfolder.h"
#include "phonebookupdate.h"
#include "scripteddialogs.h"
#include "simulators.h"
#include "socketlayer.h"
#include "systemhostresolver.h"

#include <QApplication>
#include <QTemporaryDir>

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

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
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
            }
            Steady::time_point start = Steady::now();
            double downloadMs = 0;
            QObject::connect(&update, &PhonebookUpdate::statusChanged, [&](const QString& text, quint32) {
                if (text.startsWith(QLatin1String(" Retrieving")))
                    start = Steady::now();
                else if (text == QLatin1String(PhonebookUpdate::kSavingText))
                    downloadMs = msSince(start);
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
    std::printf("download, protocol only:        %8.1f ms  %8.0f records/s\n", median(protocol),
                rate(median(protocol)));
    std::printf("download into the update list:  %8.1f ms  %8.0f records/s\n", intoList, rate(intoList));
    std::printf("download with the window shown: %8.1f ms  %8.0f records/s\n", intoWindow, rate(intoWindow));
    std::printf("WritePhonebook, 10000 records:  %8.1f ms  (of which the sort %.1f ms)\n", median(writeMs),
                median(sortMs));
    std::printf("goals: >= 10000 records/s, write < 50 ms\n");
    if (!allRows) {
        std::fprintf(stderr, "bench_directory: a run did not deliver all %d records\n", kRecords);
        return 1;
    }
    return 0;
}
