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
    if (!m_file.isOpen() || k < 1 || k > RecordCount() + 1)
        return false;
    if (!m_file.isWritable()) {
        m_error = QStringLiteral("The file may only be read.");
        return false;
    }
    const QByteArray record = entry.toRecord();
    if (!m_file.seek(qint64(k - 1) * PhonebookEntry::kRecordSize) || m_file.write(record) != record.size() ||
        !m_file.flush()) {
        m_error = m_file.errorString();
        return false;
    }
    return true;
}

QList<PhonebookEntry> PhonebookFile::readAll() {
    QList<PhonebookEntry> entries;
    const int count = RecordCount();
    entries.reserve(count);
    for (int k = 1; k <= count; ++k) {
        std::optional<PhonebookEntry> e = ReadRecord(k);
        if (!e)
            break;
        entries.append(std::move(*e));
    }
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
