#include "favouriteslots.h"

#include "phonebookentry.h"
#include "phonebookfile.h"

namespace vornal {

QStringList FavouriteSlots::designCaptions() {
    QStringList captions;
    for (int i = 1; i <= kSlotCount; ++i)
        captions.append(QString::number(i));
    return captions;
}

QString FavouriteSlots::caption(const PhonebookEntry& entry) {
    const qsizetype gap = std::max<qsizetype>(0, 10 - entry.trimmedNumber().size());
    return QStringLiteral("  ") + entry.Number + QString(gap, QLatin1Char(' ')) + entry.Name;
}

FavouriteSlots::Fill FavouriteSlots::fill(PhonebookFile& file) {
    Fill result;
    for (int i = 0; i < kSlotCount; ++i)
        result.captions.append(QString::number(i));
    if (!file.Open()) {
        result.opened = false;
        result.error = file.errorString();
        return result;
    }
    int slot = 0;
    const int count = file.RecordCount();
    for (int k = 1; k <= count; ++k) {
        const std::optional<PhonebookEntry> entry = file.ReadRecord(k);
        if (!entry)
            break;
        if (entry->Check == 0)
            continue;
        if (slot == kSlotCount)
            break;
        result.captions[slot++] = caption(*entry);
    }
    file.Close();
    return result;
}

} // namespace vornal
