#pragma once

#include "terminalservices.h"

#include "broadcastsequence.h"
#include "display/interfacecommands.h"
#include "display/linecounter.h"
#include "display/portevents.h"
#include "display/terminalbuffer.h"
#include "display/terminaldisplay.h"
#include "programstate.h"
#include "serial/portcontroller.h"
#include "serial/trafficlink.h"
#include "startup.h"
#include "textsender.h"
#include "transmission.h"

#include <QList>
#include <QObject>

#include <memory>

namespace vornal {

class Feature;

// The program without its windows: the outside services, the program state and the
// objects that receive, show, command and send, wired to one another; the start-up
// and unload steps; and the features' phases, run in the order they attached. The main
// window shows it and hands its places to the features.
class TerminalSession : public QObject {
    Q_OBJECT
public:
    explicit TerminalSession(const TerminalServices& services, QObject* parent = nullptr);
    ~TerminalSession() override;

    // The services on the traffic link, which announces everything that goes out.
    const TerminalServices& services() const { return m_services; }
    TrafficLink& traffic() { return m_trafficLink; }
    // The program state, read-only: the session's own objects write their values, and the
    // features write theirs through the setters below (FeatureContext forwards to them).
    const ProgramState& state() const { return m_state; }
    void setPastePreview(bool preview) { m_state.pastePreview = preview; }
    void setHeadlineSelect(int set) { m_state.headlineSelect = set; }
    void setSoundMuted(bool muted) { m_state.soundMuted = muted; }
    void setKlklAutoAnswer(bool on) { m_state.klklAutoAnswer = on; }
    TerminalBuffer& buffer() { return m_buffer; }
    PortController& port() { return *m_port; }
    TerminalDisplay& display() { return *m_display; }
    PortEvents& portEvents() { return *m_events; }
    LineCounter& counter() { return *m_counter; }
    InterfaceCommands& commands() { return *m_commands; }
    Transmission& transmission() { return *m_transmission; }
    TextSender& sender() { return *m_sender; }
    BroadcastSequence& broadcast() { return *m_broadcast; }
    Startup::Look requestedLook() const { return m_look; }

    // A feature takes part in the phases from now on, after those added before.
    void addFeature(Feature* feature);

    // The start-up steps; commandLine is the arguments joined by blanks.
    void load(const QString& commandLine);
    // "Refresh Lists": every feature's lists read their files again, in order.
    void refreshLists();
    // The unload step: false when the operator chose to keep the program running.
    bool unload();

signals:
    // The configuration is read: the window shows what depends on it, before the
    // stored port settings and the features' load.
    void configured();

private:
    // Comes before the services, which hand it to everything that writes.
    TrafficLink m_trafficLink;
    TerminalServices m_services;
    ProgramState m_state;
    TerminalBuffer m_buffer;
    std::unique_ptr<PortController> m_port;
    std::unique_ptr<TerminalDisplay> m_display;
    std::unique_ptr<PortEvents> m_events;
    std::unique_ptr<LineCounter> m_counter;
    std::unique_ptr<InterfaceCommands> m_commands;
    std::unique_ptr<Transmission> m_transmission;
    std::unique_ptr<TextSender> m_sender;
    std::unique_ptr<BroadcastSequence> m_broadcast;
    QList<Feature*> m_features;
    Startup::Look m_look;
    bool m_unloading = false;
};

} // namespace vornal
