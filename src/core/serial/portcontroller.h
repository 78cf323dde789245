#pragma once

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
// since opening. A device that vanishes while open leaves the displays closed.
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

private:
    void showOpen();
    void showClosed(bool replaceText);
    void tick();
    void onDeviceLost(const QString& message);

    SerialLink& m_link;
    Clock& m_clock;
    UserDialogs& m_dialogs;
    PortView m_view;
    QTimer m_timer1;
    QDateTime m_connectStart;
};

} // namespace vornal
