#include "updatelistmodel.h"

#include <algorithm>
#include <numeric>

namespace vornal {

namespace {

struct ColumnInfo {
    const char* header;
    int widthTwips;
};

constexpr ColumnInfo kColumns[UpdateListModel::kColumnCount] = {
    {"ID", 600},    {"Number", 1000}, {"Name", 3100}, {"Check", 800}, {"RsGr1", 800},
    {"RsGr2", 800}, {"RsGr3", 800},   {"RsGr4", 800}, {"RsGr5", 800}, {"Change Date", 1200},
};

} // namespace

UpdateListModel::UpdateListModel(QObject* parent) : QAbstractTableModel(parent) {
    m_batchTimer.setSingleShot(true);
    m_batchTimer.setInterval(kBatchMs);
    connect(&m_batchTimer, &QTimer::timeout, this, &UpdateListModel::flush);
}

QString UpdateListModel::headerText(int column) {
    if (column < 0 || column >= kColumnCount)
        return QString();
    return QString::fromLatin1(kColumns[column].header);
}

int UpdateListModel::columnWidthTwips(int column) {
    if (column < 0 || column >= kColumnCount)
        return 0;
    return kColumns[column].widthTwips;
}

bool UpdateListModel::textLess(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

int UpdateListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_shown;
}

int UpdateListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant UpdateListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_shown ||
        index.column() >= kColumnCount)
        return QVariant();
    return m_rows.at(index.row())[size_t(index.column())];
}

QVariant UpdateListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    return headerText(section);
}

void UpdateListModel::clear() {
    m_batchTimer.stop();
    if (m_rows.isEmpty())
        return;
    beginResetModel();
    m_rows.clear();
    m_shown = 0;
    endResetModel();
}

void UpdateListModel::appendRow(const Row& row) {
    m_rows.append(row);
    if (!m_sinceBatch.isValid() || m_sinceBatch.elapsed() >= kBatchMs)
        flush();
    else if (!m_batchTimer.isActive())
        m_batchTimer.start();
}

void UpdateListModel::flush() {
    m_batchTimer.stop();
    m_sinceBatch.start();
    if (m_shown >= m_rows.size())
        return;
    beginInsertRows(QModelIndex(), m_shown, int(m_rows.size()) - 1);
    m_shown = int(m_rows.size());
    endInsertRows();
}

void UpdateListModel::setRows(QList<Row> rows) {
    m_batchTimer.stop();
    beginResetModel();
    m_rows = std::move(rows);
    m_shown = int(m_rows.size());
    endResetModel();
}

void UpdateListModel::sortByColumn(int column) {
    if (column < 0 || column >= kColumnCount)
        return;
    flush();
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const size_t c = size_t(column);
    QList<int> order(m_rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return textLess(m_rows.at(a)[c], m_rows.at(b)[c]); });
    QList<Row> sorted;
    sorted.reserve(m_rows.size());
    QList<int> newPlace(m_rows.size());
    for (int i = 0; i < order.size(); ++i) {
        sorted.append(std::move(m_rows[order.at(i)]));
        newPlace[order.at(i)] = i;
    }
    m_rows = std::move(sorted);
    // Selections and the current row of a view follow their rows.
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before)
        after.append(index.isValid() && index.row() < newPlace.size()
                         ? createIndex(newPlace.at(index.row()), index.column())
                         : QModelIndex());
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

} // namespace vornal
