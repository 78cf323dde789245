#include "features/look/clockpanel.h"

#include "featurecontext.h"
#include "features/look/clockface.h"
#include "features/look/clockhandline.h"
#include "terminalservices.h"
#include "theme/theme.h"
#include "window/headerbar.h"

#include "clock.h"
#include "look/clockhands.h"
#include "look/dateformat.h"
#include "look/objectnames.h"
#include "programstate.h"

#include <QBoxLayout>
#include <QLabel>

namespace vornal {

namespace {

// The hands' offsets are in twips, at 15 twips to the pixel.
constexpr double kTwipsPerPixel = 15.0;

} // namespace

ClockPanel::ClockPanel(FeatureContext& context) : QObject(&context), m_context(context) {
    setObjectName(ObjectNames::kClockPanel);
    QWidget* area = context.header().clockArea();

    auto* labels = new QVBoxLayout;
    labels->setSpacing(0);
    labels->addStretch(1);
    m_lblTempo = new QLabel(QStringLiteral("00:00:00"));
    m_lblTempo->setObjectName(ObjectNames::kLblTempo);
    m_lblTempo->setToolTip(QStringLiteral("Time ( hh.mm.ss )"));
    m_lblTempo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_lblDate = new QLabel;
    // Text from data (names, paths, the system's words) shows as it is.
    m_lblDate->setTextFormat(Qt::PlainText);
    m_lblDate->setObjectName(ObjectNames::kLblDate);
    m_lblDate->setToolTip(QStringLiteral("Date (dd.mm.yyyy)"));
    m_lblDate->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    labels->addWidget(m_lblTempo);
    labels->addWidget(m_lblDate);
    labels->addStretch(1);

    auto* dial = new QWidget;
    dial->setObjectName(ObjectNames::kClockDial);
    const int side = kFaceLeft * 2 + kFaceWidth;
    dial->setFixedSize(side, side);
    m_shape1 = new ClockFace(context.theme(), dial);
    m_shape1->setGeometry(kFaceLeft, kFaceTop, kFaceWidth, kFaceWidth);
    int i = 0;
    for (const ClockHands::HandShape& shape : ClockHands::hands()) {
        auto* hand = new ClockHandLine(QString(shape.control), dial);
        hand->setGeometry(0, 0, side, side);
        hand->setPen(shape.width, Theme::fromColourValue(shape.colour));
        hand->hide();
        m_hands[size_t(i++)] = hand;
    }

    auto* row = static_cast<QBoxLayout*>(area->layout());
    row->addLayout(labels);
    row->addWidget(dial);

    m_timer3.setObjectName(ObjectNames::kTimer3);
    m_timer3.setInterval(1000);
    m_timer3.setTimerType(Qt::PreciseTimer);
    connect(&m_timer3, &QTimer::timeout, this, &ClockPanel::tick);
    // The first tick as soon as the window runs, the next ones on the whole second.
    QTimer::singleShot(0, this, [this] {
        tick();
        const int ms = m_context.services().clock.now().time().msec();
        QTimer::singleShot(1000 - ms, Qt::PreciseTimer, this, [this] {
            tick();
            m_timer3.start();
        });
    });
}

void ClockPanel::tick() {
    const QDateTime now = m_context.services().clock.now();
    DrawClock(now.time());
    m_lblDate->setText(DateFormat::format(m_context.state().config.DateFormat, now));
    m_lblTempo->setText(DateFormat::tempo(now.time()));
    m_context.settleIndicators();
}

void ClockPanel::DrawClock(const QTime& time) {
    const QPointF centre = m_shape1->centre();
    const ClockHands::Positions positions = ClockHands::positions(time);
    int i = 0;
    for (const ClockHands::HandShape& shape : ClockHands::hands()) {
        const QPointF offset =
            QPointF(ClockHands::offset(ClockHands::position(positions, shape.hand), shape.lengthFactor)) /
            kTwipsPerPixel;
        ClockHandLine* hand = m_hands[size_t(i++)];
        hand->setLine(centre, centre + offset);
        hand->show();
    }
}

} // namespace vornal
