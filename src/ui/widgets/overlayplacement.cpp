#include "widgets/overlayplacement.h"

#include "theme/theme.h"
#include "window/accessibility.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>

namespace vornal {

OverlayPlacement::OverlayPlacement(QWidget* panel, const QRect& twips)
    : QObject(panel), m_panel(panel), m_twips(twips) {
    // A panel of the main window, not a window of its own.
    markAsGroup(m_panel);
    m_panel->hide();
    if (QWidget* window = m_panel->parentWidget())
        window->installEventFilter(this);
}

void OverlayPlacement::open() {
    place();
    m_panel->show();
    m_panel->raise();
}

void OverlayPlacement::place() {
    const QWidget* window = m_panel->parentWidget();
    if (!window)
        return;
    const int x = Theme::twipsToPixels(m_twips.x(), m_panel);
    const int y = Theme::twipsToPixels(m_twips.y(), m_panel);
    const int width =
        std::max(Theme::twipsToPixels(m_twips.width(), m_panel), m_panel->minimumSizeHint().width());
    const int height =
        std::max(Theme::twipsToPixels(m_twips.height(), m_panel), m_panel->sizeHint().height());
    m_panel->setGeometry(x, y, std::max(1, std::min(width, window->width() - x)),
                         std::max(1, std::min(height, window->height() - y)));
}

bool OverlayPlacement::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && m_panel->isVisible() && watched == m_panel->parentWidget())
        place();
    return QObject::eventFilter(watched, event);
}

} // namespace vornal
