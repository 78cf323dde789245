#include "favouritespanel.h"

#include "callslot.h"

#include "phonebook/favouriteslots.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vornal {

FavouritesPanel::FavouritesPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("frameNumbers"));
    setProperty("class", QStringLiteral("callPanel"));
    setStyleSheet(callPanelStyle());
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 6);
    column->setSpacing(0);
    auto* heading = new QLabel(QStringLiteral("Favorite Vornal Numbers"));
    heading->setProperty("class", QStringLiteral("panelHeading"));
    column->addWidget(heading);

    const QStringList captions = FavouriteSlots::designCaptions();
    for (int i = 0; i < FavouriteSlots::kSlotCount; ++i) {
        QPushButton* slot = makeCallSlot(QStringLiteral("lblCallNumbers_%1").arg(i), captions.at(i));
        connect(slot, &QPushButton::clicked, this, [this, i] { emit slotClicked(i); });
        column->addWidget(slot);
        m_slots.append(slot);
    }

    column->addSpacing(6);
    auto* exit = new QPushButton(QStringLiteral("Exit Favorites"));
    exit->setObjectName(QStringLiteral("lblExitNumbers"));
    exit->setToolTip(QStringLiteral("Close Favourites List"));
    exit->setCursor(Qt::PointingHandCursor);
    connect(exit, &QPushButton::clicked, this, &FavouritesPanel::exitClicked);
    column->addWidget(exit);
    hide();
}

void FavouritesPanel::setCaptions(const QStringList& captions) {
    for (int i = 0; i < m_slots.size() && i < captions.size(); ++i)
        setCallSlotCaption(m_slots.at(i), captions.at(i));
}

QString FavouritesPanel::caption(int i) const {
    return m_slots.at(i)->text();
}

} // namespace vornal
