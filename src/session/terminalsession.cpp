#include "terminalsession.h"

#include "files/programfiles.h"

#include "feature.h"

#include "clock.h"
#include "delay.h"
#include "files/configuration.h"
#include "serial/seriallink.h"
#include "unload.h"
#include "userdialogs.h"

namespace vornal {

TerminalSession::TerminalSession(const TerminalServices& services, QObject* parent)
    : QObject(parent), m_trafficLink(services.link), m_services(services.onLink(m_trafficLink)) {
    m_port = std::make_unique<PortController>(m_services.link, m_services.clock, m_services.dialogs);
    m_display = std::make_unique<TerminalDisplay>(m_buffer, m_state);
    m_events = std::make_unique<PortEvents>(m_services.link, *m_display);
    m_counter = std::make_unique<LineCounter>();
    m_commands = std::make_unique<InterfaceCommands>(m_services.link, m_state, *m_display, m_buffer,
                                                     *m_counter, m_services.sound, m_services.folder);
    m_transmission = std::make_unique<Transmission>(m_services.link);
    m_sender = std::make_unique<TextSender>(*m_transmission, m_state, *m_counter, m_services.dialogs,
                                            m_services.folder);
    m_broadcast = std::make_unique<BroadcastSequence>(m_state, *m_transmission, m_services.link,
                                                      m_services.dialogs, *m_commands, m_services.folder);

    connect(m_port.get(), &PortController::lineReset, m_counter.get(), &LineCounter::reset);
    connect(m_port.get(), &PortController::toggling, m_commands.get(), &InterfaceCommands::portToggled);
    connect(m_port.get(), &PortController::terminalTextSet, m_display.get(), &TerminalDisplay::replaceText);
    // The broadcast sequence hears the service's prompt and the end of the call.
    connect(m_display.get(), &TerminalDisplay::receiverListPrompted, m_broadcast.get(),
            &BroadcastSequence::promptHeard);
    connect(m_commands.get(), &InterfaceCommands::callClosed, m_broadcast.get(),
            &BroadcastSequence::connectionClosed);
}

TerminalSession::~TerminalSession() = default;

void TerminalSession::addFeature(Feature* feature) {
    m_features.append(feature);
}

void TerminalSession::load(const QString& commandLine) {
    // Sounds stay off until the operator switches them on; no call is up.
    m_state.soundMuted = true;
    m_state.connectionActive = false;
    m_state.config =
        ConfigurationReader::load(m_services.folder.file(QString::fromLatin1(ProgramFiles::kConfiguration)));
    m_state.StartDate = Startup::startDateText(m_services.clock.now().date());
    m_state.pastePreview = true;
    m_buffer.setText(QStringLiteral(" open port before using the interface "));
    emit configured();

    if (!m_state.config.warnings.isEmpty())
        m_services.dialogs.warning(m_state.config.warnings.join(QStringLiteral("\n\n")),
                                   QStringLiteral("Configuration"));
    // A refused stored setting is reported, and the rest of the start-up still runs.
    Startup::applyStoredPortSettings(m_services.link, m_services.settings, m_services.dialogs, &m_state.Echo);

    m_counter->reset();
    for (Feature* feature : std::as_const(m_features))
        feature->load();
    m_look = Startup::parseSwitches(commandLine);
    for (Feature* feature : std::as_const(m_features))
        feature->applyLook(m_look);
    m_events->startStatusTimer();
}

void TerminalSession::refreshLists() {
    for (Feature* feature : std::as_const(m_features))
        feature->refreshLists();
}

bool TerminalSession::unload() {
    if (m_unloading)
        return false;
    m_unloading = true;
    const bool done =
        drainAndClose(m_services.link, m_services.clock, m_services.dialogs, [] { Delay(0.05); });
    m_unloading = false;
    if (done) {
        for (Feature* feature : std::as_const(m_features))
            feature->unload();
    }
    return done;
}

} // namespace vornal
