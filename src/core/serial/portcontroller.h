#pragma once

#include "serial/devicereturn.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>

namespace vornal {

class Clock;
class SerialLink;
class UserDialogs;

// What the main window shows of the port.
struct PortView {
    enum Picture { Active = 1, Idle = 2, Changed = 8 };

    bool open = false;
    QString openCaption = QStringLiteral("Open Port ");
    QString portCaption = QStringLiteral("Com: Unknown");
    QString statusCaption = QStringLiteral("Closed 1");
    int picture = Idle;
    QString elapsed = QStringLiteral("Off Line");
    bool propertiesEnabled = true;
    bool sendCommandsEnabled = false; // the send commands, paste and puncher
};

// Opens and closes the port from the main window, keeps its displays and the time
// since opening. A device that vanishes while open leaves the displays closed, and is
// waited for: when a device is back behind the port's name the port opens again by
// itself, as "Open Port " opens it, but the received text stays and the keyboard stays
// where it is. The operator's own handling of the port (the open/close button, the
// settings window) ends the wait.
class PortController : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kOpenSettings = "9600,n,8,1";

    PortController(SerialLink& link, Clock& clock, UserDialogs& dialogs, QObject* parent = nullptr);

    const PortView& view() const { return m_view; }
    SerialLink& link() { return m_link; }

    // The open/close button.
    void toggle();
    // The port number changed in the settings window while the port was open.
    void reopenedOnNewPort();
    // Shown after the port number was set anew.
    void showPortNumber();
    // Elapsed time as "hh:mm:ss " (hours of a day).
    static QString elapsedText(qint64 seconds);
    // True while a lost device is waited for.
    bool awaitingReturn() const { return m_return.isWatching(); }
    // The operator takes the port in hand: a lost device is no longer waited for.
    void stopAwaitingReturn() { m_return.stop(); }

signals:
    void viewChanged();
    // Before the toggle changes anything (the headline panel hides, the clipboard
    // goes to the preview first again).
    void toggling();
    // The line's character count, its display and bar go back to zero.
    void lineReset();
    // The terminal's text is replaced.
    void terminalTextSet(const QString& text);
    // The terminal text takes the focus with the caret at its end.
    void focusTerminal();
    // A text for the status line.
    void status(const QString& text);

private:
    enum class OpenedBy { Operator, Return };
    void showOpen(OpenedBy by);
    void showClosed(bool replaceText);
    void tick();
    void onDeviceLost(const QString& message);
    void reopenAfterReturn();

    SerialLink& m_link;
    Clock& m_clock;
    UserDialogs& m_dialogs;
    PortView m_view;
    QTimer m_timer1;
    QDateTime m_connectStart;
    DeviceReturn m_return;
    bool m_lossWarningShown = false; // the warning of a loss is on the screen
};

} // namespace vornal
