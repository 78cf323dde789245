#pragma once

#include <QFrame>
#include <QList>
#include <QStringList>

class QPushButton;

namespace vornal {

// "Favorite Vornal Numbers": the 25 call slots of the favourites, top to bottom, and
// the button that closes the panel. Hidden until the operator asks for it.
class FavouritesPanel : public QFrame {
    Q_OBJECT
public:
    explicit FavouritesPanel(QWidget* parent = nullptr);

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
