// Broadcast windows on a phonebook of 10 000 records (1 000 of them receivers), median
// of several runs each:
//  (a) opening the receivers window: made, read, shown and painted (offscreen);
//  (b) one tick change: the marks of every row shown again, the mark table refilled,
//      and the list repainted;
//  (c) "Save Receivers List" on a phonebook just written by an update (1-based IDs),
//      so that every record is rewritten, and the receivers file;
//  (d) generating the header: the phonebook read, the header built and written; and
//      the header window's "Elaborate" with its preview and list.
// and for each, and for saving a phonebook of 400 records, the longest the event loop
// stays blocked (StallMeter: a 5 ms timer's worst lateness, over all runs), from the
// start until the window has painted what it shows.
#include "benchsupport.h"
#include "broadcastheader.h"
#include "features/broadcast/headerwindow.h"
#include "features/broadcast/receiverswindow.h"
#include "files/programfolder.h"
#include "look/objectnames.h"
#include "phonebookentry.h"
#include "phonebookfile.h"
#include "scripteddialogs.h"
#include "testfiles.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

using namespace vornal;

namespace {

// A phonebook as an update writes it (1-based IDs), every tenth record a receiver.
QByteArray phonebookOf(int records) {
    QByteArray book;
    book.reserve(records * PhonebookEntry::kRecordSize);
    for (int k = 0; k < records; ++k) {
        PhonebookEntry e;
        e.ID = qint16(k + 1);
        e.Number = QString::number(100000 + k);
        e.Name =
            QStringLiteral("Teilnehmer %1 M\u00fcller & S\u00f6hne, Berlin").arg(k, 5, 10, QLatin1Char('0'));
        e.RsGr2 = k % 10 == 0 ? 1 : 0;
        e.ChangeDate = QStringLiteral("07.12.2026");
        book += e.toRecord();
    }
    return book;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    constexpr int kRecords = 10000;
    constexpr int kSmallBook = 400;

    QTemporaryDir dir;
    const ProgramFolder folder(dir.path());
    const QString bookPath = folder.file(QString::fromLatin1(PhonebookFile::kFileName));
    const QByteArray book = phonebookOf(kRecords);
    if (!writeFile(bookPath, book)) {
        std::fprintf(stderr, "cannot write the phonebook\n");
        return 1;
    }

    ScriptedDialogs dialogs;
    QWidget parent;
    StallMeter meter;
    const double open = medianMs(5, [&] {
        ReceiversWindow window(folder, dialogs, &parent);
        window.show();
        QApplication::processEvents();
    });
    const double openStall = worstOf(3, [&] {
        std::unique_ptr<ReceiversWindow> window;
        return meter.measure([&] {
            window = std::make_unique<ReceiversWindow>(folder, dialogs, &parent);
            window->show();
        });
    });

    ReceiversWindow window(folder, dialogs, &parent);
    window.show();
    QApplication::processEvents();
    PhonebookListModel& model = window.list().list();
    int row = 0;
    // The first tick shows the marks in every row's columns for the first time.
    const double tickStall = worstOf(5, [&] {
        return meter.measure([&] {
            model.setTicked(row, !model.isTicked(row));
            row += 397;
        });
    });
    const double tick = medianMs(21, [&] {
        model.setTicked(row, !model.isTicked(row));
        QApplication::processEvents();
        row += 397;
    });

    auto* save = window.findChild<QPushButton*>(ObjectNames::kLblSave);
    const double saved = medianMs(
        5,
        [&] {
            if (!writeFile(bookPath, book))
                std::fprintf(stderr, "cannot restore the phonebook\n");
            window.show();
            model.setTicked(5, !model.isTicked(5));
        },
        [&] {
            save->click();
            QApplication::processEvents();
        });

    const auto saveStall = [&](const QByteArray& records) {
        return worstOf(3, [&] {
            if (!writeFile(bookPath, records))
                std::fprintf(stderr, "cannot restore the phonebook\n");
            window.loadList();
            window.show();
            QApplication::processEvents();
            model.setTicked(5, !model.isTicked(5));
            return meter.measure([&] { save->click(); });
        });
    };
    const double savedStall = saveStall(book);
    const double smallSavedStall = saveStall(phonebookOf(kSmallBook));
    if (!writeFile(bookPath, book)) {
        std::fprintf(stderr, "cannot restore the phonebook\n");
        return 1;
    }

    const QString headerPath = folder.file(QString::fromLatin1(BroadcastHeader::kFileName));
    const double header = medianMs(5, [&] {
        PhonebookFile file(bookPath);
        BroadcastHeader::write(file, headerPath, QStringLiteral("STATION"));
    });
    const double headerStall = worstOf(3, [&] {
        return meter.measure([&] {
            PhonebookFile file(bookPath);
            BroadcastHeader::write(file, headerPath, QStringLiteral("STATION"));
        });
    });
    HeaderWindow headerWindow(folder, QStringLiteral("STATION"), dialogs, &parent);
    headerWindow.show();
    QApplication::processEvents();
    const double elaborate = medianMs(5, [&] {
        headerWindow.GenerateHeader();
        QApplication::processEvents();
    });
    const double elaborateStall =
        worstOf(3, [&] { return meter.measure([&] { headerWindow.GenerateHeader(); }); });

    std::printf(
        "phonebook of %d records, %d receivers, median of 5 runs (ticks: 21); stall: the event loop's "
        "longest block, worst of 3 runs (ticks: 5), goal 50 ms\n",
        kRecords, kRecords / 10);
    std::printf("  opening the receivers window (made, read, shown):  %8.2f ms  (goal 200)  stall %8.2f ms\n",
                open, openStall);
    std::printf("  one tick change (every row's marks, repaint):      %8.2f ms  (goal 16)   stall %8.2f ms\n",
                tick, tickStall);
    std::printf("  saving, every record rewritten, RSend.txt:         %8.2f ms  (goal 200)  stall %8.2f ms\n",
                saved, savedStall);
    std::printf("  saving a phonebook of %d records:                             stall %8.2f ms\n",
                kSmallBook, smallSavedStall);
    std::printf("  generating the header (read, build, write):        %8.2f ms  (goal 50)   stall %8.2f ms\n",
                header, headerStall);
    std::printf("  the header window's Elaborate (with its lists):    %8.2f ms              stall %8.2f ms\n",
                elaborate, elaborateStall);
    if (!dialogs.messages.isEmpty()) {
        std::fprintf(stderr, "unexpected: %s\n", qPrintable(dialogs.texts().join(QLatin1Char(' '))));
        return 1;
    }
    return 0;
}
