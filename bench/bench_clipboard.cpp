// The clipboard preview: a 30,000-character clipboard text from the paste click until
// the preview shows it (translated, wrapped, put in the preview box, laid out and
// painted), median of 11 runs in the offscreen main window, and the same for 1 MB; and
// the folding alone for both.
#include "benchsupport.h"
#include "clipboardpaste.h"
#include "faketerminal.h"
#include "look/objectnames.h"

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QRandomGenerator>

#include <cstdio>

using namespace vornal;

namespace {

// Words of 1 to 12 letters with umlauts, signs and now and then a character outside
// Windows-1252, single blanks, a line end (a lone LF, as the clipboard gives it) every
// 12 words or so.
QString sampleText(qsizetype size) {
    QRandomGenerator random(7);
    const QString alphabet = QString::fromUtf8("abcdefghijklmnopqrstuvwxyzäöüß@\"é€日");
    QString text;
    text.reserve(size);
    while (text.size() < size) {
        const int length = 1 + int(random.bounded(12));
        for (int i = 0; i < length && text.size() < size; ++i)
            text.append(alphabet[int(random.bounded(alphabet.size()))]);
        if (text.size() < size)
            text.append(random.bounded(12) == 0 ? QLatin1Char('\n') : QLatin1Char(' '));
    }
    return text;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    FakeTerminal terminal;
    terminal.make();
    terminal.click(ObjectNames::kLblOpen1);
    auto* box = terminal.find<QPlainTextEdit>(ObjectNames::kRichTextBox1);

    const QString text = sampleText(30000);
    QGuiApplication::clipboard()->setText(text);
    QApplication::processEvents();
    const double previewMs = medianMs(11, [&] {
        terminal.click(ObjectNames::kLblPaste);
        QApplication::processEvents();
        box->viewport()->repaint();
    });
    std::printf("preview of %lld clipboard characters (%lld lines shown): median %.2f ms\n",
                qlonglong(text.size()), qlonglong(box->blockCount()), previewMs);

    const QString large = sampleText(1 << 20);
    QGuiApplication::clipboard()->setText(large);
    QApplication::processEvents();
    const double largePreviewMs = medianMs(3, [&] {
        terminal.click(ObjectNames::kLblPaste);
        QApplication::processEvents();
        box->viewport()->repaint();
    });
    std::printf("preview of %lld clipboard characters: median %.2f ms\n", qlonglong(large.size()),
                largePreviewMs);

    const double foldMs = medianMs(11, [&] { ClipboardPaste::fold(text); });
    std::printf("folding them alone (code page, translation, wrap): median %.2f ms\n", foldMs);
    const double largeMs = medianMs(5, [&] { ClipboardPaste::fold(large); });
    std::printf("folding %lld characters: median %.2f ms\n", qlonglong(large.size()), largeMs);
    return 0;
}
