#include "window/taborder.h"

#include <QGridLayout>
#include <QLayout>
#include <QScrollArea>
#include <QSet>
#include <QWidget>

#include <algorithm>

namespace vornal {

namespace {

class Walk {
public:
    explicit Walk(const QList<QWidget*>& regions) : m_regions(regions.begin(), regions.end()) {}

    QList<QWidget*> chain;

    void region(QWidget* r) {
        m_current = r;
        widget(r);
    }

private:
    void widget(QWidget* w) {
        // Each region is taken in its own turn, also when another one holds it.
        if (m_seen.contains(w) || (w != m_current && m_regions.contains(w)))
            return;
        m_seen.insert(w);
        if ((w->focusPolicy() & Qt::TabFocus) && !w->focusProxy()) {
            // A control with parts of its own (a text box and its viewport) is one stop.
            chain.append(w);
            return;
        }
        if (QLayout* l = w->layout())
            layout(l);
        if (auto* area = qobject_cast<QScrollArea*>(w); area && area->widget())
            widget(area->widget());
        // What no layout holds: the panels placed over the window, placed fields.
        for (QObject* child : w->children()) {
            if (auto* c = qobject_cast<QWidget*>(child); c && !c->isWindow())
                widget(c);
        }
    }

    void layout(QLayout* l) {
        QList<QLayoutItem*> items;
        for (int i = 0; i < l->count(); ++i)
            items.append(l->itemAt(i));
        if (auto* grid = qobject_cast<QGridLayout*>(l)) {
            const auto cell = [grid](QLayoutItem* item) {
                int row = 0, column = 0, rows = 0, columns = 0;
                grid->getItemPosition(grid->indexOf(item), &row, &column, &rows, &columns);
                return std::pair(row, column);
            };
            std::stable_sort(items.begin(), items.end(),
                             [&cell](QLayoutItem* a, QLayoutItem* b) { return cell(a) < cell(b); });
        }
        for (QLayoutItem* item : items) {
            if (QWidget* w = item->widget())
                widget(w);
            else if (QLayout* inner = item->layout())
                layout(inner);
        }
    }

    QSet<QWidget*> m_regions;
    QSet<QWidget*> m_seen;
    QWidget* m_current = nullptr;
};

} // namespace

QList<QWidget*> TabOrder::readingOrder(const QList<QWidget*>& regions) {
    Walk walk(regions);
    for (QWidget* region : regions)
        walk.region(region);
    return walk.chain;
}

void TabOrder::apply(const QList<QWidget*>& chain) {
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain.at(i - 1), chain.at(i));
}

} // namespace vornal
