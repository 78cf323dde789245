#pragma once

#include <QWidget>

class QLabel;

namespace vornal {

class Indicator;
class SerialLink;
class Theme;

// The status line under the window: the last program action, and the receive and
// send lamps.
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

private:
    QLabel* m_lblAction = nullptr;
    Indicator* m_imgRX = nullptr;
    Indicator* m_imgTX = nullptr;
};

} // namespace vornal
