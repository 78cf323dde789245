#include "widgets/phonebookview.h"

#include "theme/theme.h"

#include "phonebooklistmodel.h"

#include <QHeaderView>
#include <QTreeView>

namespace vornal {

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
    view->setAccessibleName(QStringLiteral("Phonebook"));
    view->header()->setSectionsClickable(true);
    view->header()->setStretchLastSection(false);
    for (int c = 0; c < columns; ++c)
        view->setColumnWidth(c, Theme::twipsToPixels(list.columnWidthTwips(c), window));
    QObject::connect(view->header(), &QHeaderView::sectionClicked, view, std::move(sortBy));
    return view;
}

} // namespace vornal
