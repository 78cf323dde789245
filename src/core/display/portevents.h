#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

namespace vornal {

class SerialLink;
class TerminalDisplay;

// Handles the port's event: received data goes to the display, line events and
// errors go to the status line. The status line shows the event that has just
// happened; a line event's text goes back to "Status: " after two seconds, an error's
// text stays until the next event, and data events leave the status line alone.
class PortEvents : public QObject {
    Q_OBJECT
public:
    PortEvents(SerialLink& link, TerminalDisplay& display, QObject* parent = nullptr);

    // The text of a line event or error, empty for the data events 1, 2 and -3.
    static QString eventText(int code);
    static bool isLineEvent(int code);

    void handle(int code);
    // Starts the status timer, as at program start.
    void startStatusTimer() { m_timer2.start(); }
    bool statusTimerActive() const { return m_timer2.isActive(); }

signals:
    void status(const QString& text);
    void receiveIndicator(bool active);
    void sendIndicator(bool active);

private:
    SerialLink& m_link;
    TerminalDisplay& m_display;
    QTimer m_timer2;
};

} // namespace vornal
