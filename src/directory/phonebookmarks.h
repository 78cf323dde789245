#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

namespace vornal {

class PhonebookFile;

// The favourite and broadcast marks of the phonebook before an update: for every
// record, in file order, its Number when its Check (favourites) or RsGr2 (broadcast)
// is exactly 1, else an empty entry. As many entries as the phonebook has records.
class PhonebookMarks {
public:
    // Empties both tables, then reads every record of the file, which is opened (a
    // missing file is created empty) and closed again. False when the file could not
    // be opened; the tables are then empty.
    bool LoadMarks(PhonebookFile& file);
    void clear();

    // Entry p belongs to record p + 1: the Number as stored, or empty.
    const QStringList& favouriteTable() const { return m_favouriteTable; }
    const QStringList& broadcastTable() const { return m_broadcastTable; }
    // The marked numbers as stored, in phonebook order (the two mark lists).
    QStringList favourites() const;
    QStringList broadcastReceivers() const;

    // Whether a number, blanks trimmed on both sides, equals a marked number, trimmed
    // the same way.
    bool isFavourite(const QString& number) const;
    bool isBroadcastReceiver(const QString& number) const;

private:
    QStringList m_favouriteTable;
    QStringList m_broadcastTable;
    QSet<QString> m_favouriteSet;
    QSet<QString> m_broadcastSet;
};

} // namespace vornal
