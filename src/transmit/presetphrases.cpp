#include "presetphrases.h"

#include "files/textfile.h"
#include "files/textlines.h"

#include <QFileInfo>

namespace vornal::PresetPhrases {

Phrases read(const QString& path) {
    Phrases result;
    QString text;
    if (QFileInfo::exists(path)) {
        if (const FileResult read = TextFile::readText(path, &text); !read)
            result.error = read.error;
    }
    result.phrases = splitTextLines(text).mid(0, kCount);
    while (result.phrases.size() < kCount)
        result.phrases.append(QString());
    return result;
}

} // namespace vornal::PresetPhrases
