#include "markedphonebooklist.h"

#include "phonebookfile.h"

#include <QHash>

namespace vornal {

namespace {

QString identity(const QString& number, const QString& name) {
    return number + QLatin1Char('\n') + name;
}

} // namespace

MarkedPhonebookList::MarkedPhonebookList(const PhonebookListModel::Headers& headers, Mark mark,
                                         QList<int> markColumns, QObject* parent)
    : QObject(parent), m_list(headers), m_mark(mark), m_markColumns(std::move(markColumns)) {
    m_list.setTickColumn(PhonebookListModel::ID);
    connect(&m_list, &PhonebookListModel::tickChanged, this, &MarkedPhonebookList::recolour);
}

PhonebookListModel::Headers MarkedPhonebookList::windowHeaders() {
    return {{{QStringLiteral("ID"), 600},
             {QStringLiteral("Number"), 1000},
             {QStringLiteral("Name"), 3100},
             {QStringLiteral("Chk Fav"), 800},
             {QStringLiteral("RsGr1"), 800},
             {QStringLiteral("Chk Gr1"), 800},
             {QStringLiteral("RsGr3"), 800},
             {QStringLiteral("RsGr4"), 800},
             {QStringLiteral("RsGr5"), 800},
             {QStringLiteral("Change Date"), 1200}}};
}

PhonebookListModel::Row MarkedPhonebookList::rowOf(const PhonebookEntry& e) {
    return {QString::number(e.ID),
            e.Number,
            e.Name,
            QString::number(e.Check),
            QString::number(e.RsGr1),
            QString::number(e.RsGr2),
            QString::number(e.RsGr3),
            QString::number(e.RsGr4),
            QString::number(e.RsGr5),
            e.ChangeDate};
}

void MarkedPhonebookList::setSaveEnabled(bool enabled) {
    if (enabled == m_saveEnabled)
        return;
    m_saveEnabled = enabled;
    emit saveEnabledChanged(enabled);
}

void MarkedPhonebookList::rememberTicks() {
    for (int i = 0; i < m_list.rows().size(); ++i)
        m_marks.setMarked(m_list.origin(i), m_list.isTicked(i), m_list.row(i)[PhonebookListModel::Number]);
}

FileResult MarkedPhonebookList::load(PhonebookFile& file) {
    m_list.clear();
    m_marks.clear();
    if (!file.Open())
        return {file.openFailureText(), file.errorString()};
    const QList<PhonebookEntry> entries = file.readAll();
    file.Close();
    QList<PhonebookListModel::Row> rows;
    QList<bool> ticks;
    rows.reserve(entries.size());
    ticks.reserve(entries.size());
    for (const PhonebookEntry& e : entries) {
        rows.append(rowOf(e));
        ticks.append(e.*m_mark == 1);
    }
    m_list.setRows(std::move(rows), ticks);
    m_list.sortByColumn(PhonebookListModel::Name);
    rememberTicks();
    return {};
}

void MarkedPhonebookList::recolour() {
    if (m_list.rows().isEmpty())
        return;
    setSaveEnabled(true);
    const QString one = QStringLiteral("1");
    const QString zero = QStringLiteral("0");
    for (int i = 0; i < m_list.rows().size(); ++i) {
        const bool ticked = m_list.isTicked(i);
        for (int column : std::as_const(m_markColumns))
            m_list.setText(i, column, ticked ? one : zero);
    }
    rememberTicks();
}

MarkedPhonebookList::Saved MarkedPhonebookList::save(PhonebookFile& file) {
    Saved saved;
    setSaveEnabled(false);
    m_list.sortByColumn(PhonebookListModel::Name);
    m_marks.clear();
    rememberTicks();

    if (!file.Open()) {
        saved.error = file.openFailureText();
        saved.reason = file.errorString();
        setSaveEnabled(true);
        return saved;
    }
    const int count = file.RecordCount();
    const QList<PhonebookListModel::Row>& rows = m_list.rows();
    QList<int> rowOfRecord(count, -1);
    for (int i = 0; i < rows.size(); ++i) {
        const int origin = m_list.origin(i);
        if (origin >= 0 && origin < count)
            rowOfRecord[origin] = i;
    }
    QList<bool> used(rows.size(), false);
    QHash<QString, QList<int>> rowsByIdentity; // built at the first record that moved

    // Every record is read at once and the changed ones are written in runs of
    // neighbours, one write each: a write and a flush per record would take the window
    // a quarter of a second for 10 000 of them.
    const QList<PhonebookEntry> stored = file.readAll();
    saved.records.reserve(stored.size());
    int runFrom = 0; // the first record of the run of changed records not yet written, or 0
    const auto writeRun = [&](int end) {
        if (runFrom == 0)
            return true;
        const QList<PhonebookEntry> run = saved.records.mid(runFrom - 1, end - runFrom);
        if (file.writeRecords(runFrom, run)) {
            runFrom = 0;
            return true;
        }
        saved.reason = file.errorString();
        saved.error = QStringLiteral("%1: record %2 could not be written: %3")
                          .arg(file.path())
                          .arg(runFrom)
                          .arg(saved.reason);
        saved.records.resize(runFrom - 1);
        return false;
    };
    for (int k = 1; k <= stored.size(); ++k) {
        const PhonebookEntry& read = stored.at(k - 1);
        PhonebookEntry e = read;
        int row = rowOfRecord.at(k - 1);
        if (row >= 0 && (rows.at(row)[PhonebookListModel::Number] != e.Number ||
                         rows.at(row)[PhonebookListModel::Name] != e.Name))
            row = -1;
        if (row < 0) {
            if (rowsByIdentity.isEmpty()) {
                for (int i = 0; i < rows.size(); ++i)
                    rowsByIdentity[identity(rows.at(i)[PhonebookListModel::Number],
                                            rows.at(i)[PhonebookListModel::Name])]
                        .append(i);
            }
            for (int candidate : rowsByIdentity.value(identity(e.Number, e.Name))) {
                if (!used.at(candidate)) {
                    row = candidate;
                    break;
                }
            }
        }
        qint16 mark = e.*m_mark == 1 ? 1 : 0;
        if (row >= 0 && !used.at(row)) {
            used[row] = true;
            mark = m_list.isTicked(row) ? 1 : 0;
        }
        e.ID = qint16(k - 1);
        e.*m_mark = mark;
        const bool changed = !(e == read);
        if (!changed && !writeRun(k))
            break;
        if (changed && runFrom == 0)
            runFrom = k;
        saved.records.append(e);
    }
    if (saved && writeRun(int(saved.records.size()) + 1) && stored.size() < count) {
        saved.reason = file.errorString();
        saved.error = QStringLiteral("%1: record %2 could not be read: %3")
                          .arg(file.path())
                          .arg(stored.size() + 1)
                          .arg(saved.reason);
    }
    file.Close();
    if (!saved)
        setSaveEnabled(true);
    return saved;
}

} // namespace vornal
