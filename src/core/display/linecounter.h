#pragma once

#include <QObject>
#include <QString>

namespace vornal {

// The count of characters in the current line (`Cycle`) with its counter and bar:
// green, yellow from 55, red with a beep from 64; the line ends at 69. The one owner
// of the count: typed keys advance it, the box's CR and the port reset it, and the
// file sender counts its columns in it.
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

    explicit LineCounter(QObject* parent = nullptr);

    // Counter and bar back to zero and green.
    void reset();
    // The counter only: the bar keeps its length.
    void resetCounter();
    // The bar only: zero length and green; the count and its caption stay.
    void resetBar();
    // One more character in the line. Returns true when the line is full: the caller
    // sends a carriage return, and the counter is already back at zero.
    bool advance();

    qint64 cycle() const { return m_cycle; }
    // The file sender's column count; the caption follows through the sender.
    void setCycle(qint64 cycle) { m_cycle = cycle; }
    int barTwips() const { return m_barTwips; }
    quint32 barColour() const { return m_barColour; }
    quint32 counterColour() const { return m_counterColour; }

signals:
    void counterChanged(const QString& caption, quint32 colour);
    void barChanged(int twips, quint32 colour);
    void beep();

private:
    qint64 m_cycle = 0;
    int m_barTwips = 0;
    quint32 m_barColour = kGreen;
    quint32 m_counterColour = kGreen;
};

} // namespace vornal
