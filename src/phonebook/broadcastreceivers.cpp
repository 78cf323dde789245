#include "broadcastreceivers.h"

#include "markedphonebooklist.h"
#include "phonebookfile.h"
#include "receiverlines.h"

#include "files/textfile.h"

namespace vornal {

BroadcastReceivers::Saved BroadcastReceivers::save(MarkedPhonebookList& list, PhonebookFile& phonebook,
                                                   const QString& receiversPath, FileWriter* writer,
                                                   const Beside& beside) {
    Saved result;
    const MarkedPhonebookList::Saved saved = list.save(phonebook);
    if (!saved) {
        // The receivers file stays as it was, matching no half-written phonebook.
        static_cast<FileResult&>(result) = saved;
        return result;
    }
    QStringList numbers;
    for (const PhonebookEntry& e : saved.records) {
        if (e.RsGr2 != 1)
            continue;
        const QString number = ReceiverLines::numberText(e.Number);
        if (number.isEmpty())
            result.leftOut.append(e.trimmedNumber() + QLatin1Char(' ') + e.trimmedName());
        else
            numbers.append(number);
    }
    const QStringList lines = ReceiverLines::lines(numbers);
    const QString text = ReceiverLines::fileText(lines);
    FileResult written;
    const auto write = [&] { written = TextFile::writeText(receiversPath, text, writer); };
    if (beside)
        beside(write);
    else
        write();
    if (!written) {
        static_cast<FileResult&>(result) = written;
        return result;
    }
    result.shown = QStringList{QString::fromLatin1(kListTitle), QStringLiteral(" ")} + lines;
    return result;
}

} // namespace vornal
