#include "window/placementkeeper.h"

#include "look/windowplacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace vornal {

PlacementKeeper::PlacementKeeper(QWidget& window, SettingsStore& settings)
    : m_window(window), m_settings(settings) {}

void PlacementKeeper::place() {
    const QScreen* screen = m_window.screen();
    if (!screen)
        return;
    QList<QRect> areas;
    for (const QScreen* s : QGuiApplication::screens())
        areas.append(s->availableGeometry());
    // The frame is not known before the window is shown; this is a usual one.
    const QMargins frame(4, 30, 4, 4);
    if (const auto kept = WindowPlacement::load(m_settings);
        kept && WindowPlacement::fits(kept->geometry, frame, areas)) {
        m_window.setGeometry(kept->geometry);
        if (kept->maximized)
            m_window.setWindowState(m_window.windowState() | Qt::WindowMaximized);
        return;
    }
    m_centred = true;
    m_window.setGeometry(WindowPlacement::centred(m_window.size(), m_window.minimumSize(),
                                                  screen->availableGeometry(), frame));
}

void PlacementKeeper::shown() {
    const QScreen* screen = m_window.screen();
    if (!screen || m_window.isMaximized() || m_window.isFullScreen())
        return;
    const QRect g = m_window.geometry();
    const QRect f = m_window.frameGeometry();
    const QMargins frame(g.left() - f.left(), g.top() - f.top(), f.right() - g.right(),
                         f.bottom() - g.bottom());
    // Centred again with the real frame, or kept where it was as far as it fits.
    const QSize minimum = m_window.minimumSize();
    const QRect inside = m_centred
                             ? WindowPlacement::centred(g.size(), minimum, screen->availableGeometry(), frame)
                             : WindowPlacement::keptInside(g, minimum, screen->availableGeometry(), frame);
    if (inside != g)
        m_window.setGeometry(inside);
}

void PlacementKeeper::store() {
    WindowPlacement::save(m_settings, {m_window.normalGeometry(), m_window.isMaximized()});
}

} // namespace vornal
