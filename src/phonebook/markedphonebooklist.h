#pragma once

#include "files/textfile.h"
#include "marktable.h"
#include "phonebookentry.h"
#include "phonebooklistmodel.h"

#include <QList>
#include <QObject>
#include <QString>

namespace vornal {

class PhonebookFile;

// The list of the favourites and the receivers window: the whole phonebook, one row
// per record with a tick box that stands for one mark of the record (Check or RsGr2),
// sorted by name. A tick change shows the new mark in the mark's columns of every row
// and enables saving; saving writes each row's tick into the mark of the record the row
// was read from, record by record in place, and sets every record's ID to its 0-based
// position.
//
// The rows remember their records, so the marks land on the right subscribers whatever
// the order of the file. A record that no longer holds the subscriber its row was read
// from (the file was replaced meanwhile) takes the tick of the row with its number and
// name, if there is one, and otherwise keeps its own mark.
class MarkedPhonebookList : public QObject {
    Q_OBJECT
public:
    using Mark = qint16 PhonebookEntry::*;

    // What failed, naming the file, and the records written.
    struct Saved : FileResult {
        QList<PhonebookEntry> records; // every record as it stands in the file afterwards
    };

    // markColumns: the columns that show the tick as 1 or 0 once a tick changed.
    MarkedPhonebookList(const PhonebookListModel::Headers& headers, Mark mark, QList<int> markColumns,
                        QObject* parent = nullptr);

    PhonebookListModel& list() { return m_list; }
    const PhonebookListModel& list() const { return m_list; }
    // The ticks by record position (0 for the first record), as the last tick change or
    // save left them.
    const MarkTable& marks() const { return m_marks; }
    bool saveEnabled() const { return m_saveEnabled; }

    // The columns of both windows: "ID", "Number", "Name", "Chk Fav", "RsGr1", "Chk Gr1",
    // "RsGr3", "RsGr4", "RsGr5", "Change Date", with their widths in twips.
    static PhonebookListModel::Headers windowHeaders();
    // The row of a record: ID, Number, Name, the six marks and ChangeDate as text.
    static PhonebookListModel::Row rowOf(const PhonebookEntry& entry);

    // Reads every record in file order into a row, ticked when its mark equals 1, and
    // sorts by name. Fails when the phonebook can be neither opened nor created: the
    // error is the operator's text naming it, the reason the system's; the list is empty
    // then.
    FileResult load(PhonebookFile& file);
    // After a tick change: every row shows its tick in the mark columns, the mark table
    // takes every tick, and saving is enabled. Nothing for an empty list.
    void recolour();
    // Sorts by name and writes the ticks into the phonebook. On a failure the records
    // before the failing one are written, and saving is enabled again.
    Saved save(PhonebookFile& file);
    // Saving is enabled by a tick change and disabled when a save starts.
    void setSaveEnabled(bool enabled);

signals:
    void saveEnabledChanged(bool enabled);

private:
    void rememberTicks();

    PhonebookListModel m_list;
    Mark m_mark;
    QList<int> m_markColumns;
    MarkTable m_marks;
    bool m_saveEnabled = false;
};

} // namespace vornal
