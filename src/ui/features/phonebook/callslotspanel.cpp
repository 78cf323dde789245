#include "features/phonebook/callslotspanel.h"

#include "theme/themerole.h"
#include "widgets/buttonkit.h"
#include "widgets/fieldlabel.h"

#include "favouriteslots.h"
#include "localnumbers.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vornal {

CallSlotsPanel::Layout CallSlotsPanel::favourites() {
    return {QStringLiteral("frameNumbers"),
            QStringLiteral("lblCallNumbers"),
            FavouriteSlots::designCaptions(),
            {{0, QStringLiteral("Favorite Vornal Numbers")}},
            {},
            QStringLiteral("lblExitNumbers"),
            QStringLiteral("Exit Favorites"),
            QStringLiteral("Close Favourites List")};
}

CallSlotsPanel::Layout CallSlotsPanel::localCalls() {
    return {QStringLiteral("frameLocalCalls"),
            QStringLiteral("lblLocalTelex"),
            LocalNumbers::designCaptions(),
            {{0, QStringLiteral("Local Teleprinters")}},
            {{LocalNumbers::kFirstSpecial, QStringLiteral("Special System Numbers")}},
            QStringLiteral("lblExitLocalTeleprinters"),
            QStringLiteral("Exit Local Numbers"),
            QStringLiteral("Close Local teleprinters List")};
}

CallSlotsPanel::CallSlotsPanel(const Layout& layout, QWidget* parent) : QFrame(parent) {
    setObjectName(layout.objectName);
    setThemeRole(this, ThemeRole::CallPanel);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 6);
    column->setSpacing(0);

    for (int i = 0; i < layout.designCaptions.size(); ++i) {
        if (layout.headings.contains(i))
            column->addWidget(makeCaptionLabel(layout.headings.value(i), ThemeRole::PanelHeading));
        if (layout.subheadings.contains(i))
            column->addWidget(makeCaptionLabel(layout.subheadings.value(i), ThemeRole::PanelSubheading));
        QPushButton* slot =
            makeButton(ButtonKind::Slot, QStringLiteral("%1_%2").arg(layout.slotPrefix).arg(i), QString(),
                       QString(), CaptionSource::Data);
        // A fixed description: the tip follows the caption, and what a screen reader
        // describes must not change while the program runs.
        slot->setAccessibleDescription(QStringLiteral("Dials this number"));
        setSlotCaption(slot, layout.designCaptions.at(i));
        connect(slot, &QPushButton::clicked, this, [this, i] { emit slotClicked(i); });
        column->addWidget(slot);
        m_slots.append(slot);
    }

    column->addSpacing(6);
    QPushButton* exit = makeButton(ButtonKind::Command, layout.exitName, layout.exitCaption, layout.exitTip);
    connect(exit, &QPushButton::clicked, this, &CallSlotsPanel::exitClicked);
    column->addWidget(exit);
    hide();
}

void CallSlotsPanel::setCaptions(const QStringList& captions) {
    for (int i = 0; i < m_slots.size() && i < captions.size(); ++i)
        setSlotCaption(m_slots.at(i), captions.at(i));
}

void CallSlotsPanel::setSlotCaption(QPushButton* slot, const QString& caption) {
    // The caption is the operator's data, shown and read out as it is stored; the tip
    // shows it whole where the panel's edge cuts it.
    setButtonCaption(slot, caption, CaptionSource::Data);
    slot->setToolTip(caption.simplified());
}

QString CallSlotsPanel::caption(int i) const {
    return buttonCaption(m_slots.at(i));
}

} // namespace vornal
