#pragma once

#include <QAbstractTableModel>
#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QTimer>
#include <QVariant>

#include <array>

namespace vornal {

// A phonebook list of the list windows: one row per subscriber, ten text columns in
// the order of the record's fields (ID, Number, Name, the six marks, Change Date). The
// headers and their widths are the window's own: the update window, the favourites
// window and the receivers window each give their ten. Optionally one column carries a
// tick box per row (Qt::CheckStateRole), the operator's choice in the favourites and
// receivers windows.
//
// Sorting is always ascending by the text of one column, letter case ignored, and keeps
// the order of equal texts (textLess); ticks travel with their rows. The phonebook is
// written in the list's order, so its records stand in this order of names.
//
// Rows added one by one, as during a download, are shown to views in batches at most
// every kBatchMs: a view that laid itself out again for every single row would slow the
// download to a crawl. rows() and row() always hold every row.
class PhonebookListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kColumnCount = 10;
    enum Column { ID = 0, Number, Name, Check, RsGr1, RsGr2, RsGr3, RsGr4, RsGr5, ChangeDate };
    using Row = std::array<QString, kColumnCount>;

    struct ColumnHeader {
        QString text;
        int widthTwips = 0;
    };
    using Headers = std::array<ColumnHeader, kColumnCount>;

    static constexpr int kBatchMs = 50;
    static constexpr int kNoTicks = -1;

    explicit PhonebookListModel(Headers headers, QObject* parent = nullptr);

    // The order of every sort: the texts compared with letter case ignored.
    static bool textLess(const QString& a, const QString& b);

    const Headers& headers() const { return m_headers; }
    // Empty and 0 for a column outside 0..9.
    QString headerText(int column) const;
    int columnWidthTwips(int column) const;

    // The column whose cells show the rows' tick boxes, or kNoTicks (the default).
    void setTickColumn(int column);
    int tickColumn() const { return m_tickColumn; }
    // What ticked rows give for Qt::BackgroundRole (the window's colour); unticked rows
    // give nothing. An invalid value (the default) colours no row.
    void setTickedBackground(const QVariant& background);
    // Whether the operator may tick and untick the rows in a view (the default); a list
    // that only shows the marks turns it off.
    void setTicksEditable(bool editable);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // Qt::CheckStateRole on the tick column ticks or unticks the row; nothing else is
    // editable.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    void clear();
    void appendRow(const Row& row, bool ticked = false);
    // Shows the rows added since the last batch now.
    void flush();
    // Replaces every row; ticks[i] ticks row i (missing ticks: unticked).
    void setRows(QList<Row> rows, const QList<bool>& ticks = {});
    const Row& row(int i) const { return m_rows.at(i); }
    const QList<Row>& rows() const { return m_rows; }
    // One cell's text, such as the mark a tick stands for.
    void setText(int row, int column, const QString& text);
    bool isTicked(int row) const;
    // Where the row stood when it was added: its index in the list given to setRows(), or
    // the number of rows before it for appendRow(). It travels with the row through every
    // sort, so a list read in file order knows each row's record.
    int origin(int row) const { return validRow(row) ? m_origins.at(row) : -1; }
    // Ticks or unticks a row; tickChanged when that changes it.
    void setTicked(int row, bool ticked);
    // Ascending by the column's text; a column outside 0..9 leaves the order alone.
    void sortByColumn(int column);
    // The order sortByColumn(column) puts these rows in: order[i] is the index of the
    // row that goes to place i. It reads nothing but the rows given, so a long list may
    // be sorted on another thread, on a copy of rows().
    static QList<int> sortOrder(const QList<Row>& rows, int column);
    // Puts the rows in an order from sortOrder() of rows() as they are now, as
    // sortByColumn() does; an order of another length leaves the list alone.
    void reorder(const QList<int>& order);
    // The rows in that order (copies: rows[order[i]] at place i), or nothing for an order
    // of another length. It reads nothing but what it is given, so the rows of a long
    // list may be put in order on another thread, from a copy of rows().
    static QList<Row> permuted(const QList<Row>& rows, const QList<int>& order);
    // reorder() with the rows already put in that order by permuted() from rows() as
    // they are now. Hands back the rows the list held, for the caller to let go where
    // it suits (those of a long list beside the window's events); a list of another
    // length than the order or the rows leaves the list alone and hands `sorted` back.
    QList<Row> reorder(const QList<int>& order, QList<Row> sorted);

signals:
    // A row's tick changed, by the operator's click or through setTicked().
    void tickChanged(int row, bool ticked);

private:
    bool validRow(int row) const { return row >= 0 && row < m_rows.size(); }
    // Views are told about a change of a row they have been shown.
    void rowChanged(int row, int firstColumn, int lastColumn, const QList<int>& roles);
    // The rows' ticks and origins follow the order, as do the views' persistent
    // indexes; m_rows is already in it. Between the layout signals.
    void followOrder(const QList<int>& order);

    Headers m_headers;
    int m_tickColumn = kNoTicks;
    QVariant m_tickedBackground;
    QList<Row> m_rows;
    QList<bool> m_ticks;  // one per row
    QList<int> m_origins; // one per row
    bool m_ticksEditable = true;
    int m_shown = 0; // rows that views have been told about
    QElapsedTimer m_sinceBatch;
    QTimer m_batchTimer;
};

} // namespace vornal
