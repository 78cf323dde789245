// Redrawing the punch panel's tape preview for a 200-character text, as on every key
// press, on the main window (offscreen), median and worst of 200 key presses:
//  (a) a key typed at the end of the text until the picture has repainted what shows;
//  (b) the whole tape painted into an image (every dot, none out of view);
//  (c) the dots alone (TapeGeometry::previewDots).
#include "benchsupport.h"
#include "faketerminal.h"
#include "features/punch/punchpicture.h"
#include "look/objectnames.h"
#include "tapegeometry.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>

#include <cstdio>

using namespace vornal;

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    constexpr int kRuns = 200;

    FakeTerminal terminal;
    terminal.make();
    terminal.click(ObjectNames::kLblOpen1);
    terminal.call();
    terminal.click(ObjectNames::kLblPuncher);
    auto* input = terminal.find<QLineEdit>(ObjectNames::kTxtInput);
    auto* picture = terminal.find<PunchPicture>(ObjectNames::kPicPunch);

    QString text;
    const QString pattern =
        QStringLiteral("THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG 0123456789 +-?/'().= ");
    while (text.size() < 199)
        text += pattern;
    text.truncate(199);
    input->setText(text);
    QApplication::processEvents();

    // (a) The 200th character typed at the end; the text is set back before each run.
    const auto setBack = [&] {
        input->setText(text);
        picture->repaint();
    };
    const Figures key = figures(timesMs(kRuns, setBack, [&](int i) {
        QTest::keyClick(input, i % 2 ? Qt::Key_M : Qt::Key_W);
        picture->repaint();
    }));

    input->setText(text + QLatin1Char('W'));
    QImage image(picture->size(), QImage::Format_RGB32);
    const auto nothing = [] {};
    const Figures whole = figures(timesMs(kRuns, nothing, [&](int) { picture->render(&image); }));
    const Figures dots = figures(timesMs(kRuns, nothing, [&](int) {
        const QList<TapeDot> d = TapeGeometry::previewDots(text);
        if (d.isEmpty())
            std::abort();
    }));

    std::printf("punch preview, 200-character text (%d px wide tape, %lld dots), %d runs\n", picture->width(),
                static_cast<long long>(picture->dots().size()), kRuns);
    std::printf("  (a) key press to repainted preview: median %.3f ms, worst %.3f ms\n", key.median,
                key.worst);
    std::printf("  (b) whole tape painted:             median %.3f ms, worst %.3f ms\n", whole.median,
                whole.worst);
    std::printf("  (c) dots alone:                     median %.3f ms, worst %.3f ms\n", dots.median,
                dots.worst);
    return 0;
}
