#include "marktable.h"

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

} // namespace

MarkTable MarkTable::fromEntries(const QList<PhonebookEntry>& entries, qint16 PhonebookEntry::*mark) {
    MarkTable table;
    table.m_entries.reserve(entries.size());
    for (int p = 0; p < entries.size(); ++p) {
        const PhonebookEntry& e = entries.at(p);
        table.setMarked(p, e.*mark == 1, e.Number);
    }
    return table;
}

void MarkTable::clear() {
    m_entries.clear();
    m_byNumber.clear();
}

void MarkTable::count(const Entry& entry, int step) {
    if (!entry.marked)
        return;
    const QString key = trimBlanks(entry.number);
    const int n = m_byNumber.value(key) + step;
    if (n > 0)
        m_byNumber.insert(key, n);
    else
        m_byNumber.remove(key);
}

void MarkTable::setMarked(int position, bool marked, const QString& number) {
    if (position < 0)
        return;
    // The list windows set every position on each tick: most stay as they are.
    if (position < m_entries.size() && m_entries.at(position).marked == marked &&
        (!marked || m_entries.at(position).number == number))
        return;
    if (position >= m_entries.size())
        m_entries.resize(position + 1);
    Entry& entry = m_entries[position];
    count(entry, -1);
    entry.marked = marked;
    entry.number = marked ? number : QString();
    count(entry, +1);
}

bool MarkTable::isMarked(int position) const {
    return position >= 0 && position < m_entries.size() && m_entries.at(position).marked;
}

QString MarkTable::number(int position) const {
    return isMarked(position) ? m_entries.at(position).number : QString();
}

QStringList MarkTable::numbers() const {
    QStringList marked;
    for (const Entry& e : m_entries)
        if (e.marked)
            marked.append(e.number);
    return marked;
}

bool MarkTable::containsNumber(const QString& number) const {
    return m_byNumber.contains(trimBlanks(number));
}

} // namespace vornal
