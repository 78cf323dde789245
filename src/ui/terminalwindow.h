#pragma once

#include "featurecontext.h"
#include "terminalservices.h"
#include "theme.h"

#include "core/interfacecommands.h"
#include "core/linecounter.h"
#include "core/portcontroller.h"
#include "core/portevents.h"
#include "core/programfolder.h"
#include "core/programstate.h"
#include "core/startup.h"
#include "core/terminalbuffer.h"
#include "core/terminaldisplay.h"
#include "core/trafficlink.h"
#include "phonebook/broadcastsequence.h"
#include "transmit/textsender.h"
#include "transmit/transmission.h"

#include <QHash>
#include <QMainWindow>
#include <QTimer>

#include <memory>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QGridLayout;
class QHBoxLayout;
class QScrollArea;
class QVBoxLayout;

namespace vornal {

class CancelSendWindow;
class FeatureContext;
class Indicator;
class LineBar;
class TerminalTextView;

// The main window: the terminal text, the status line, the port and the box's
// commands, the send commands and the places where features add their panels and
// buttons (through features()). It lives for the whole run.
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

    // Where features attach.
    FeatureContext& features() { return *m_features; }

    // The program state for the composition root and tests; features read it through
    // FeatureContext::state(), which is const.
    ProgramState& state() { return m_state; }
    PortController& port() { return *m_port; }
    TerminalBuffer& buffer() { return m_buffer; }
    TerminalDisplay& display() { return *m_display; }
    InterfaceCommands& commands() { return *m_commands; }
    LineCounter& counter() { return *m_counter; }
    PortEvents& portEvents() { return *m_events; }
    TextSender& sender() { return *m_sender; }
    BroadcastSequence& broadcast() { return *m_broadcast; }
    Transmission& transmission() { return *m_transmission; }
    CancelSendWindow& cancelWindow() { return *m_cancelWindow; }
    Startup::Look requestedLook() const { return m_look; }
    void setStatus(const QString& text);
    QString status() const;
    const TerminalServices& services() const { return m_services; }
    QPlainTextEdit* terminal() const { return m_txtTerm; }

private:
    friend class FeatureContext;

    void addPanel(QWidget* panel);
    void revealPanel(QWidget* panel);
    void addTerminalPanel(QWidget* panel);
    QPushButton* addCallButton(const QString& name, const QString& caption, const QString& tip);
    QPushButton* addProgramButton(const QString& name, const QString& caption, const QString& tip);
    QPushButton* sendControl(SendControl control) const;
    QPushButton* broadcastButton(int service) const;

    QWidget* buildHeader();
    QWidget* buildPortGroup();
    QWidget* buildCommandGroup();
    QWidget* buildTerminalArea();
    QWidget* buildSendGroup();
    QWidget* buildProgramGroup();
    QWidget* buildSidePanels();
    QWidget* buildPanelPlace();
    void applyPortView();
    void focusTerminal();
    void settleIndicators();
    void showCounter(const QString& caption, quint32 colour);
    void connectReceiving();
    void connectSender();
    void answerKlkl();
    void toggleKlkl();
    void editKlkl();
    void showProperties();
    void editConfiguration();
    void exitProgram();
    QString operatorName() const;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The keyboard's order through the window, from its layouts; again whenever a
    // control or panel is added and when the window is shown.
    void updateTabOrder();
    void scheduleTabOrder();
    // The panel place shows while one of its panels does.
    void updatePanelPlace();
    // The first placement (or the one kept from the last run), and keeping the framed
    // window on its screen once the window manager's frame is known.
    void placeOnScreen();
    void keepOnScreen();
    void storePlacement();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Comes before the services, which hand it to everything that writes.
    TrafficLink m_trafficLink;
    TerminalServices m_services;
    Theme m_theme;
    ProgramState m_state;
    TerminalBuffer m_buffer;
    std::unique_ptr<PortController> m_port;
    std::unique_ptr<TerminalDisplay> m_display;
    std::unique_ptr<PortEvents> m_events;
    std::unique_ptr<LineCounter> m_counter;
    std::unique_ptr<InterfaceCommands> m_commands;
    std::unique_ptr<TerminalTextView> m_view;
    std::unique_ptr<Transmission> m_transmission;
    std::unique_ptr<TextSender> m_sender;
    std::unique_ptr<BroadcastSequence> m_broadcast;
    std::unique_ptr<FeatureContext> m_features;
    CancelSendWindow* m_cancelWindow = nullptr;
    QTimer m_counterTimer;
    QString m_pendingCounter;
    Startup::Look m_look = Startup::Look::Unchanged;
    bool m_unloading = false;
    bool m_tabOrderPending = false;
    bool m_keptOnScreen = false;
    bool m_centred = false; // placed in the middle of the screen, not where it was kept

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
    QPushButton* m_lblKlKl = nullptr;
    QPushButton* m_lblCall = nullptr;
    QPushButton* m_lblClear = nullptr;
    QPushButton* m_lblPaste = nullptr;
    QPushButton* m_lblPuncher = nullptr;
    QHash<InterfaceCommands::Command, QPushButton*> m_commandButtons;
    QHash<TextSender::SendCommand, QPushButton*> m_sendButtons;
    QList<QPushButton*> m_portDependent; // enabled while the port is open and nothing is sent
    QScrollArea* m_sidePanels = nullptr;
    QScrollArea* m_panelPlace = nullptr;
    // The regions in the keyboard's reading order.
    QWidget* m_header = nullptr;
    QWidget* m_portGroup = nullptr;
    QWidget* m_commandGroup = nullptr;
    QWidget* m_terminalArea = nullptr;
    QWidget* m_sendGroup = nullptr;
    QWidget* m_callsGroup = nullptr;
    QWidget* m_programGroup = nullptr;
    QVBoxLayout* m_panelArea = nullptr;
    QGridLayout* m_callButtons = nullptr;
    QGridLayout* m_programButtons = nullptr;
    QVBoxLayout* m_panels = nullptr;
    QVBoxLayout* m_terminalPanels = nullptr;
    QVBoxLayout* m_headerControls = nullptr;
    QWidget* m_frameClock = nullptr;
    QHBoxLayout* m_terminalRow = nullptr;
};

} // namespace vornal
