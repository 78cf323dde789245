#include "phonebookwriter.h"

#include "files/textcodec.h"
#include "phonebookfile.h"

namespace vornal {

namespace {

QString padded(const QString& text, int width) {
    return text.left(width).leftJustified(width, QLatin1Char(' '));
}

} // namespace

PhonebookWriter::PhonebookWriter(ProgramFolder folder) : m_folder(std::move(folder)) {}

QString PhonebookWriter::phonebookPath() const {
    return m_folder.file(QString::fromLatin1(PhonebookFile::kFileName));
}
QString PhonebookWriter::csvPath() const {
    return m_folder.file(QString::fromLatin1(kCsvFileName));
}
QString PhonebookWriter::backupPath() const {
    return m_folder.file(QString::fromLatin1(kBackupFileName));
}

PhonebookEntry PhonebookWriter::entryFor(int k, const PhonebookListModel::Row& row) {
    const auto mark = [&row](int column) { return qint16(row[size_t(column)].trimmed().toInt()); };
    PhonebookEntry e;
    e.ID = qint16(k);
    e.Number = padded(row[PhonebookListModel::Number], PhonebookEntry::kNumberLength);
    e.Name = padded(row[PhonebookListModel::Name], PhonebookEntry::kNameLength);
    e.Check = mark(PhonebookListModel::Check);
    e.RsGr1 = mark(PhonebookListModel::RsGr1);
    e.RsGr2 = mark(PhonebookListModel::RsGr2);
    e.RsGr3 = mark(PhonebookListModel::RsGr3);
    e.RsGr4 = mark(PhonebookListModel::RsGr4);
    e.RsGr5 = mark(PhonebookListModel::RsGr5);
    e.ChangeDate = row[PhonebookListModel::ChangeDate];
    return e;
}

QByteArray PhonebookWriter::csvLine(int k, const QString& name, const QString& number) {
    return TextCodec::encode(QString::number(k) + QLatin1Char(',') +
                             padded(name, PhonebookEntry::kNameLength) + QLatin1Char(',') +
                             padded(number, PhonebookEntry::kNumberLength) + QStringLiteral("\r\n"));
}

FileResult PhonebookWriter::writePhonebook(const QList<PhonebookListModel::Row>& rows) const {
    QByteArray records;
    records.reserve(rows.size() * PhonebookEntry::kRecordSize);
    for (int i = 0; i < rows.size(); ++i)
        records += entryFor(i + 1, rows.at(i)).toRecord();
    return TextFile::writeBytes(phonebookPath(), records, m_folder.writer());
}

FileResult PhonebookWriter::writeCsv(const QList<PhonebookListModel::Row>& rows) const {
    QByteArray content;
    content.reserve(rows.size() * 64);
    for (int i = 0; i < rows.size(); ++i)
        content +=
            csvLine(i + 1, rows.at(i)[PhonebookListModel::Name], rows.at(i)[PhonebookListModel::Number]);
    return TextFile::writeBytes(csvPath(), content, m_folder.writer());
}

FileResult PhonebookWriter::copyBackup() const {
    // A byte copy: the backup is the phonebook as it was.
    QByteArray bytes;
    if (const FileResult read = TextFile::readBytes(phonebookPath(), &bytes); !read)
        return read;
    return TextFile::writeBytes(backupPath(), bytes, m_folder.writer());
}

} // namespace vornal
