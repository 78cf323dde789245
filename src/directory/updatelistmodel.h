#pragma once

#include <QAbstractTableModel>
#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QTimer>

#include <array>

namespace vornal {

// The update list: one row per downloaded subscriber, ten text columns (ID, Number,
// Name, the six marks, Change Date). Sorting is always ascending by the text of one
// column, letter case ignored, and keeps the order of equal texts; the phonebook is
// written in the list's order, so its records stand in this order of names.
//
// Rows added one by one, as during a download, are shown to views in batches at most
// every 50 ms: a view that laid itself out again for every single row would slow the
// download to a crawl. rows() and row() always hold every row.
class UpdateListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kColumnCount = 10;
    enum Column { ID = 0, Number, Name, Check, RsGr1, RsGr2, RsGr3, RsGr4, RsGr5, ChangeDate };
    using Row = std::array<QString, kColumnCount>;

    explicit UpdateListModel(QObject* parent = nullptr);

    static QString headerText(int column);
    static int columnWidthTwips(int column);
    // The order of the sort: case-insensitive text comparison.
    static bool textLess(const QString& a, const QString& b);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    static constexpr int kBatchMs = 50;

    void clear();
    void appendRow(const Row& row);
    // Shows the rows added since the last batch now.
    void flush();
    void setRows(QList<Row> rows);
    const Row& row(int i) const { return m_rows.at(i); }
    const QList<Row>& rows() const { return m_rows; }
    // Ascending by the column's text; a column outside 0..9 leaves the order alone.
    void sortByColumn(int column);

private:
    QList<Row> m_rows;
    int m_shown = 0; // rows that views have been told about
    QElapsedTimer m_sinceBatch;
    QTimer m_batchTimer;
};

} // namespace vornal
