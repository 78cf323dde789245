// Phonebook figures on a file of 10 000 records, median of 5 runs each:
//  (a) "Refresh Lists" on the main window (offscreen), with the 25 favourites at the
//      end of the file so that every record is read;
//  (b) filling the slots alone, without the window;
//  (c) reading every record: Open, ReadRecord 1 .. RecordCount, Close.
#include "benchsupport.h"
#include "fakeclock.h"
#include "fakeseriallink.h"
#include "favouriteslots.h"
#include "features/allfeatures.h"
#include "files/programfolder.h"
#include "memorysettingsstore.h"
#include "phonebookentry.h"
#include "phonebookfile.h"
#include "recordingdesktoplauncher.h"
#include "recordingsoundplayer.h"
#include "scripteddialogs.h"
#include "scriptedrunner.h"
#include "testfiles.h"
#include "window/terminalwindow.h"

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>

using namespace vornal;

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    constexpr int kRecords = 10000;

    QTemporaryDir dir;
    const ProgramFolder folder(dir.path());
    {
        QByteArray bytes;
        bytes.reserve(kRecords * PhonebookEntry::kRecordSize);
        for (int k = 0; k < kRecords; ++k) {
            PhonebookEntry e;
            e.ID = qint16(k + 1);
            e.Number = QString::number(100000 + k);
            e.Name = QStringLiteral("Teilnehmer %1 Müller & Söhne").arg(k);
            e.Check = k >= kRecords - 25 ? 1 : 0;
            e.ChangeDate = QStringLiteral("07.12.2026");
            bytes += e.toRecord();
        }
        if (!writeFile(folder.file(QString::fromLatin1(PhonebookFile::kFileName)), bytes)) {
            std::fprintf(stderr, "cannot write the phonebook\n");
            return 1;
        }
    }

    FakeSerialLink link;
    ScriptedDialogs dialogs;
    MemorySettingsStore settings;
    FakeClock clock;
    RecordingSoundPlayer sound;
    ScriptedRunner runner;
    RecordingDesktopLauncher desktop;
    TerminalWindow window({link, dialogs, settings, folder, clock, sound, runner, desktop});
    attachFeatures(window.features());
    window.load(QString());
    window.show();
    dialogs.messages.clear(); // no configuration file in this folder

    const double refresh = medianMs(5, [&] { window.features().refreshLists(); });
    PhonebookFile file(folder);
    const double fill = medianMs(5, [&] { FavouriteSlots::fill(file); });
    qint64 checksum = 0;
    const double readAll = medianMs(5, [&] {
        PhonebookFile f(folder);
        f.Open();
        const int count = f.RecordCount();
        for (int k = 1; k <= count; ++k)
            checksum += f.ReadRecord(k)->ID;
        f.Close();
    });

    std::printf("phonebook of %d records (%d bytes), median of 5 runs\n", kRecords,
                kRecords * PhonebookEntry::kRecordSize);
    std::printf("  Refresh Lists (window, favourites at the end):    %8.2f ms\n", refresh);
    std::printf("  filling the 25 slots alone:                       %8.2f ms\n", fill);
    std::printf("  reading every record (Open .. Close):             %8.2f ms\n", readAll);
    if (!dialogs.messages.isEmpty() || checksum == 0) {
        std::fprintf(stderr, "unexpected: %s\n", qPrintable(dialogs.texts().join(QLatin1Char(' '))));
        return 1;
    }
    return 0;
}
