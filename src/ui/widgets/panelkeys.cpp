#include "widgets/panelkeys.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QWidget>

#include <utility>

namespace vornal {

PanelKeys::PanelKeys(QWidget* panel, std::function<void()> leave, std::function<void()> mainAction)
    : QObject(panel), m_leave(std::move(leave)), m_mainAction(std::move(mainAction)) {
    panel->installEventFilter(this);
    for (QWidget* control : panel->findChildren<QWidget*>())
        control->installEventFilter(this);
}

bool holdsKeyboard(const QWidget* panel) {
    const QWidget* focus = panel->window()->focusWidget();
    return focus && (focus == panel || panel->isAncestorOf(focus));
}

bool PanelKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    switch (key->key()) {
    case Qt::Key_Escape:
        m_leave();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto* button = qobject_cast<QAbstractButton*>(watched)) {
            if (button->isEnabled())
                button->click();
            return true;
        }
        if (!m_mainAction)
            return false;
        m_mainAction();
        return true;
    default:
        return false;
    }
}

} // namespace vornal
