#pragma once

#include <QString>

#include <functional>

class QAbstractItemModel;
class QTreeView;
class QWidget;

namespace vornal {

class PhonebookListModel;

// The phonebook windows' list view: whole rows, no tree, read-only, named "Phonebook"
// for a screen reader, the first `columns` columns as wide as the list's design says
// (in twips, at the window's screen), and a click on a column's heading handed to
// `sortBy`. `shown` is what the view shows: the list itself or a proxy of it.
QTreeView* makePhonebookView(const QString& objectName, QAbstractItemModel* shown,
                             const PhonebookListModel& list, int columns, std::function<void(int)> sortBy,
                             QWidget* window);

} // namespace vornal
