// The receive path: arbitrary chunks through DisplayReceived, with the display's
// bound, its mirror in the window and both phrase watches' buffers checked after each chunk.
#include "display/terminalbuffer.h"
#include "display/terminaldisplay.h"
#include "files/textcodec.h"
#include "fuzzsupport.h"
#include "programstate.h"

using namespace vornal;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::startQt();
    return 0;
}

// Input: one byte of switches, then chunks, each a length byte and that many bytes
// (a length of 255 stands for a large chunk made of the next bytes repeated, as after
// a stall; two of them at most, which is enough to cross the bound twice).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    ProgramState state;
    state.klklAutoAnswer = data[0] & 1;
    state.broadcastActive = data[0] & 2;
    state.soundMuted = !(data[0] & 4);
    TerminalBuffer box;
    TerminalDisplay display(box, state);

    // What the window shows, kept by the buffer's signals alone.
    QString mirror;
    QObject::connect(&box, &TerminalBuffer::reset, [&mirror](const QString& shown) { mirror = shown; });
    QObject::connect(&box, &TerminalBuffer::edited,
                     [&mirror](qsizetype front, qsizetype back, const QString& shownAppend) {
                         FUZZ_EXPECT(front >= 0 && back >= 0 && front + back <= mirror.size());
                         mirror.remove(0, front);
                         mirror.chop(back);
                         mirror.append(shownAppend);
                     });
    if (data[0] & 8)
        box.setText(QStringLiteral("earlier text\r\n"));

    size_t at = 1;
    int floods = 0;
    while (at < size) {
        size_t length = data[at++];
        QByteArray bytes;
        if (length == 255 && floods < 2) {
            ++floods;
            const size_t piece = std::min<size_t>(size - at, 16);
            const QByteArray unit = fuzz::bytesOf(data + at, piece);
            bytes = unit.isEmpty() ? QByteArray(17'000, 'x') : unit.repeated(17'000 / unit.size() + 1);
            at += piece;
        } else {
            length = std::min(length, size - at);
            bytes = fuzz::bytesOf(data + at, length);
            at += length;
        }
        QString text = TextCodec::decode(bytes);
        const qsizetype lineFeeds = text.count(QLatin1Char('\n'));
        const qsizetype returns = text.count(QLatin1Char('\r'));
        display.DisplayReceived(text);

        // The chunk as shown: no backspace and no bare line feed is left, every CR has
        // its LF, and it is never longer than the chunk with an LF per CR.
        FUZZ_EXPECT(!text.contains(QLatin1Char('\b')));
        FUZZ_EXPECT(text.size() <= bytes.size() - lineFeeds + returns);
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] == QLatin1Char('\r'))
                FUZZ_EXPECT(i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'));
            if (text[i] == QLatin1Char('\n'))
                FUZZ_EXPECT(i > 0 && text[i - 1] == QLatin1Char('\r'));
        }
        // The display stays within its bound: trimmed back to the limit before each
        // chunk is added.
        FUZZ_EXPECT(box.length() <= TerminalDisplay::kTrimAbove + text.size());
        FUZZ_EXPECT(text.isEmpty() || box.text().endsWith(text));
        FUZZ_EXPECT(display.answerBuffer().size() <= TerminalDisplay::kAnswerTail);
        FUZZ_EXPECT(display.promptBuffer().size() <= TerminalDisplay::kAnswerTail);
        FUZZ_EXPECT(mirror == TerminalBuffer::shown(box.text()));
    }
    return 0;
}
