#pragma once

#include <QPoint>
#include <QPointF>
#include <QTime>

#include <array>

namespace vornal {

// The geometry of the analogue clock's three hands, in twips: where each hand stands
// for a time of day, and where its end lies from the centre of the face.
class ClockHands {
public:
    enum class Hand { Seconds, Minutes, Hours };

    // How each hand is drawn: its line's name, its pen and its length.
    struct HandShape {
        Hand hand;
        QLatin1StringView control; // the line's name
        int width;                 // in pixels
        quint32 colour;            // red in the lowest byte
        int lengthFactor;          // the hand is lengthFactor × 6 twips long
    };
    static const std::array<HandShape, 3>& hands();

    // Positions in sixtieths of a turn on a 12-hour clock (hours 1 to 12): the
    // seconds, the minutes, and the whole part of hours × 5 + minutes / 12.
    struct Positions {
        int seconds = 0;
        int minutes = 0;
        int hours = 0;
    };
    static Positions positions(const QTime& time);
    static int position(const Positions& positions, Hand hand);

    // The end of a hand from the centre: the angle is position × 6 degrees from
    // straight up, clockwise; each offset is rounded to the nearest integer, halves
    // to the even neighbour.
    static QPoint offset(int position, int lengthFactor);
    static QPointF end(const QPointF& centre, int position, int lengthFactor);

    // The nearest integer, halves to the even neighbour (2.5 gives 2, 3.5 gives 4).
    static int roundHalfEven(double value);
};

} // namespace vornal
