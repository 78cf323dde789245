#include "window/portgroup.h"

#include "widgets/buttonkit.h"
#include "widgets/fieldlabel.h"
#include "widgets/indicator.h"

#include "look/objectnames.h"
#include "serial/portcontroller.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace vornal {

PortGroup::PortGroup(const Theme& theme, QWidget* parent) : QGroupBox(QStringLiteral("Port"), parent) {
    setObjectName(ObjectNames::kGroupPort);
    auto* grid = new QGridLayout(this);
    grid->setVerticalSpacing(4);
    m_lblOpen1 = makeButton(ButtonKind::Command, ObjectNames::kLblOpen1, QStringLiteral("Open Port "),
                            QStringLiteral("Opens pre defined comm port"));
    connect(m_lblOpen1, &QPushButton::clicked, this, &PortGroup::toggleRequested);
    m_lblProps = makeButton(ButtonKind::Command, ObjectNames::kLblProps, QStringLiteral("Com Settings"),
                            QStringLiteral("Shows ComPort Settings Form"));
    connect(m_lblProps, &QPushButton::clicked, this, &PortGroup::propertiesRequested);
    grid->addWidget(m_lblOpen1, 0, 0, 1, 2);
    grid->addWidget(m_lblProps, 0, 2, 1, 2);

    m_imgPort1 = new Indicator(ObjectNames::kImgPort1, QStringLiteral("Port state"), theme);
    m_lblCport1 = makeDataLabel(ObjectNames::kLblCport1, QStringLiteral("Comm Port"));
    m_lblStatus1 = makeDataLabel(ObjectNames::kLblStatus1, QStringLiteral("Port Settings"));
    m_lblElapsed = makeDataLabel(ObjectNames::kLblElapsed, QStringLiteral("Elapsed time after connection"));
    grid->addWidget(m_imgPort1, 1, 0);
    grid->addWidget(m_lblCport1, 1, 1, 1, 3);
    grid->addWidget(makeCaptionLabel(QStringLiteral("Line")), 2, 0);
    grid->addWidget(m_lblStatus1, 2, 1, 1, 3);
    grid->addWidget(makeCaptionLabel(QStringLiteral("Time")), 3, 0);
    grid->addWidget(m_lblElapsed, 3, 1, 1, 3);
    grid->setColumnStretch(3, 1);
}

void PortGroup::showView(const PortView& view) {
    m_lblOpen1->setText(view.openCaption);
    m_lblCport1->setText(view.portCaption);
    m_lblStatus1->setText(view.statusCaption);
    m_lblElapsed->setText(view.elapsed);
    m_imgPort1->setPicture(view.picture);
    m_lblProps->setEnabled(view.propertiesEnabled);
}

void PortGroup::showIdle() {
    m_imgPort1->setPicture(PortView::Idle);
}

} // namespace vornal
