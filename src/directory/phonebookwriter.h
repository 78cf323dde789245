#pragma once

#include "files/programfiles.h"
#include "files/programfolder.h"
#include "files/textfile.h"
#include "phonebookentry.h"
#include "phonebooklistmodel.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace vornal {

// The writer of the directory update: the new phonebook from the update list, its
// CSV export and the backup copy. Every file is written whole with TextFile, which
// replaces the old file only when the new one is complete, so a crash or a full disk
// leaves either the old file or the new one. The new phonebook holds exactly the rows
// of the list, in the list's order.
class PhonebookWriter {
public:
    static constexpr const char* kCsvFileName = ProgramFiles::kPhonebookCsv;
    static constexpr const char* kBackupFileName = ProgramFiles::kPhonebookBackup;

    explicit PhonebookWriter(ProgramFolder folder);

    // Record k of the new phonebook from a row: ID k, Number and Name from columns 1
    // and 2, the marks from the numbers in columns 3 to 8, ChangeDate from column 9.
    static PhonebookEntry entryFor(int k, const PhonebookListModel::Row& row);
    // One line of the export: k, the name padded to 40, the number padded to 12,
    // separated by commas, ended by CR LF; no quoting.
    static QByteArray csvLine(int k, const QString& name, const QString& number);

    // Each names the file and the reason when it fails; the file it would have
    // replaced is then as it was.
    FileResult writePhonebook(const QList<PhonebookListModel::Row>& rows) const;
    FileResult writeCsv(const QList<PhonebookListModel::Row>& rows) const;
    // Copies the phonebook, byte for byte, over the backup.
    FileResult copyBackup() const;

    QString phonebookPath() const;
    QString csvPath() const;
    QString backupPath() const;

private:
    ProgramFolder m_folder;
};

} // namespace vornal
