#pragma once

#include "files/programfiles.h"
#include "phonebookentry.h"

#include <QFile>
#include <QList>
#include <QString>

#include <optional>

namespace vornal {

class ProgramFolder;

// Record access to the phonebook: fixed 124-byte records with no header, record k
// (from 1) at byte (k - 1) * 124. A rest shorter than a record at the end of the file
// is not a record. The file is open for one pass, from Open to Close; nothing is
// kept between passes.
class PhonebookFile {
public:
    static constexpr const char* kFileName = ProgramFiles::kPhonebook;

    // The phonebook of the program folder.
    explicit PhonebookFile(const ProgramFolder& folder);
    // Any file of the same format, such as a new phonebook written beside the old one.
    explicit PhonebookFile(QString path);
    ~PhonebookFile();
    PhonebookFile(const PhonebookFile&) = delete;
    PhonebookFile& operator=(const PhonebookFile&) = delete;

    // Opens for reading and writing; a missing file is created empty. A file that
    // exists but may not be written (a read-only file) is opened for reading only,
    // so its records can still be listed; WriteRecord then fails. False when the
    // file can be neither opened nor created: errorString() says why.
    bool Open();
    // Number of whole records; 0 when not open.
    int RecordCount() const;
    // Record k for 1 <= k <= RecordCount(): Number and Name exactly as stored, with
    // their padding, ChangeDate of the stored length. Nothing outside that range.
    std::optional<PhonebookEntry> ReadRecord(int k);
    // Overwrites record k in place (1 <= k <= RecordCount()); k = RecordCount() + 1
    // appends. False for any other k, a read-only file or a failed write.
    bool WriteRecord(int k, const PhonebookEntry& entry);
    // Overwrites the records from k on with these in one write, for 1 <= k <=
    // RecordCount() + 1; those past the last record are appended.
    bool writeRecords(int k, const QList<PhonebookEntry>& entries);
    // Every record in file order (one read of the open file); those before a failed read.
    QList<PhonebookEntry> readAll();
    void Close();

    bool isOpen() const { return m_file.isOpen(); }
    bool isWritable() const { return m_file.isWritable(); }
    const QString& path() const { return m_path; }
    QString errorString() const { return m_error; }
    // What the operator is told when Open failed: the file and the reason.
    QString openFailureText() const;

private:
    QString m_path;
    QFile m_file;
    QString m_error;
};

} // namespace vornal
