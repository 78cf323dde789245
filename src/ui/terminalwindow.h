#pragma once

#include "core/interfacecommands.h"
#include "core/linecounter.h"
#include "core/portcontroller.h"
#include "core/portevents.h"
#include "core/programfolder.h"
#include "core/programstate.h"
#include "core/startup.h"
#include "core/terminalbuffer.h"
#include "core/terminaldisplay.h"
#include "transmit/textsender.h"

#include <QMainWindow>
#include <QTimer>

#include <functional>
#include <memory>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QGridLayout;
class QVBoxLayout;

namespace vornal {

class CancelSendWindow;
class Clock;
class Indicator;
class LineBar;
class SerialLink;
class SettingsStore;
class SoundPlayer;
class TerminalTextView;
class UserDialogs;

// What the main window is given: every outside service passes through here, so that a
// test can hand in its own.
struct TerminalServices {
    SerialLink& link;
    UserDialogs& dialogs;
    SettingsStore& settings;
    ProgramFolder folder;
    Clock& clock;
    SoundPlayer& sound;
};

// The main window: the terminal text, the status line, the port and the box's
// commands, the send commands and the call lists. It lives for the whole run.
class TerminalWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr const char* kProgramTitle = "Vornal USB Terminal";
    static constexpr const char* kVersionTail = " USB / RS232 Vornal Teminal V 10.1.6";
    static constexpr const char* kReleaseLine = "11/02/2024 10.1.6";

    TerminalWindow(TerminalServices services, QWidget* parent = nullptr);
    ~TerminalWindow() override;

    // The start-up steps; commandLine is the arguments joined by blanks.
    void load(const QString& commandLine);
    // The unload step: false when the operator chose to keep the program running.
    bool unload();

    ProgramState& state() { return m_state; }
    PortController& port() { return *m_port; }
    TerminalBuffer& buffer() { return m_buffer; }
    TerminalDisplay& display() { return *m_display; }
    InterfaceCommands& commands() { return *m_commands; }
    LineCounter& counter() { return *m_counter; }
    PortEvents& portEvents() { return *m_events; }
    TextSender& sender() { return *m_sender; }
    CancelSendWindow& cancelWindow() { return *m_cancelWindow; }
    Startup::Look requestedLook() const { return m_look; }
    void setStatus(const QString& text);
    QString status() const;
    const TerminalServices& services() const { return m_services; }

    // Where the other parts of the program put their controls: a panel in the calls
    // column, a button in the calls group or in the program group.
    void addPanel(QWidget* panel);
    QPushButton* addCallButton(const QString& name, const QString& caption, const QString& tip);
    QPushButton* addProgramButton(const QString& name, const QString& caption, const QString& tip);
    QPlainTextEdit* terminal() const { return m_txtTerm; }

    // Connections to parts of the program that are added later; unset, they do nothing.
    std::function<void()> onLoadPresets;
    std::function<void()> onOpenEditor;
    std::function<void(Startup::Look)> onApplyLook;
    std::function<void()> onShowVersion;
    std::function<void()> onHideHeadlinePanel;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPushButton* addButton(QGridLayout* grid, int row, int column, const QString& name,
                           const QString& caption, const QString& tip);
    QWidget* buildHeader();
    QWidget* buildPortGroup();
    QWidget* buildCommandGroup();
    QWidget* buildTerminalArea();
    QWidget* buildSendGroup();
    QWidget* buildProgramGroup();
    void applyPortView();
    void showCounter(const QString& caption, quint32 colour);
    void connectCommands();
    void connectSender();
    void toggleKlkl();
    void editKlkl();
    void showProperties();
    void editConfiguration();
    void exitProgram();
    QString operatorName() const;

    TerminalServices m_services;
    ProgramState m_state;
    TerminalBuffer m_buffer;
    std::unique_ptr<PortController> m_port;
    std::unique_ptr<TerminalDisplay> m_display;
    std::unique_ptr<PortEvents> m_events;
    std::unique_ptr<LineCounter> m_counter;
    std::unique_ptr<InterfaceCommands> m_commands;
    std::unique_ptr<TerminalTextView> m_view;
    std::unique_ptr<TextSender> m_sender;
    CancelSendWindow* m_cancelWindow = nullptr;
    QPushButton* m_lblKlKl = nullptr;
    QTimer m_counterTimer;
    QString m_pendingCounter;
    Startup::Look m_look = Startup::Look::Unchanged;
    bool m_unloading = false;

    QPlainTextEdit* m_txtTerm = nullptr;
    QLabel* m_lblAction = nullptr;
    QLabel* m_lblMaxChar = nullptr;
    LineBar* m_line1 = nullptr;
    QPushButton* m_lblVersion = nullptr;
    QLabel* m_label15 = nullptr;
    QPushButton* m_lblOpen1 = nullptr;
    QPushButton* m_lblProps = nullptr;
    QLabel* m_lblCport1 = nullptr;
    QLabel* m_lblStatus1 = nullptr;
    QLabel* m_lblElapsed = nullptr;
    Indicator* m_imgPort1 = nullptr;
    Indicator* m_imgRX = nullptr;
    Indicator* m_imgTX = nullptr;
    QPushButton* m_lblRSend1 = nullptr;
    QPushButton* m_lblRsend2 = nullptr;
    QList<QPushButton*> m_portDependent; // enabled exactly while the port is open
    QVBoxLayout* m_panelArea = nullptr;
    QGridLayout* m_callButtons = nullptr;
    QGridLayout* m_programButtons = nullptr;
    QVBoxLayout* m_panels = nullptr;
};

} // namespace vornal
