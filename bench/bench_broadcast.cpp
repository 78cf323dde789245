// Broadcast windows on a phonebook of 10 000 records (1 000 of them receivers), median
// of several runs each:
//  (a) opening the receivers window: made, read, shown and painted (offscreen);
//  (b) one tick change: the marks of every row shown again, the mark table refilled,
//      and the list repainted;
//  (c) "Save Receivers List" on a phonebook just written by an update (1-based IDs),
//      so that every record is rewritten, and the receivers file;
//  (d) generating the header: the phonebook read, the header built and written; and
//      the header window's "Elaborate" with its preview and list.
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

using namespace vornal;

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    constexpr int kRecords = 10000;

    QTemporaryDir dir;
    const ProgramFolder folder(dir.path());
    const QString bookPath = folder.file(QString::fromLatin1(PhonebookFile::kFileName));
    QByteArray book;
    book.reserve(kRecords * PhonebookEntry::kRecordSize);
    for (int k = 0; k < kRecords; ++k) {
        PhonebookEntry e;
        e.ID = qint16(k + 1);
        e.Number = QString::number(100000 + k);
        e.Name =
            QStringLiteral("Teilnehmer %1 M\u00fcller & S\u00f6hne, Berlin").arg(k, 5, 10, QLatin1Char('0'));
        e.RsGr2 = k % 10 == 0 ? 1 : 0;
        e.ChangeDate = QStringLiteral("07.12.2026");
        book += e.toRecord();
    }
    if (!writeFile(bookPath, book)) {
        std::fprintf(stderr, "cannot write the phonebook\n");
        return 1;
    }

    ScriptedDialogs dialogs;
    QWidget parent;
    const double open = medianMs(5, [&] {
        ReceiversWindow window(folder, dialogs, &parent);
        window.show();
        QApplication::processEvents();
    });

    ReceiversWindow window(folder, dialogs, &parent);
    window.show();
    QApplication::processEvents();
    PhonebookListModel& model = window.list().list();
    int row = 0;
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

    const QString headerPath = folder.file(QString::fromLatin1(BroadcastHeader::kFileName));
    const double header = medianMs(5, [&] {
        PhonebookFile file(bookPath);
        BroadcastHeader::write(file, headerPath, QStringLiteral("STATION"));
    });
    HeaderWindow headerWindow(folder, QStringLiteral("STATION"), dialogs, &parent);
    headerWindow.show();
    QApplication::processEvents();
    const double elaborate = medianMs(5, [&] {
        headerWindow.GenerateHeader();
        QApplication::processEvents();
    });

    std::printf("phonebook of %d records, %d receivers, median of 5 runs (ticks: 21)\n", kRecords,
                kRecords / 10);
    std::printf("  opening the receivers window (made, read, shown):  %8.2f ms  (goal 200)\n", open);
    std::printf("  one tick change (every row's marks, repaint):      %8.2f ms  (goal 16)\n", tick);
    std::printf("  saving, every record rewritten, RSend.txt:         %8.2f ms  (goal 200)\n", saved);
    std::printf("  generating the header (read, build, write):        %8.2f ms  (goal 50)\n", header);
    std::printf("  the header window's Elaborate (with its lists):    %8.2f ms\n", elaborate);
    if (!dialogs.messages.isEmpty()) {
        std::fprintf(stderr, "unexpected: %s\n", qPrintable(dialogs.texts().join(QLatin1Char(' '))));
        return 1;
    }
    return 0;
}
