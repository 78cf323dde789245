#include "window/callscolumn.h"

#include "window/programgroup.h"
#include "window/sendgroup.h"

#include "look/objectnames.h"
#include "widgets/buttonkit.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace vornal {

CallsColumn::CallsColumn(SendGroup* send, ProgramGroup* program, QWidget* parent) : QWidget(parent) {
    auto* right = new QVBoxLayout;
    right->setSpacing(4);
    right->setContentsMargins(0, 0, 4, 0);
    right->addWidget(send);
    auto* calls = new QGroupBox(QStringLiteral("Calls"));
    m_callsGroup = calls;
    calls->setObjectName(ObjectNames::kGroupCalls);
    auto* callsColumn = new QVBoxLayout(calls);
    auto* broadcast = new QGridLayout;
    broadcast->addWidget(new QLabel(QStringLiteral("Rundsenden")), 0, 0, 1, 2);
    m_lblRSend1 = makeButton(ButtonKind::Command, ObjectNames::kLblRSend_1, QStringLiteral("0"),
                             QStringLiteral("11151 Rundsenden Server Call automatic dialing"));
    m_lblRsend2 = makeButton(ButtonKind::Command, ObjectNames::kLblRsend_2, QStringLiteral("0"),
                             QStringLiteral("11162 Rundsenden Server Call automatic dialing"));
    broadcast->addWidget(m_lblRSend1, 1, 0);
    broadcast->addWidget(m_lblRsend2, 1, 1);
    callsColumn->addLayout(broadcast);
    m_callButtons = new QGridLayout;
    m_callButtons->setSpacing(4);
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
    // The Program group (EXIT among it) stays in view under the column, which scrolls
    // when the call lists need more room than a small screen has.
    auto* sideColumn = new QVBoxLayout(this);
    sideColumn->setContentsMargins(0, 0, 0, 0);
    sideColumn->setSpacing(4);
    sideColumn->addWidget(sidePanels, 1);
    program->setContentsMargins(0, 0, 4, 0);
    sideColumn->addWidget(program);
    setFixedWidth(262);
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
