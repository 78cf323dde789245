#include "phonebooklistmodel.h"

#include <algorithm>
#include <numeric>

namespace vornal {

PhonebookListModel::PhonebookListModel(Headers headers, QObject* parent)
    : QAbstractTableModel(parent), m_headers(std::move(headers)) {
    m_batchTimer.setSingleShot(true);
    m_batchTimer.setInterval(kBatchMs);
    connect(&m_batchTimer, &QTimer::timeout, this, &PhonebookListModel::flush);
}

bool PhonebookListModel::textLess(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

QString PhonebookListModel::headerText(int column) const {
    if (column < 0 || column >= kColumnCount)
        return QString();
    return m_headers[size_t(column)].text;
}

int PhonebookListModel::columnWidthTwips(int column) const {
    if (column < 0 || column >= kColumnCount)
        return 0;
    return m_headers[size_t(column)].widthTwips;
}

void PhonebookListModel::setTickColumn(int column) {
    const int tickColumn = column >= 0 && column < kColumnCount ? column : kNoTicks;
    if (tickColumn == m_tickColumn)
        return;
    m_tickColumn = tickColumn;
    // Both the old and the new column change their flags and check states.
    if (m_shown > 0)
        emit dataChanged(index(0, 0), index(m_shown - 1, kColumnCount - 1), {Qt::CheckStateRole});
}

void PhonebookListModel::setTickedBackground(const QVariant& background) {
    m_tickedBackground = background;
    if (m_shown > 0)
        emit dataChanged(index(0, 0), index(m_shown - 1, kColumnCount - 1), {Qt::BackgroundRole});
}

void PhonebookListModel::setTicksEditable(bool editable) {
    m_ticksEditable = editable;
}

int PhonebookListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_shown;
}

int PhonebookListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant PhonebookListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_shown || index.column() >= kColumnCount)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return m_rows.at(index.row())[size_t(index.column())];
    case Qt::CheckStateRole:
        if (index.column() != m_tickColumn)
            return QVariant();
        return m_ticks.at(index.row()) ? Qt::Checked : Qt::Unchecked;
    case Qt::BackgroundRole:
        return m_ticks.at(index.row()) ? m_tickedBackground : QVariant();
    default:
        return QVariant();
    }
}

bool PhonebookListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || !m_ticksEditable || !index.isValid() || index.row() >= m_shown ||
        index.column() != m_tickColumn)
        return false;
    setTicked(index.row(), value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags PhonebookListModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (m_ticksEditable && index.isValid() && index.column() == m_tickColumn)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant PhonebookListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    return headerText(section);
}

void PhonebookListModel::clear() {
    m_batchTimer.stop();
    if (m_rows.isEmpty())
        return;
    beginResetModel();
    m_rows.clear();
    m_ticks.clear();
    m_origins.clear();
    m_shown = 0;
    endResetModel();
}

void PhonebookListModel::appendRow(const Row& row, bool ticked) {
    m_origins.append(int(m_rows.size()));
    m_rows.append(row);
    m_ticks.append(ticked);
    if (!m_sinceBatch.isValid() || m_sinceBatch.elapsed() >= kBatchMs)
        flush();
    else if (!m_batchTimer.isActive())
        m_batchTimer.start();
}

void PhonebookListModel::flush() {
    m_batchTimer.stop();
    m_sinceBatch.start();
    if (m_shown >= m_rows.size())
        return;
    beginInsertRows(QModelIndex(), m_shown, int(m_rows.size()) - 1);
    m_shown = int(m_rows.size());
    endInsertRows();
}

void PhonebookListModel::setRows(QList<Row> rows, const QList<bool>& ticks) {
    m_batchTimer.stop();
    beginResetModel();
    m_rows = std::move(rows);
    m_ticks = ticks.mid(0, m_rows.size());
    m_ticks.resize(m_rows.size(), false);
    m_origins.resize(m_rows.size());
    std::iota(m_origins.begin(), m_origins.end(), 0);
    m_shown = int(m_rows.size());
    endResetModel();
}

void PhonebookListModel::rowChanged(int row, int firstColumn, int lastColumn, const QList<int>& roles) {
    if (row < m_shown)
        emit dataChanged(index(row, firstColumn), index(row, lastColumn), roles);
}

void PhonebookListModel::setText(int row, int column, const QString& text) {
    if (!validRow(row) || column < 0 || column >= kColumnCount)
        return;
    QString& cell = m_rows[row][size_t(column)];
    if (cell == text)
        return;
    cell = text;
    rowChanged(row, column, column, {Qt::DisplayRole});
}

bool PhonebookListModel::isTicked(int row) const {
    return validRow(row) && m_ticks.at(row);
}

void PhonebookListModel::setTicked(int row, bool ticked) {
    if (!validRow(row) || m_ticks.at(row) == ticked)
        return;
    m_ticks[row] = ticked;
    rowChanged(row, 0, kColumnCount - 1, {Qt::CheckStateRole, Qt::BackgroundRole});
    emit tickChanged(row, ticked);
}

void PhonebookListModel::sortByColumn(int column) {
    if (column < 0 || column >= kColumnCount)
        return;
    flush();
    reorder(sortOrder(m_rows, column));
}

QList<int> PhonebookListModel::sortOrder(const QList<Row>& rows, int column) {
    QList<int> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    if (column < 0 || column >= kColumnCount)
        return order;
    const size_t c = size_t(column);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return textLess(rows.at(a)[c], rows.at(b)[c]); });
    return order;
}

void PhonebookListModel::reorder(const QList<int>& order) {
    if (order.size() != m_rows.size())
        return;
    flush();
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    QList<Row> sorted;
    sorted.reserve(m_rows.size());
    for (int from : order)
        sorted.append(std::move(m_rows[from]));
    m_rows = std::move(sorted);
    followOrder(order);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

QList<PhonebookListModel::Row> PhonebookListModel::permuted(const QList<Row>& rows, const QList<int>& order) {
    QList<Row> sorted;
    if (order.size() != rows.size())
        return sorted;
    sorted.reserve(rows.size());
    for (int from : order)
        sorted.append(rows.at(from));
    return sorted;
}

QList<PhonebookListModel::Row> PhonebookListModel::reorder(const QList<int>& order, QList<Row> sorted) {
    if (order.size() != m_rows.size() || sorted.size() != m_rows.size())
        return sorted;
    flush();
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    m_rows.swap(sorted);
    followOrder(order);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    return sorted;
}

void PhonebookListModel::followOrder(const QList<int>& order) {
    QList<bool> sortedTicks;
    sortedTicks.reserve(m_ticks.size());
    QList<int> sortedOrigins;
    sortedOrigins.reserve(m_origins.size());
    QList<int> newPlace(order.size());
    for (int i = 0; i < order.size(); ++i) {
        sortedTicks.append(m_ticks.at(order.at(i)));
        sortedOrigins.append(m_origins.at(order.at(i)));
        newPlace[order.at(i)] = i;
    }
    m_ticks = std::move(sortedTicks);
    m_origins = std::move(sortedOrigins);
    // Selections and the current row of a view follow their rows.
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before)
        after.append(index.isValid() && index.row() < newPlace.size()
                         ? createIndex(newPlace.at(index.row()), index.column())
                         : QModelIndex());
    changePersistentIndexList(before, after);
}

} // namespace vornal
