#include "widgets/panelkeys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <utility>

namespace vornal {

PanelKeys::PanelKeys(QWidget* panel, std::function<void()> leave, std::function<void()> mainAction)
    : QObject(panel), m_panel(panel), m_leave(std::move(leave)), m_mainAction(std::move(mainAction)) {
    // The keys are watched where they enter the program, so that every control of the
    // panel, one added later included, is covered without a list of them.
    qApp->installEventFilter(this);
}

bool holdsKeyboard(const QWidget* panel) {
    const QWidget* focus = panel->window()->focusWidget();
    return focus && (focus == panel || panel->isAncestorOf(focus));
}

bool PanelKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* widget = qobject_cast<const QWidget*>(watched);
    if (!widget || (widget != m_panel && !m_panel->isAncestorOf(widget)))
        return false;
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
