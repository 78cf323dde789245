// The phonebook reader on an arbitrary file: the record count and every record.
#include "fuzzsupport.h"
#include "phonebookentry.h"
#include "phonebookfile.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>

using namespace vornal;

namespace {

// The bytes of a record that its fields keep: all but the filler after ChangeDate.
QByteArray kept(QByteArrayView record) {
    const int length = qFromLittleEndian<qint16>(record.data() + 66);
    const int date = std::clamp(length, 0, PhonebookEntry::kChangeDateMax);
    return record.first(68 + date).toByteArray();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::startQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray content = fuzz::bytesOf(data, size);
    const QString path = fuzz::scratchFolder() + QStringLiteral("/phonebook.txt");
    {
        QFile file(path);
        FUZZ_EXPECT(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_EXPECT(file.write(content) == content.size());
    }

    PhonebookFile book(path);
    FUZZ_EXPECT(book.Open());
    const int count = book.RecordCount();
    FUZZ_EXPECT(count == int(size / PhonebookEntry::kRecordSize));
    FUZZ_EXPECT(!book.ReadRecord(0) && !book.ReadRecord(count + 1) && !book.ReadRecord(-1));
    for (int k = 1; k <= count; ++k) {
        const std::optional<PhonebookEntry> entry = book.ReadRecord(k);
        FUZZ_EXPECT(entry.has_value());
        const QByteArrayView record(content.constData() + (k - 1) * PhonebookEntry::kRecordSize,
                                    PhonebookEntry::kRecordSize);
        FUZZ_EXPECT(entry->Number.size() == PhonebookEntry::kNumberLength);
        FUZZ_EXPECT(entry->Name.size() == PhonebookEntry::kNameLength);
        FUZZ_EXPECT(entry->ChangeDate.size() <= PhonebookEntry::kChangeDateMax);
        // A record read and written again keeps every byte its fields hold.
        const QByteArray again = entry->toRecord();
        FUZZ_EXPECT(again.size() == PhonebookEntry::kRecordSize);
        const int length = qFromLittleEndian<qint16>(record.data() + 66);
        if (length >= 0 && length <= PhonebookEntry::kChangeDateMax)
            FUZZ_EXPECT(kept(again) == kept(record));
        else
            FUZZ_EXPECT(again.first(66) == record.first(66));
        FUZZ_EXPECT(PhonebookEntry::fromRecord(again) == *entry);
    }
    const QList<PhonebookEntry> all = book.readAll();
    FUZZ_EXPECT(all.size() == count);
    book.Close();
    FUZZ_EXPECT(book.RecordCount() == 0);
    return 0;
}
