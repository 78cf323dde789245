#pragma once

#include <QObject>
#include <QTime>
#include <QTimer>

#include <array>

class QLabel;

namespace vornal {

class ClockFace;
class ClockHandLine;
class FeatureContext;

// The clock area of the header: the analogue clock, the time and the date. `Timer3`
// ticks every second from start to end: it draws the hands, writes the date (in the
// configured `DateFormat`) and the time, and lets the receive and send lamps go idle
// once the port holds nothing to read or send. Its ticks fall on the whole second.
class ClockPanel : public QObject {
    Q_OBJECT
public:
    // The face's place in the clock: its width holds the 60-pixel seconds hand.
    static constexpr int kFaceLeft = 2;
    static constexpr int kFaceTop = 2;
    static constexpr int kFaceWidth = 132;

    explicit ClockPanel(FeatureContext& context);

    void tick();
    // Puts the three hands at a time of day.
    void DrawClock(const QTime& time);

private:
    FeatureContext& m_context;
    QTimer m_timer3;
    ClockFace* m_shape1 = nullptr;
    std::array<ClockHandLine*, 3> m_hands{};
    QLabel* m_lblTempo = nullptr;
    QLabel* m_lblDate = nullptr;
};

} // namespace vornal
