// WordWrap after the translation tables, as a text file or a pasted text goes out.
#include "files/textcodec.h"
#include "fuzzsupport.h"
#include "translatechar.h"
#include "wordwrap.h"

using namespace vornal;

namespace {

// The letters of a text: everything but blanks and line ends, in order.
QString letters(QStringView text) {
    QString out;
    for (QChar c : text) {
        if (c != QLatin1Char(' ') && c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            out.append(c);
    }
    return out;
}

} // namespace

// Input: one byte for the width (0..90, or a negative width), then the text's bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const int width = data[0] >= 250 ? -int(data[0] - 249) : data[0] % 91;
    const QString text = TextCodec::decode(QByteArrayView(data + 1, qsizetype(size - 1)));

    QString translated;
    QString shortTranslated;
    for (QChar c : text) {
        const QString full = TranslateChar(c);
        FUZZ_EXPECT(full.size() <= 4);
        translated += full;
        const QString brief = shortTranslateChar(c);
        FUZZ_EXPECT(brief.size() <= 4);
        shortTranslated += brief;
    }
    FUZZ_EXPECT(translateText(text) == translated);
    // Translated text stays within the one-byte-per-character repertoire.
    FUZZ_EXPECT(TextCodec::decode(TextCodec::encode(translated)) == translated);

    const QString wrapped = WordWrap(translated, width);
    FUZZ_EXPECT(wrapped.endsWith(QLatin1String("\r\n")));
    // Every letter survives, in order, and nothing else is added.
    FUZZ_EXPECT(letters(wrapped) == letters(translated));
    FUZZ_EXPECT(wrapped.count(QLatin1Char(' ')) <= translated.count(QLatin1Char(' ')));

    // Without line ends of its own, a text's lines keep to the limit; only the last
    // word of the text is never split.
    const int limit = std::max(width, 0) + 1;
    if (!translated.contains(QLatin1Char('\r')) && !translated.contains(QLatin1Char('\n'))) {
        const QStringList lines = wrapped.chopped(2).split(QStringLiteral("\r\n"));
        qsizetype end = translated.size();
        while (end > 0 && translated[end - 1] == QLatin1Char(' '))
            --end;
        const qsizetype lastWord = end - 1 - translated.lastIndexOf(QLatin1Char(' '), end - 1);
        // A cut piece may keep the blank that followed it.
        for (qsizetype i = 0; i + 1 < lines.size(); ++i)
            FUZZ_EXPECT(lines[i].size() - (lines[i].endsWith(QLatin1Char(' ')) ? 1 : 0) <= limit);
        FUZZ_EXPECT(lines.last().size() <= std::max<qsizetype>(limit, lastWord));
    }
    return 0;
}
