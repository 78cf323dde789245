#include "window/statusbar.h"

#include "widgets/indicator.h"

#include "look/objectnames.h"
#include "serial/portcontroller.h"
#include "serial/seriallink.h"

#include <QHBoxLayout>
#include <QLabel>

namespace vornal {

StatusBar::StatusBar(const Theme& theme, QWidget* parent) : QWidget(parent) {
    setObjectName(ObjectNames::kStatusArea);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(10, 4, 10, 4);
    m_lblAction = new QLabel(QStringLiteral("Program Parameters Loaded"));
    m_lblAction->setObjectName(ObjectNames::kLblAction);
    // Text from data (names, paths, the system's words) shows as it is.
    m_lblAction->setTextFormat(Qt::PlainText);
    m_lblAction->setToolTip(QStringLiteral("Displays Last Program Action"));
    m_lblAction->setTextInteractionFlags(Qt::TextSelectableByMouse);
    row->addWidget(m_lblAction, 1);
    row->addWidget(new QLabel(QStringLiteral("RX")));
    m_imgRX = new Indicator(ObjectNames::kImgRX, QStringLiteral("Receiving"), theme);
    row->addWidget(m_imgRX);
    row->addWidget(new QLabel(QStringLiteral("TX")));
    m_imgTX = new Indicator(ObjectNames::kImgTX, QStringLiteral("Sending"), theme);
    row->addWidget(m_imgTX);
    row->addWidget(new QLabel(QStringLiteral("DSR")));
    m_lampDSR =
        new Indicator(ObjectNames::kLampDSR, QStringLiteral("DSR: on while the interface box is switched on"),
                      QStringLiteral("DSR"), theme);
    row->addWidget(m_lampDSR);
    row->addWidget(new QLabel(QStringLiteral("CD")));
    m_lampCD = new Indicator(ObjectNames::kLampCD,
                             QStringLiteral("CD: on while the interface box holds a connection"),
                             QStringLiteral("CD"), theme);
    row->addWidget(m_lampCD);
    setLines(std::nullopt);
}

void StatusBar::setStatus(const QString& text) {
    m_lblAction->setText(text);
}

QString StatusBar::status() const {
    return m_lblAction->text();
}

void StatusBar::setReceiving(bool active) {
    m_imgRX->setPicture(active ? PortView::Active : PortView::Idle);
}

void StatusBar::setSending(bool active) {
    m_imgTX->setPicture(active ? PortView::Active : PortView::Idle);
}

void StatusBar::setLines(const std::optional<ModemLines>& lines) {
    const auto picture = [&lines](bool ModemLines::*line) {
        if (!lines)
            return Indicator::kUnknown;
        return (*lines).*line ? int(PortView::Active) : int(PortView::Idle);
    };
    m_lampDSR->setPicture(picture(&ModemLines::dsr));
    m_lampCD->setPicture(picture(&ModemLines::cd));
}

void StatusBar::settle(const SerialLink& link) {
    if (link.inBufferCount() == 0)
        setReceiving(false);
    if (link.outBufferCount() == 0)
        setSending(false);
}

} // namespace vornal
