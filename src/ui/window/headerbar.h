#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace vornal {

// The band at the top of the main window: the title (the version, which shows the
// program's version when pressed, and the release line) over a column of controls
// that features add, and the clock area on the right.
class HeaderBar : public QWidget {
    Q_OBJECT
public:
    explicit HeaderBar(QWidget* parent = nullptr);

    void showTitle(const QString& version, const QString& release);
    QPushButton* versionButton() const { return m_lblVersion; }
    // A row of controls under the title.
    void addControls(QWidget* controls);
    // A widget with a horizontal box layout to add to.
    QWidget* clockArea() const { return m_frameClock; }

private:
    QPushButton* m_lblVersion = nullptr;
    QLabel* m_label15 = nullptr;
    QVBoxLayout* m_controls = nullptr;
    QWidget* m_frameClock = nullptr;
};

} // namespace vornal
