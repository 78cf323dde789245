// The help text's reader on arbitrary rich text.
#include "fuzzsupport.h"
#include "rtfreader.h"

using namespace vornal;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView rtf(data, qsizetype(size));
    const QList<RtfParagraph> paragraphs = RtfReader::read(rtf);

    // Every character and paragraph comes from at least one byte of the input, so
    // what is read never outgrows what was given.
    qsizetype characters = 0;
    for (const RtfParagraph& paragraph : paragraphs) {
        for (const RtfRun& run : paragraph) {
            characters += run.text.size();
            FUZZ_EXPECT(run.halfPoints >= RtfReader::kMinHalfPoints &&
                        run.halfPoints <= RtfReader::kMaxHalfPoints);
        }
    }
    FUZZ_EXPECT(characters <= qsizetype(size));
    FUZZ_EXPECT(paragraphs.size() <= qsizetype(size) + 1);

    // Reading is a function of the bytes alone.
    const QList<RtfParagraph> again = RtfReader::read(rtf);
    FUZZ_EXPECT(again.size() == paragraphs.size());
    for (qsizetype p = 0; p < paragraphs.size(); ++p) {
        FUZZ_EXPECT(again[p].size() == paragraphs[p].size());
        for (qsizetype r = 0; r < paragraphs[p].size(); ++r)
            FUZZ_EXPECT(again[p][r].text == paragraphs[p][r].text && again[p][r].sameLook(paragraphs[p][r]));
    }
    return 0;
}
