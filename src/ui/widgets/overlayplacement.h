#pragma once

#include <QObject>
#include <QRect>

class QWidget;

namespace vornal {

// Places a panel over the main window at a fixed place given in twips (the headline
// editor, the clipboard preview), above everything else. The panel grows downwards
// when its contents need more room and always stays inside the window, also when the
// window is made smaller while it shows.
class OverlayPlacement : public QObject {
    Q_OBJECT
public:
    // `panel` is a child of the main window, outside its layouts.
    OverlayPlacement(QWidget* panel, const QRect& twips);

    // Places, shows and raises the panel.
    void open();
    // Places it again (its contents changed size).
    void place();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_panel;
    QRect m_twips;
};

} // namespace vornal
