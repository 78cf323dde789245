#pragma once

#include <QGroupBox>

class QGridLayout;
class QPushButton;

namespace vornal {

// The Program group: "Edit Config", "EXIT" and the buttons features add after them.
class ProgramGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit ProgramGroup(QWidget* parent = nullptr);

    QPushButton* addButton(const QString& name, const QString& caption, const QString& tip);

signals:
    void editConfigurationRequested();
    void exitRequested();

private:
    QGridLayout* m_buttons = nullptr;
};

} // namespace vornal
