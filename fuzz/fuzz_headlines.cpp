// The headline sets file and the preset phrases file, read from arbitrary contents.
#include "files/programfolder.h"
#include "fuzzsupport.h"
#include "headlinesets.h"
#include "presetphrases.h"

#include <QDateTime>
#include <QFile>

using namespace vornal;

namespace {

void put(const QString& path, const QByteArray& content) {
    QFile file(path);
    FUZZ_EXPECT(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_EXPECT(file.write(content) == content.size());
}

bool hasLineEnd(const QString& text) {
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::startQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray content = fuzz::bytesOf(data, size);
    const ProgramFolder folder(fuzz::scratchFolder());
    put(folder.file(QString::fromLatin1(HeadlineSets::kSetsFile)), content);
    put(folder.file(QString::fromLatin1(PresetPhrases::kFileName)), content);

    // Presets: always ten, none holding a line end.
    const PresetPhrases::Phrases presets =
        PresetPhrases::read(folder.file(QString::fromLatin1(PresetPhrases::kFileName)));
    FUZZ_EXPECT(presets.error.isEmpty());
    FUZZ_EXPECT(presets.phrases.size() == PresetPhrases::kCount);
    for (const QString& phrase : presets.phrases)
        FUZZ_EXPECT(!hasLineEnd(phrase));

    HeadlineSets sets;
    const HeadlineSets::LoadResult loaded = sets.load(folder);
    FUZZ_EXPECT(loaded.found && loaded.read.ok());
    FUZZ_EXPECT(loaded.lines >= 0 && loaded.lines <= HeadlineSets::kBoxes);
    for (int box = 0; box < HeadlineSets::kBoxes; ++box)
        FUZZ_EXPECT(!hasLineEnd(sets.text(box)));
    // The three reference boxes always agree.
    FUZZ_EXPECT(sets.text(3) == sets.text(14) && sets.text(14) == sets.text(25));
    for (int set = 0; set < HeadlineSets::kSets; ++set)
        FUZZ_EXPECT(sets.lines(set, true).size() == 3);

    // Saved and read again, every box comes back as it was (box 33 then holds the
    // chosen set's number).
    QStringList before;
    for (int box = 0; box < HeadlineSets::kBoxes; ++box)
        before.append(sets.text(box));
    const int chosen = sets.selected();
    const FileResult saved = sets.save(folder, QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5)));
    FUZZ_EXPECT(saved.ok());
    HeadlineSets reread;
    const HeadlineSets::LoadResult again = reread.load(folder);
    FUZZ_EXPECT(again.complete());
    for (int box = 0; box < HeadlineSets::kSelectBox; ++box)
        FUZZ_EXPECT(reread.text(box) == before[box]);
    FUZZ_EXPECT(reread.selected() == chosen || !HeadlineSets::isSet(chosen));
    return 0;
}
