#pragma once

#include <QGroupBox>

class QLabel;
class QPushButton;

namespace vornal {

class Indicator;
class Theme;
struct PortView;

// The Port group: "Open Port " / "Close Port", "Com Settings", the port's lamp, its
// number, its line settings and the time since it opened, painted from a PortView.
class PortGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit PortGroup(const Theme& theme, QWidget* parent = nullptr);

    void showView(const PortView& view);
    void showIdle();

signals:
    void toggleRequested();
    void propertiesRequested();

private:
    QPushButton* m_lblOpen1 = nullptr;
    QPushButton* m_lblProps = nullptr;
    Indicator* m_imgPort1 = nullptr;
    QLabel* m_lblCport1 = nullptr;
    QLabel* m_lblStatus1 = nullptr;
    QLabel* m_lblElapsed = nullptr;
};

} // namespace vornal
