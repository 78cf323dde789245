#include "features/phonebook/callslotspanel.h"

#include "theme/themerole.h"
#include "widgets/buttonkit.h"
#include "widgets/fieldlabel.h"
#include "widgets/panelkeys.h"

#include "favouriteslots.h"
#include "localnumbers.h"
#include "look/objectnames.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vornal {

CallSlotsPanel::Layout CallSlotsPanel::favourites() {
    return {ObjectNames::kFrameNumbers,
            ObjectNames::kLblCallNumbers,
            FavouriteSlots::designCaptions(),
            {{0, QStringLiteral("Favorite Vornal Numbers")}},
            {},
            ObjectNames::kLblExitNumbers,
            QStringLiteral("Exit Favorites"),
            QStringLiteral("Close Favourites List")};
}

CallSlotsPanel::Layout CallSlotsPanel::localCalls() {
    return {ObjectNames::kFrameLocalCalls,
            ObjectNames::kLblLocalTelex,
            LocalNumbers::designCaptions(),
            {{0, QStringLiteral("Local Teleprinters")}},
            {{LocalNumbers::kFirstSpecial, QStringLiteral("Special System Numbers")}},
            ObjectNames::kLblExitLocalTeleprinters,
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
        // Only one slot at a time is a Tab stop.
        if (i != m_tabStop)
            slot->setFocusPolicy(Qt::NoFocus);
        slot->installEventFilter(this);
        column->addWidget(slot);
        m_slots.append(slot);
    }

    column->addSpacing(6);
    QPushButton* exit = makeButton(ButtonKind::Command, layout.exitName, layout.exitCaption, layout.exitTip);
    connect(exit, &QPushButton::clicked, this, &CallSlotsPanel::exitClicked);
    column->addWidget(exit);
    new PanelKeys(this, [this] { emit exitClicked(); });
    hide();
}

bool CallSlotsPanel::eventFilter(QObject* watched, QEvent* event) {
    const qsizetype at = m_slots.indexOf(qobject_cast<QPushButton*>(watched));
    if (event->type() != QEvent::KeyPress || at < 0)
        return QFrame::eventFilter(watched, event);
    const int last = int(m_slots.size()) - 1;
    int to = int(at);
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
        to = at > 0 ? int(at) - 1 : last;
        break;
    case Qt::Key_Down:
    case Qt::Key_Right:
        to = at < last ? int(at) + 1 : 0;
        break;
    case Qt::Key_Home:
        to = 0;
        break;
    case Qt::Key_End:
        to = last;
        break;
    default:
        return QFrame::eventFilter(watched, event);
    }
    moveTabStop(to);
    return true;
}

void CallSlotsPanel::moveTabStop(int i) {
    QPushButton* from = m_slots.at(m_tabStop);
    QPushButton* to = m_slots.at(i);
    if (from != to) {
        // The new stop takes the old one's place in the window's order.
        to->setFocusPolicy(Qt::TabFocus);
        QWidget::setTabOrder(from, to);
        from->setFocusPolicy(Qt::NoFocus);
        m_tabStop = i;
    }
    to->setFocus(Qt::TabFocusReason);
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
