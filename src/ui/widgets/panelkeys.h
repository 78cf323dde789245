#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace vornal {

// Escape and Return in a panel of the main window, before its controls see them:
// Escape leaves the panel as its Exit does; Return presses the focused button, and
// elsewhere (a text field) does the panel's main action, when it has one.
class PanelKeys : public QObject {
    Q_OBJECT
public:
    PanelKeys(QWidget* panel, std::function<void()> leave, std::function<void()> mainAction = {});

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_panel;
    std::function<void()> m_leave;
    std::function<void()> m_mainAction;
};

// Whether the keyboard is in `panel` (so that closing it hands the keyboard on).
bool holdsKeyboard(const QWidget* panel);

} // namespace vornal
