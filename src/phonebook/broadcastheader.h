#pragma once

#include "files/programfiles.h"
#include "files/textfile.h"
#include "phonebookentry.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace vornal {

// The header of a broadcast message: every receiver of the phonebook that the receivers
// file names (ReceiverLines::isSent: RsGr2 equal to 1 and a number of digits), in
// phonebook order, three to a 68-column teleprinter line. Each entry is a
// two-digit running number, the number with its last digit in the block's number
// column, a blank and the first characters of the name up to its first comma:
//
//   block   running number   number ends in   name from
//     1       columns 1-2        10               12
//     2       columns 24-25      33               35
//     3       columns 46-47      56               58
//
// The blocks are written in order and overwrite what the block before left in their
// columns, so the names keep 12, 11 and 11 characters. Where a line leaves no room:
// from 100 receivers on the running number shows its last two digits (100 as 00), and
// a number of 11 or 12 digits in block 1 starts in column 1 and pushes the blank and
// the name to its right, the name ending in column 23 as usual. Every number stays
// whole and readable.
class FileWriter;
class PhonebookFile;

class BroadcastHeader {
public:
    static constexpr const char* kFileName = ProgramFiles::kBroadcastHeader;
    static constexpr int kLineWidth = 68;
    static constexpr int kShortNameLength = 13;
    static constexpr const char* kRuler =
        "1234567890123456789012345678901234567890123456789012345678901234567890";

    struct Header {
        QStringList preview;   // the window's preview, titles and closing lines included
        QStringList fileLines; // "\RSHeader.txt", without the line ends
        QList<bool> receivers; // per record in file order: a receiver
        int receiverCount = 0;
    };

    // titleSuffix: the station text of the configuration, named in the first title.
    static Header generate(const QList<PhonebookEntry>& entries, const QString& titleSuffix);
    // What a name gives: the part before the first comma (the whole stored Name when it
    // has none), at most kShortNameLength characters.
    static QString shortName(const QString& name);
    // Writes entry n into block 1, 2 or 3 of a kLineWidth-character line.
    static void writeEntry(QString& line, int block, int n, const QString& number, const QString& name);
    // The file: every line followed by CR LF.
    static QString fileText(const Header& header);

    // What failed, naming the file, and the header made.
    struct Written : FileResult {
        Header header;
        QList<PhonebookEntry> entries; // the phonebook as read, in file order
    };
    // GenerateHeader: reads the phonebook (a missing one is created empty) and replaces
    // the header file whole, with `writer` (the program folder's). When the phonebook
    // cannot be read, the file is not touched.
    static Written write(PhonebookFile& phonebook, const QString& headerPath, const QString& titleSuffix,
                         FileWriter* writer = nullptr);
};

} // namespace vornal
