#pragma once

#include "phonebookentry.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace vornal {

// One mark of the phonebook by position: entry p belongs to record p + 1 (or to row
// p + 1 of a list sorted like the phonebook). An entry is marked or not, and a marked
// one may carry its record's Number as stored. The table grows as far as it is filled;
// it has no limit on the number of records.
//
// The directory update keeps two, the favourites (Check) and the receivers (RsGr2) of
// the old phonebook, and carries them over to the new one by number; the favourites
// and receivers windows keep one for the ticks of their rows.
class MarkTable {
public:
    // Position p marked, with the record's Number, when the mark of record p + 1 equals
    // exactly 1 (the list windows' reading of a mark).
    static MarkTable fromEntries(const QList<PhonebookEntry>& entries, qint16 PhonebookEntry::*mark);

    void clear();
    int size() const { return int(m_entries.size()); }
    // Grows the table as far as needed; positions passed over stay unmarked. An
    // unmarked position keeps no number.
    void setMarked(int position, bool marked, const QString& number = QString());
    // False outside the table.
    bool isMarked(int position) const;
    // What a writer stores for the position: 1 marked, 0 not (also outside the table).
    qint16 mark(int position) const { return isMarked(position) ? 1 : 0; }
    // The number of a marked position as stored; empty otherwise.
    QString number(int position) const;
    // The numbers of the marked positions, in the order of the positions.
    QStringList numbers() const;
    // Whether a marked position holds this number, blanks trimmed on both sides of both.
    bool containsNumber(const QString& number) const;

private:
    struct Entry {
        bool marked = false;
        QString number;
    };

    void count(const Entry& entry, int step);

    QList<Entry> m_entries;
    // Marked positions by trimmed number, for the look-up by number.
    QHash<QString, int> m_byNumber;
};

} // namespace vornal
