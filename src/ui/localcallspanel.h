#pragma once

#include <QFrame>
#include <QList>
#include <QStringList>

class QPushButton;

namespace vornal {

// The 18 local numbers as call slots: the local teleprinters, then the special system
// numbers, and the button that closes the panel. Hidden until the operator asks.
class LocalCallsPanel : public QFrame {
    Q_OBJECT
public:
    explicit LocalCallsPanel(QWidget* parent = nullptr);

    void setCaptions(const QStringList& captions);
    QString caption(int i) const;
    QPushButton* slot(int i) const { return m_slots.at(i); }

signals:
    void slotClicked(int i);
    void exitClicked();

private:
    QList<QPushButton*> m_slots;
};

} // namespace vornal
