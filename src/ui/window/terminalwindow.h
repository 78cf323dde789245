#pragma once

#include "featurecontext.h"
#include "theme/skinpicture.h"
#include "theme/theme.h"

#include "terminalsession.h"
#include "window/placementkeeper.h"

#include <QMainWindow>

#include <memory>

class QPlainTextEdit;

namespace vornal {

class CallsColumn;
class CancelSendWindow;
class FeatureContext;
class HeaderBar;
class InterfaceGroup;
class PortGroup;
class ProgramGroup;
class SendGroup;
class StatusBar;
class TerminalArea;
class TerminalTextView;

// The main window: a frame over its groups (header, Port, Interface, the terminal,
// Send, Calls, Program, the status line) that shows the session and hands its places
// to the features (through features()). It lives for the whole run.
class TerminalWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit TerminalWindow(const TerminalServices& services, QWidget* parent = nullptr);
    ~TerminalWindow() override;

    // The start-up steps; commandLine is the arguments joined by blanks.
    void load(const QString& commandLine);
    // The unload step: false when the operator chose to keep the program running.
    bool unload();

    TerminalSession& session() { return m_session; }
    // Where features attach.
    FeatureContext& features() { return *m_features; }
    QPlainTextEdit* terminal() const;
    CancelSendWindow& cancelWindow() { return *m_cancelWindow; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // The skin's picture over the window's background colour, under every control.
    void paintEvent(QPaintEvent* event) override;

private:
    void showConfiguration();
    void applyPortView();
    void connectReceiving();
    void connectSender();
    void showProperties();
    void editConfiguration();
    void exitProgram();
    // The keyboard's order through the window, from its layouts; again whenever a
    // control or panel is added and when the window is shown.
    void updateTabOrder();
    void scheduleTabOrder();

    TerminalSession m_session;
    Theme m_theme;
    SkinPicture m_skinPicture;
    PlacementKeeper m_placement;
    std::unique_ptr<FeatureContext> m_features;
    std::unique_ptr<TerminalTextView> m_view;
    HeaderBar* m_header = nullptr;
    PortGroup* m_portGroup = nullptr;
    InterfaceGroup* m_interfaceGroup = nullptr;
    TerminalArea* m_terminalArea = nullptr;
    SendGroup* m_sendGroup = nullptr;
    ProgramGroup* m_programGroup = nullptr;
    CallsColumn* m_callsColumn = nullptr;
    StatusBar* m_statusBar = nullptr;
    CancelSendWindow* m_cancelWindow = nullptr;
    bool m_tabOrderPending = false;
    bool m_keptOnScreen = false;
};

} // namespace vornal
