#pragma once

#include <QList>
#include <QMargins>
#include <QRect>
#include <QSize>

#include <optional>

namespace vornal {

class SettingsStore;

// Where the main window goes on the screen: the first placement, centred in the
// available area and no larger than it, and the geometry kept in the settings store
// (section "Window") for the next start. Geometries are the window's inside; `frame`
// is what the window manager adds around it.
class WindowPlacement {
public:
    struct Stored {
        QRect geometry;
        bool maximized = false;
    };

    // The wanted size, shrunk to the available area (never below the minimum), with the
    // framed window centred in the area; a window that cannot fit starts at the area's
    // top left corner.
    static QRect centred(const QSize& wanted, const QSize& minimum, const QRect& available,
                         const QMargins& frame = {});
    // Whether the framed window lies entirely inside one of the areas.
    static bool fits(const QRect& geometry, const QMargins& frame, const QList<QRect>& areas);
    // The same window moved, and shrunk if need be (never below the minimum), so that
    // it lies inside the area; a window that fits stays where it is.
    static QRect keptInside(const QRect& geometry, const QSize& minimum, const QRect& available,
                            const QMargins& frame = {});

    // The geometry of the last run; nothing when none was kept or a value is no number.
    static std::optional<Stored> load(const SettingsStore& settings);
    static void save(SettingsStore& settings, const Stored& stored);
};

} // namespace vornal
