#include "phonebookwriter.h"

#include "core/textcodec.h"
#include "core/textfile.h"
#include "phonebook/phonebookfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace vornal {

namespace {

QString failure(const QString& path, const QString& reason) {
    return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), reason);
}

QString padded(const QString& text, int width) {
    return text.left(width).leftJustified(width, QLatin1Char(' '));
}

// The file's data on the disk before it is renamed into place, so that after a
// crash the name leads to a whole file.
bool syncFile(const QString& path, QString* error) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || ::fsync(f.handle()) != 0) {
        *error = failure(path, f.isOpen() ? QString::fromLocal8Bit(std::strerror(errno)) : f.errorString());
        return false;
    }
    return true;
}

void syncFolder(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool saveWhole(const QString& path, const QByteArray& bytes, QString* error) {
    const FileResult written = TextFile::writeBytes(path, bytes);
    if (!written)
        *error = written.error;
    return written.ok();
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

bool PhonebookWriter::writePhonebook(const QList<PhonebookListModel::Row>& rows, QString* error) const {
    const QString target = phonebookPath();
    const QString temporary = target + QString::fromLatin1(kTemporarySuffix);
    // A leftover of an interrupted write.
    if (QFileInfo(temporary).isFile() || QFileInfo(temporary).isSymLink())
        QFile::remove(temporary);

    PhonebookFile file(temporary);
    if (!file.Open()) {
        *error = failure(temporary, file.errorString());
        return false;
    }
    const auto abandon = [&](const QString& reason) {
        file.Close();
        QFile::remove(temporary);
        *error = failure(temporary, reason);
        return false;
    };
    if (!file.isWritable() || file.RecordCount() != 0)
        return abandon(QStringLiteral("the temporary file could not be made empty"));
    for (int i = 0; i < rows.size(); ++i) {
        if (!file.WriteRecord(i + 1, entryFor(i + 1, rows.at(i))))
            return abandon(file.errorString());
    }
    file.Close();

    if (!syncFile(temporary, error)) {
        QFile::remove(temporary);
        return false;
    }
    if (QFileInfo::exists(target))
        QFile::setPermissions(temporary, QFile::permissions(target));
    if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target).constData()) != 0) {
        *error = failure(target, QString::fromLocal8Bit(std::strerror(errno)));
        QFile::remove(temporary);
        return false;
    }
    syncFolder(QFileInfo(target).absolutePath());
    return true;
}

bool PhonebookWriter::writeCsv(const QList<PhonebookListModel::Row>& rows, QString* error) const {
    QByteArray content;
    content.reserve(rows.size() * 64);
    for (int i = 0; i < rows.size(); ++i)
        content +=
            csvLine(i + 1, rows.at(i)[PhonebookListModel::Name], rows.at(i)[PhonebookListModel::Number]);
    return saveWhole(csvPath(), content, error);
}

bool PhonebookWriter::copyBackup(QString* error) const {
    // A byte copy: the backup is the phonebook as it was.
    QByteArray bytes;
    if (const FileResult read = TextFile::readBytes(phonebookPath(), &bytes); !read) {
        *error = read.error;
        return false;
    }
    return saveWhole(backupPath(), bytes, error);
}

} // namespace vornal
