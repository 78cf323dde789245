#include "broadcastheader.h"

#include "phonebookfile.h"
#include "receiverlines.h"

#include "files/textfile.h"

namespace vornal {

namespace {

// First column (from 1) of the running number, and the column of the number's last
// digit, of blocks 1 to 3. The blank before the name follows the number column.
constexpr int kSequenceAt[] = {1, 24, 46};
constexpr int kNumberEndsAt[] = {10, 33, 56};

// A line that is not full is cut to this width (past the last name it could hold).
constexpr int kPartialLineWidth = 66;

const QLatin1Char kBlank(' ');

// Writes text from column `column` (from 1); what lies outside 1..kLineWidth is dropped.
void put(QString& line, int column, QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype at = column - 1 + i;
        if (at >= 0 && at < line.size())
            line[at] = text[i];
    }
}

QString withoutTrailingBlanks(const QString& text) {
    qsizetype n = text.size();
    while (n > 0 && text.at(n - 1) == kBlank)
        --n;
    return text.left(n);
}

QString trimBlanks(const QString& text) {
    qsizetype from = 0;
    while (from < text.size() && text.at(from) == kBlank)
        ++from;
    return withoutTrailingBlanks(text.mid(from));
}

} // namespace

QString BroadcastHeader::shortName(const QString& name) {
    const qsizetype comma = name.indexOf(QLatin1Char(','));
    return (comma < 0 ? name : name.left(comma)).left(kShortNameLength);
}

void BroadcastHeader::writeEntry(QString& line, int block, int n, const QString& number,
                                 const QString& name) {
    const int b = block - 1;
    const int sequence = kSequenceAt[b];
    // Two columns only: from 100 on the last two digits.
    put(line, sequence, QStringLiteral("%1").arg(n % 100, 2, 10, QLatin1Char('0')));

    int numberEnd = kNumberEndsAt[b];
    int nameEnd = kLineWidth;
    if (block == 1 && number.size() > numberEnd) {
        // It cannot end in column 10: it starts in column 1, the name follows it and
        // still ends where block 2 begins.
        numberEnd = int(number.size());
        nameEnd = kSequenceAt[1] - 1;
    }
    put(line, numberEnd - int(number.size()) + 1, number);
    const int nameAt = numberEnd + 2;
    const QString shown = name.left(kShortNameLength).left(std::max(0, nameEnd - nameAt + 1));
    put(line, numberEnd + 1, QString(kBlank) + shown);
}

BroadcastHeader::Header BroadcastHeader::generate(const QList<PhonebookEntry>& entries,
                                                  const QString& titleSuffix) {
    Header h;
    h.preview = {QStringLiteral(" --- Rundsenden von: ") + titleSuffix,
                 QStringLiteral(" --- in alphabetische reihenfolge an:"), QStringLiteral(" "),
                 QString::fromLatin1(kRuler), QStringLiteral(" ")};
    h.receivers.reserve(entries.size());

    QString line;
    int block = 1;
    for (const PhonebookEntry& e : entries) {
        if (block == 1)
            line = QString(kLineWidth, kBlank);
        // A receiver left out of the receivers file (its number is no number) is left
        // out here too: the header names nobody the service is not told about.
        const bool receiver = ReceiverLines::isSent(e);
        h.receivers.append(receiver);
        if (!receiver)
            continue;
        ++h.receiverCount;
        writeEntry(line, block, h.receiverCount, trimBlanks(e.Number), shortName(e.Name));
        if (block == 3) {
            h.preview.append(line);
            h.fileLines.append(withoutTrailingBlanks(line));
            block = 1;
        } else {
            ++block;
        }
    }
    if (block > 1) {
        // A partial line: the running-number columns of the next block, which would
        // have cut the last name, are cleared, so its name is as long as on a full line.
        const int next = kSequenceAt[block - 1];
        put(line, next, QStringLiteral("  "));
        const QString partial = line.left(kPartialLineWidth);
        h.preview.append(partial);
        h.fileLines.append(withoutTrailingBlanks(partial));
    }
    h.fileLines.append(QStringLiteral(" "));
    h.preview << QStringLiteral(" ") << QStringLiteral(" ----- Ende Rundsenden Teilnehmerliste ----- ")
              << QStringLiteral(" ");
    return h;
}

QString BroadcastHeader::fileText(const Header& header) {
    QString text;
    for (const QString& line : header.fileLines)
        text += line + QLatin1String("\r\n");
    return text;
}

BroadcastHeader::Written BroadcastHeader::write(PhonebookFile& phonebook, const QString& headerPath,
                                                const QString& titleSuffix, FileWriter* writer) {
    Written w;
    if (!phonebook.Open()) {
        w.error = phonebook.openFailureText();
        w.reason = phonebook.errorString();
        w.header = generate({}, titleSuffix);
        return w;
    }
    w.entries = phonebook.readAll();
    phonebook.Close();
    w.header = generate(w.entries, titleSuffix);
    if (const FileResult written = TextFile::writeText(headerPath, fileText(w.header), writer); !written)
        static_cast<FileResult&>(w) = written;
    return w;
}

} // namespace vornal
