#include "look/clockhands.h"
#include "look/objectnames.h"

#include <cmath>

namespace vornal {

namespace {

// The clock's own value of pi, so that its hands land on the same twips everywhere.
constexpr double kPi = 3.141592654;

} // namespace

const std::array<ClockHands::HandShape, 3>& ClockHands::hands() {
    static const std::array<HandShape, 3> kHands = {{
        {Hand::Seconds, ObjectNames::kLineSeconds2, 2, 255, 150},
        {Hand::Minutes, ObjectNames::kLineMinutes1, 3, 65280, 130},
        {Hand::Hours, ObjectNames::kLineHours1, 3, 65280, 90},
    }};
    return kHands;
}

ClockHands::Positions ClockHands::positions(const QTime& time) {
    int h = time.hour() % 12;
    if (h == 0)
        h = 12;
    Positions p;
    p.seconds = time.second();
    p.minutes = time.minute();
    // Whole part: at 2:35 the hour hand stands at 12, not 12.9.
    p.hours = h * 5 + time.minute() / 12;
    return p;
}

int ClockHands::position(const Positions& positions, Hand hand) {
    switch (hand) {
    case Hand::Seconds:
        return positions.seconds;
    case Hand::Minutes:
        return positions.minutes;
    case Hand::Hours:
        break;
    }
    return positions.hours;
}

int ClockHands::roundHalfEven(double value) {
    const double floor = std::floor(value);
    const double fraction = value - floor;
    double result = floor;
    if (fraction > 0.5)
        result = floor + 1;
    else if (fraction == 0.5)
        result = std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
    return int(result);
}

QPoint ClockHands::offset(int position, int lengthFactor) {
    const double angle = position * 6 * (kPi / 180);
    const double length = lengthFactor * 6.0;
    return QPoint(roundHalfEven(std::sin(angle) * length), roundHalfEven(-std::cos(angle) * length));
}

QPointF ClockHands::end(const QPointF& centre, int position, int lengthFactor) {
    return centre + QPointF(offset(position, lengthFactor));
}

} // namespace vornal
