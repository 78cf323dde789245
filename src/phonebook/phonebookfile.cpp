#include "phonebookfile.h"

#include "files/programfolder.h"

#include <QFileInfo>

namespace vornal {

PhonebookFile::PhonebookFile(const ProgramFolder& folder)
    : PhonebookFile(folder.file(QString::fromLatin1(kFileName))) {}

PhonebookFile::PhonebookFile(QString path) : m_path(std::move(path)), m_file(m_path) {}

PhonebookFile::~PhonebookFile() {
    Close();
}

bool PhonebookFile::Open() {
    Close();
    m_error.clear();
    if (m_file.open(QIODevice::ReadWrite))
        return true;
    const QString readWriteError = m_file.errorString();
    if (QFileInfo::exists(m_path) && m_file.open(QIODevice::ReadOnly))
        return true;
    m_error = readWriteError;
    return false;
}

int PhonebookFile::RecordCount() const {
    if (!m_file.isOpen())
        return 0;
    return int(m_file.size() / PhonebookEntry::kRecordSize);
}

std::optional<PhonebookEntry> PhonebookFile::ReadRecord(int k) {
    if (k < 1 || k > RecordCount())
        return std::nullopt;
    if (!m_file.seek(qint64(k - 1) * PhonebookEntry::kRecordSize))
        return std::nullopt;
    char record[PhonebookEntry::kRecordSize];
    if (m_file.read(record, sizeof record) != qint64(sizeof record)) {
        m_error = m_file.errorString();
        return std::nullopt;
    }
    return PhonebookEntry::fromRecord(QByteArrayView(record, sizeof record));
}

bool PhonebookFile::WriteRecord(int k, const PhonebookEntry& entry) {
    return writeRecords(k, {entry});
}

bool PhonebookFile::writeRecords(int k, const QList<PhonebookEntry>& entries) {
    if (!m_file.isOpen() || k < 1 || entries.isEmpty() || k > RecordCount() + 1)
        return false;
    if (!m_file.isWritable()) {
        m_error = QStringLiteral("The file may only be read.");
        return false;
    }
    QByteArray records;
    records.reserve(entries.size() * PhonebookEntry::kRecordSize);
    for (const PhonebookEntry& entry : entries)
        records += entry.toRecord();
    if (!m_file.seek(qint64(k - 1) * PhonebookEntry::kRecordSize) ||
        m_file.write(records) != records.size() || !m_file.flush()) {
        m_error = m_file.errorString();
        return false;
    }
    return true;
}

QList<PhonebookEntry> PhonebookFile::readAll() {
    QList<PhonebookEntry> entries;
    const int count = RecordCount();
    if (count == 0 || !m_file.seek(0))
        return entries;
    // One read for the lot: a record at a time costs a system call each.
    const QByteArray bytes = m_file.read(qint64(count) * PhonebookEntry::kRecordSize);
    if (bytes.size() < qint64(count) * PhonebookEntry::kRecordSize)
        m_error = m_file.errorString();
    const qsizetype whole = bytes.size() / PhonebookEntry::kRecordSize;
    entries.reserve(whole);
    for (qsizetype r = 0; r < whole; ++r)
        entries.append(PhonebookEntry::fromRecord(
            QByteArrayView(bytes).sliced(r * PhonebookEntry::kRecordSize, PhonebookEntry::kRecordSize)));
    return entries;
}

QString PhonebookFile::openFailureText() const {
    return QStringLiteral("The phonebook file %1 can be neither opened nor created:\n%2")
        .arg(m_path, m_error);
}

void PhonebookFile::Close() {
    if (m_file.isOpen())
        m_file.close();
}

} // namespace vornal
