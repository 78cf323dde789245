#include "phonebookmarks.h"

#include "phonebook/phonebookfile.h"

namespace vornal {

namespace {

// Blanks only, as the numbers are padded with blanks.
QString trimBlanks(const QString& text) {
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text.at(from) == QLatin1Char(' '))
        ++from;
    while (to > from && text.at(to - 1) == QLatin1Char(' '))
        --to;
    return text.mid(from, to - from);
}

QStringList nonEmpty(const QStringList& table) {
    QStringList marked;
    for (const QString& n : table)
        if (!n.isEmpty())
            marked.append(n);
    return marked;
}

} // namespace

void PhonebookMarks::clear() {
    m_favouriteTable.clear();
    m_broadcastTable.clear();
    m_favouriteSet.clear();
    m_broadcastSet.clear();
}

bool PhonebookMarks::LoadMarks(PhonebookFile& file) {
    clear();
    if (!file.Open())
        return false;
    const QList<PhonebookEntry> entries = file.ReadAll();
    file.Close();
    m_favouriteTable.reserve(entries.size());
    m_broadcastTable.reserve(entries.size());
    for (const PhonebookEntry& e : entries) {
        m_favouriteTable.append(e.Check == 1 ? e.Number : QString());
        m_broadcastTable.append(e.RsGr2 == 1 ? e.Number : QString());
        if (e.Check == 1)
            m_favouriteSet.insert(trimBlanks(e.Number));
        if (e.RsGr2 == 1)
            m_broadcastSet.insert(trimBlanks(e.Number));
    }
    return true;
}

QStringList PhonebookMarks::favourites() const {
    return nonEmpty(m_favouriteTable);
}

QStringList PhonebookMarks::broadcastReceivers() const {
    return nonEmpty(m_broadcastTable);
}

bool PhonebookMarks::isFavourite(const QString& number) const {
    return m_favouriteSet.contains(trimBlanks(number));
}

bool PhonebookMarks::isBroadcastReceiver(const QString& number) const {
    return m_broadcastSet.contains(trimBlanks(number));
}

} // namespace vornal
