#include "features/phonebook/callslotspanel.h"

#include "features/phonebook/callslot.h"

#include "favouriteslots.h"
#include "localnumbers.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vornal {

namespace {

QLabel* heading(const QString& text, const char* styleClass) {
    auto* label = new QLabel(text);
    label->setProperty("class", QString::fromLatin1(styleClass));
    return label;
}

} // namespace

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
    setProperty("class", QStringLiteral("callPanel"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 6);
    column->setSpacing(0);

    for (int i = 0; i < layout.designCaptions.size(); ++i) {
        if (layout.headings.contains(i))
            column->addWidget(heading(layout.headings.value(i), "panelHeading"));
        if (layout.subheadings.contains(i))
            column->addWidget(heading(layout.subheadings.value(i), "panelSubheading"));
        QPushButton* slot =
            makeCallSlot(QStringLiteral("%1_%2").arg(layout.slotPrefix).arg(i), layout.designCaptions.at(i));
        connect(slot, &QPushButton::clicked, this, [this, i] { emit slotClicked(i); });
        column->addWidget(slot);
        m_slots.append(slot);
    }

    column->addSpacing(6);
    auto* exit = new QPushButton(layout.exitCaption);
    exit->setObjectName(layout.exitName);
    exit->setToolTip(layout.exitTip);
    exit->setCursor(Qt::PointingHandCursor);
    exit->setFocusPolicy(Qt::TabFocus);
    connect(exit, &QPushButton::clicked, this, &CallSlotsPanel::exitClicked);
    column->addWidget(exit);
    hide();
}

void CallSlotsPanel::setCaptions(const QStringList& captions) {
    for (int i = 0; i < m_slots.size() && i < captions.size(); ++i)
        setCallSlotCaption(m_slots.at(i), captions.at(i));
}

QString CallSlotsPanel::caption(int i) const {
    return m_slots.at(i)->text();
}

} // namespace vornal
