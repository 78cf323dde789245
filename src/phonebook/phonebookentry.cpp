#include "phonebookentry.h"

#include "files/textcodec.h"

#include <QtEndian>

#include <algorithm>

namespace vornal {

namespace {

constexpr int kIdAt = 0;
constexpr int kNumberAt = 2;
constexpr int kNameAt = 14;
constexpr int kCheckAt = 54;
constexpr int kRsGrAt = 56; // RsGr1 to RsGr5, two bytes each
constexpr int kDateLengthAt = 66;
constexpr int kDateAt = 68;

static_assert(kDateAt + PhonebookEntry::kChangeDateMax == PhonebookEntry::kRecordSize);

void putInt(char* record, int at, qint16 value) {
    qToLittleEndian<qint16>(value, record + at);
}

qint16 getInt(const char* record, int at) {
    return qFromLittleEndian<qint16>(record + at);
}

// Cuts or blank-pads the Windows-1252 form of a text to exactly width bytes.
void putText(char* record, int at, int width, const QString& text) {
    const QByteArray bytes = TextCodec::encode(text);
    const int n = int(std::min<qsizetype>(bytes.size(), width));
    std::copy_n(bytes.constData(), n, record + at);
    std::fill(record + at + n, record + at + width, ' ');
}

QString withoutTrailingBlanks(const QString& text) {
    qsizetype n = text.size();
    while (n > 0 && text.at(n - 1) == QLatin1Char(' '))
        --n;
    return text.left(n);
}

} // namespace

QByteArray PhonebookEntry::toRecord() const {
    QByteArray record(kRecordSize, '\0');
    char* r = record.data();
    putInt(r, kIdAt, ID);
    putText(r, kNumberAt, kNumberLength, Number);
    putText(r, kNameAt, kNameLength, Name);
    putInt(r, kCheckAt, Check);
    const qint16 groups[] = {RsGr1, RsGr2, RsGr3, RsGr4, RsGr5};
    for (int i = 0; i < 5; ++i)
        putInt(r, kRsGrAt + 2 * i, groups[i]);
    const QByteArray date = TextCodec::encode(ChangeDate).left(kChangeDateMax);
    putInt(r, kDateLengthAt, qint16(date.size()));
    std::copy_n(date.constData(), date.size(), r + kDateAt);
    return record;
}

PhonebookEntry PhonebookEntry::fromRecord(QByteArrayView record) {
    PhonebookEntry e;
    if (record.size() < kRecordSize)
        return e;
    const char* r = record.data();
    e.ID = getInt(r, kIdAt);
    e.Number = TextCodec::decode(record.sliced(kNumberAt, kNumberLength));
    e.Name = TextCodec::decode(record.sliced(kNameAt, kNameLength));
    e.Check = getInt(r, kCheckAt);
    e.RsGr1 = getInt(r, kRsGrAt);
    e.RsGr2 = getInt(r, kRsGrAt + 2);
    e.RsGr3 = getInt(r, kRsGrAt + 4);
    e.RsGr4 = getInt(r, kRsGrAt + 6);
    e.RsGr5 = getInt(r, kRsGrAt + 8);
    const int length = std::clamp<int>(getInt(r, kDateLengthAt), 0, kChangeDateMax);
    e.ChangeDate = TextCodec::decode(record.sliced(kDateAt, length));
    return e;
}

QString PhonebookEntry::trimmedNumber() const {
    return withoutTrailingBlanks(Number);
}

QString PhonebookEntry::trimmedName() const {
    return withoutTrailingBlanks(Name);
}

} // namespace vornal
