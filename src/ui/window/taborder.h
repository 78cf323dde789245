#pragma once

#include <QList>

class QWidget;

namespace vornal {

// The keyboard's way through a window: region after region, and inside each region
// in the order its layouts show the controls (a grid row by row, a box in its order),
// then what lies outside the layouts. Hidden controls keep their place, so that a
// panel shown later is reached where it appears. Computed from the layouts, not from
// a list of names, so that controls added later fall into place.
class TabOrder {
public:
    // Every control that takes the keyboard with Tab, each once; a region inside
    // another one is taken in its own turn, not in the other's.
    static QList<QWidget*> readingOrder(const QList<QWidget*>& regions);
    // Chains the controls in this order for Tab (and backwards for Shift+Tab).
    static void apply(const QList<QWidget*>& chain);
};

} // namespace vornal
