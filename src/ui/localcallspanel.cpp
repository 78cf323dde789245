#include "localcallspanel.h"

#include "callslot.h"

#include "phonebook/localnumbers.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vornal {

namespace {

QLabel* heading(const QString& text) {
    auto* label = new QLabel(text);
    label->setProperty("class", QStringLiteral("panelHeading"));
    return label;
}

QLabel* subheading(const QString& text) {
    auto* label = new QLabel(text);
    label->setProperty("class", QStringLiteral("panelSubheading"));
    return label;
}

} // namespace

LocalCallsPanel::LocalCallsPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("frameLocalCalls"));
    setProperty("class", QStringLiteral("callPanel"));
    setStyleSheet(callPanelStyle());
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 6);
    column->setSpacing(0);

    const QStringList captions = LocalNumbers::designCaptions();
    for (int i = 0; i < LocalNumbers::kCount; ++i) {
        if (i == 0)
            column->addWidget(heading(QStringLiteral("Local Teleprinters")));
        if (i == LocalNumbers::kFirstSpecial)
            column->addWidget(subheading(QStringLiteral("Special System Numbers")));
        QPushButton* slot = makeCallSlot(QStringLiteral("lblLocalTelex_%1").arg(i), captions.at(i));
        connect(slot, &QPushButton::clicked, this, [this, i] { emit slotClicked(i); });
        column->addWidget(slot);
        m_slots.append(slot);
    }

    column->addSpacing(6);
    auto* exit = new QPushButton(QStringLiteral("Exit Local Numbers"));
    exit->setObjectName(QStringLiteral("lblExitLocalTeleprinters"));
    exit->setToolTip(QStringLiteral("Close Local teleprinters List"));
    exit->setCursor(Qt::PointingHandCursor);
    connect(exit, &QPushButton::clicked, this, &LocalCallsPanel::exitClicked);
    column->addWidget(exit);
    hide();
}

void LocalCallsPanel::setCaptions(const QStringList& captions) {
    for (int i = 0; i < m_slots.size() && i < captions.size(); ++i)
        setCallSlotCaption(m_slots.at(i), captions.at(i));
}

QString LocalCallsPanel::caption(int i) const {
    return m_slots.at(i)->text();
}

} // namespace vornal
