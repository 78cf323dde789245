#include "window/headerbar.h"

#include "look/objectnames.h"
#include "widgets/buttonkit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vornal {

HeaderBar::HeaderBar(QWidget* parent) : QWidget(parent) {
    setObjectName(ObjectNames::kHeader);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(12, 6, 12, 6);
    row->setSpacing(16);
    // On the left the title over the features' controls, on the right the clock.
    auto* left = new QVBoxLayout;
    left->setSpacing(6);
    auto* title = new QHBoxLayout;
    m_lblVersion = makeButton(ButtonKind::Command, ObjectNames::kLblVersion, QString(),
                              QStringLiteral("Shows Software Version"));
    m_lblVersion->setFlat(true);
    title->addWidget(m_lblVersion);
    m_label15 = new QLabel;
    m_label15->setObjectName(ObjectNames::kLabel15);
    m_label15->setTextFormat(Qt::PlainText);
    title->addWidget(m_label15);
    title->addStretch(1);
    left->addLayout(title);
    left->addStretch(1);
    m_controls = new QVBoxLayout;
    m_controls->setSpacing(4);
    left->addLayout(m_controls);
    row->addLayout(left, 1);
    m_frameClock = new QWidget;
    m_frameClock->setObjectName(ObjectNames::kFrameClock);
    auto* clock = new QHBoxLayout(m_frameClock);
    clock->setContentsMargins(0, 0, 0, 0);
    clock->setSpacing(12);
    row->addWidget(m_frameClock);
}

void HeaderBar::showTitle(const QString& version, const QString& release) {
    // The title begins with the operator's name.
    setButtonCaption(m_lblVersion, version, CaptionSource::Data);
    m_label15->setText(release);
}

void HeaderBar::addControls(QWidget* controls) {
    m_controls->addWidget(controls);
}

} // namespace vornal
