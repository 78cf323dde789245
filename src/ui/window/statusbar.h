#pragma once

#include "serial/lineio.h"

#include <QWidget>

#include <optional>

class QLabel;

namespace vornal {

class Indicator;
class SerialLink;
class Theme;

// The status line under the window: the last program action, the receive and send
// lamps, and the lamps of the box's DSR (its power) and CD (its connection) lines.
class StatusBar : public QWidget {
    Q_OBJECT
public:
    explicit StatusBar(const Theme& theme, QWidget* parent = nullptr);

    void setStatus(const QString& text);
    QString status() const;
    void setReceiving(bool active);
    void setSending(bool active);
    // The lamps go idle when the port holds nothing to read or send.
    void settle(const SerialLink& link);
    // The DSR and CD lamps: on, off, or unknown where the port tells no lines.
    void setLines(const std::optional<ModemLines>& lines);

private:
    QLabel* m_lblAction = nullptr;
    Indicator* m_imgRX = nullptr;
    Indicator* m_imgTX = nullptr;
    Indicator* m_lampDSR = nullptr;
    Indicator* m_lampCD = nullptr;
};

} // namespace vornal
