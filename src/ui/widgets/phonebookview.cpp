#include "widgets/phonebookview.h"

#include "theme/theme.h"

#include "phonebooklistmodel.h"

#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTreeView>

namespace vornal {

namespace {

// The phonebook's fields are padded with blanks to their length; a cell shows its text
// without them, so that a number fills its column and is not cut short for blanks.
class UnpaddedText final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        qsizetype end = option->text.size();
        while (end > 0 && option->text.at(end - 1) == QLatin1Char(' '))
            --end;
        option->text.truncate(end);
    }
};

} // namespace

QTreeView* makePhonebookView(const QString& objectName, QAbstractItemModel* shown,
                             const PhonebookListModel& list, int columns, std::function<void(int)> sortBy,
                             QWidget* window) {
    auto* view = new QTreeView;
    view->setObjectName(objectName);
    view->setRootIsDecorated(false);
    view->setItemsExpandable(false);
    view->setUniformRowHeights(true);
    view->setAllColumnsShowFocus(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSortingEnabled(false);
    view->setModel(shown);
    view->setItemDelegate(new UnpaddedText(view));
    view->setAccessibleName(QStringLiteral("Phonebook"));
    view->header()->setSectionsClickable(true);
    view->header()->setStretchLastSection(false);
    for (int c = 0; c < columns; ++c)
        view->setColumnWidth(c, Theme::twipsToPixels(list.columnWidthTwips(c), window));
    QObject::connect(view->header(), &QHeaderView::sectionClicked, view, std::move(sortBy));
    return view;
}

} // namespace vornal
