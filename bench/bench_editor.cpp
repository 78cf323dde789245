// Message editor figures on a file of 29,999 characters (lines of 68 characters and
// CR LF), offscreen:
//  (a) opening it: reading, building the text and filling the text field, median of 9;
//  (b) one key press at the end of the text, press and release with the caret's row
//      and column and the column warning, median, 95th percentile and slowest of 300
//      keys, without and with the repaint that follows;
// and for both the longest the event loop stays blocked (StallMeter: a 5 ms timer's
// worst lateness), opening until the window has painted, worst of 3, and over the keys.
#include "benchsupport.h"
#include "fakeclock.h"
#include "features/editor/editorwindow.h"
#include "files/programfiles.h"
#include "look/objectnames.h"
#include "scripteddialogs.h"
#include "testfiles.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <memory>
#include <vector>

using namespace vornal;

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QTemporaryDir dir;
    const QString path = dir.filePath(programFile(ProgramFiles::kMessage));
    QByteArray bytes;
    while (bytes.size() + 70 <= 29999)
        bytes += QByteArray("The quick brown fox jumps over the lazy dog 0123456789 ABCDEFGHIJKLM") + "\r\n";
    bytes += QByteArray(29999 - bytes.size() - 2, 'x') + "\r\n";
    if (bytes.size() != 29999 || !writeFile(path, bytes)) {
        std::fprintf(stderr, "cannot write the file\n");
        return 1;
    }

    ScriptedDialogs dialogs;
    FakeClock clock;
    const ProgramFolder folder(dir.path());

    std::vector<double> loads;
    for (int i = 0; i < 9; ++i) {
        EditorWindow window(dialogs, clock, folder);
        const auto start = Steady::now();
        window.open(path, EditorMode::Message);
        loads.push_back(msSince(start));
    }

    StallMeter meter;
    const double openStall = worstOf(3, [&] {
        std::unique_ptr<EditorWindow> opened;
        return meter.measure([&] {
            opened = std::make_unique<EditorWindow>(dialogs, clock, folder);
            opened->open(path, EditorMode::Message);
            opened->show();
        });
    });

    EditorWindow window(dialogs, clock, folder);
    window.open(path, EditorMode::Message);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    auto* field = window.findChild<QPlainTextEdit*>(ObjectNames::kTxtText);
    QTest::keyClick(field, Qt::Key_End, Qt::ControlModifier);
    QApplication::processEvents();

    std::vector<double> keys;
    std::vector<double> painted;
    meter.start();
    for (int i = 0; i < 300; ++i) {
        auto start = Steady::now();
        QTest::keyClick(field, Qt::Key_A);
        keys.push_back(msSince(start));
        start = Steady::now();
        QTest::keyClick(field, Qt::Key_B);
        QApplication::processEvents();
        painted.push_back(msSince(start));
    }
    meter.stop();
    const double keyStall = meter.worstMs();
    if (!dialogs.messages.isEmpty() || field->toPlainText().size() < 30000) {
        std::fprintf(stderr, "the editor did not load the file or take the keys\n");
        return 1;
    }

    const Figures load = figures(loads);
    const Figures key = figures(keys);
    const Figures withPaint = figures(painted);
    std::printf("editor: open a 29,999-character file   median %.2f ms (slowest %.2f ms)\n", load.median,
                load.worst);
    std::printf("editor: one key press at the end       median %.3f ms, 95%% %.3f ms (slowest %.3f ms)\n",
                key.median, key.p95, key.worst);
    std::printf("editor: one key press and its repaint  median %.3f ms, 95%% %.3f ms (slowest %.3f ms)\n",
                withPaint.median, withPaint.p95, withPaint.worst);
    std::printf("editor: stall (the event loop's longest block, goal 50 ms): opening %.2f ms, keys %.2f ms\n",
                openStall, keyStall);
    return 0;
}
