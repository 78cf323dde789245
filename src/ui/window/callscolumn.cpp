#include "window/callscolumn.h"

#include "window/programgroup.h"
#include "window/sendgroup.h"

#include "look/objectnames.h"
#include "widgets/buttonkit.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace vornal {

namespace {

// Inside the column's groups: the group's own padding is room enough.
constexpr QMargins kGroupMargins(2, 2, 2, 2);

} // namespace

CallsColumn::CallsColumn(SendGroup* send, ProgramGroup* program, QWidget* panelPlace, QWidget* parent)
    : QWidget(parent), m_panelPlace(panelPlace) {
    auto* right = new QVBoxLayout;
    right->setSpacing(4);
    right->setContentsMargins(0, 0, 4, 0);
    right->addWidget(send);
    auto* calls = new QGroupBox(QStringLiteral("Calls"));
    m_callsGroup = calls;
    calls->setObjectName(ObjectNames::kGroupCalls);
    auto* callsColumn = new QVBoxLayout(calls);
    callsColumn->setContentsMargins(kGroupMargins);
    callsColumn->setSpacing(2);
    // The services' caption and their two buttons on one row.
    auto* broadcast = new QGridLayout;
    broadcast->setSpacing(2);
    broadcast->addWidget(new QLabel(QStringLiteral("Rundsenden")), 0, 0);
    m_lblRSend1 = makeButton(ButtonKind::Command, ObjectNames::kLblRSend_1, QStringLiteral("0"),
                             QStringLiteral("11151 Rundsenden Server Call automatic dialing"));
    m_lblRsend2 = makeButton(ButtonKind::Command, ObjectNames::kLblRsend_2, QStringLiteral("0"),
                             QStringLiteral("11162 Rundsenden Server Call automatic dialing"));
    broadcast->addWidget(m_lblRSend1, 0, 1);
    broadcast->addWidget(m_lblRsend2, 0, 2);
    callsColumn->addLayout(broadcast);
    m_callButtons = new QGridLayout;
    m_callButtons->setSpacing(2);
    callsColumn->addLayout(m_callButtons);
    right->addWidget(calls);
    right->addStretch(1);
    auto* rightHost = new QWidget;
    rightHost->setLayout(right);
    auto* sidePanels = new QScrollArea;
    sidePanels->setObjectName(ObjectNames::kSidePanels);
    sidePanels->setWidget(rightHost);
    sidePanels->setWidgetResizable(true);
    sidePanels->setFrameShape(QFrame::NoFrame);
    sidePanels->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A click on the column (on a button in it) leaves the keyboard where it was.
    sidePanels->setFocusPolicy(Qt::NoFocus);
    m_sidePanels = sidePanels;
    // The Program group (EXIT among it) stays in view under the column, which scrolls
    // when the call lists need more room than a small screen has. The panel place
    // covers Send and Calls while a panel shows, so the terminal keeps its width.
    auto* sideColumn = new QVBoxLayout(this);
    sideColumn->setContentsMargins(0, 0, 0, 0);
    sideColumn->setSpacing(4);
    sideColumn->addWidget(sidePanels, 1);
    sideColumn->addWidget(panelPlace, 1);
    panelPlace->installEventFilter(this);
    sidePanels->setVisible(panelPlace->isHidden());
    program->setContentsMargins(0, 0, 4, 0);
    sideColumn->addWidget(program);
    setFixedWidth(238);
}

bool CallsColumn::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_panelPlace &&
        (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent))
        m_sidePanels->setVisible(m_panelPlace->isHidden());
    return QWidget::eventFilter(watched, event);
}

QPushButton* CallsColumn::addCallButton(const QString& name, const QString& caption, const QString& tip) {
    return appendCommandButton(m_callButtons, name, caption, tip);
}

QPushButton* CallsColumn::broadcastButton(int service) const {
    return service == 1 ? m_lblRSend1 : service == 2 ? m_lblRsend2 : nullptr;
}

void CallsColumn::showBroadcastNumbers(const QString& first, const QString& second) {
    // The numbers come from the operator's configuration.
    setButtonCaption(m_lblRSend1, first, CaptionSource::Data);
    setButtonCaption(m_lblRsend2, second, CaptionSource::Data);
}

} // namespace vornal
