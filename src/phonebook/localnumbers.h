#pragma once

#include "files/programfiles.h"
#include "files/textfile.h"
#include "localnumberentry.h"

#include <QString>
#include <QStringList>

#include <array>

namespace vornal {

// "\LocalTelex.txt": 18 lines, one per entry, each the number left-aligned in three
// columns, three blanks and the description. Entries 0 to 13 are the local
// teleprinters, 14 to 17 the special system numbers.
class LocalNumbers {
public:
    static constexpr int kCount = 18;
    static constexpr int kFirstSpecial = 14;
    static constexpr int kNumberWidth = 3;
    // Characters of a caption read as the number to dial.
    static constexpr int kDialWidth = 2;
    static constexpr const char* kFileName = ProgramFiles::kLocalNumbers;

    using Entries = std::array<LocalNumberEntry, kCount>;

    // A missing or unreadable file gives 18 empty entries, missing lines empty
    // entries; lines after the 18th are ignored. Lines may end with CR LF, CR or LF.
    // The number is the first three characters without the padding blanks, the
    // description everything from the seventh character on.
    static Entries LoadLocalNumbers(const QString& path);
    // Writes the file anew (through a temporary file, so a failed save leaves the
    // old one whole). A number is cut to three characters and line breaks inside a
    // field become blanks, so the file always reads back as the same 18 entries.
    // A failure names the file and the reason. The writer is the program folder's
    // (ProgramFolder::writer).
    static FileResult SaveLocalNumbers(const QString& path, const Entries& entries,
                                       FileWriter* writer = nullptr);
    // The slot caption: the number padded to three characters, five blanks, the
    // description.
    static QString displayCaption(const LocalNumberEntry& entry);
    // Captions before the first load: "1" to "18".
    static QStringList designCaptions();
};

} // namespace vornal
