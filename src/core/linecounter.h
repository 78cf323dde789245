#pragma once

#include <QObject>
#include <QString>

namespace vornal {

struct ProgramState;

// The count of characters in the current line (`Cycle`) with its counter and bar:
// green, yellow from 55, red with a beep from 64; the line ends at 69.
class LineCounter : public QObject {
    Q_OBJECT
public:
    static constexpr quint32 kGreen = 65280;
    static constexpr quint32 kYellow = 65535;
    static constexpr quint32 kRed = 255;
    static constexpr int kTwipsPerCharacter = 170;
    static constexpr int kYellowAt = 55;
    static constexpr int kRedAt = 64;
    static constexpr int kLineEndAt = 69;

    explicit LineCounter(ProgramState& state, QObject* parent = nullptr);

    // Counter and bar back to zero and green.
    void reset();
    // The counter only: the bar keeps its length.
    void resetCounter();
    // One more character in the line. Returns true when the line is full: the caller
    // sends a carriage return, and the counter is already back at zero.
    bool advance();

    qint64 cycle() const;
    int barTwips() const { return m_barTwips; }
    quint32 barColour() const { return m_barColour; }
    quint32 counterColour() const { return m_counterColour; }

signals:
    void counterChanged(const QString& caption, quint32 colour);
    void barChanged(int twips, quint32 colour);
    void beep();

private:
    ProgramState& m_state;
    int m_barTwips = 0;
    quint32 m_barColour = kGreen;
    quint32 m_counterColour = kGreen;
};

} // namespace vornal
