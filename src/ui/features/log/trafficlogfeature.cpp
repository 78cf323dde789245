#include "features/log/trafficlogfeature.h"

#include "featurecontext.h"
#include "terminalservices.h"
#include "terminalsession.h"

#include "display/terminaldisplay.h"
#include "log/trafficlog.h"
#include "serial/trafficlink.h"
#include "userdialogs.h"

namespace vornal {

TrafficLogFeature::TrafficLogFeature(FeatureContext& context) : QObject(&context) {
    const TerminalServices& services = context.services();
    if (!TrafficLog::enabledIn(services.settings))
        return;
    auto* log = new TrafficLog(services.folder, services.clock, this);
    m_log = log;
    QObject::connect(&context.session().display(), &TerminalDisplay::shown, log, &TrafficLog::received);
    QObject::connect(&context.session().display(), &TerminalDisplay::replaced, log, &TrafficLog::replaced);
    QObject::connect(&context.session().traffic(), &TrafficLink::sent, log, &TrafficLog::sent);
    QObject::connect(&context.session().traffic(), &TrafficLink::commandSent, log, &TrafficLog::command);
    // Delivered from the event loop, never from inside the receive path.
    QObject::connect(log, &TrafficLog::failed, &context, [&context](const QString& message) {
        context.setStatus(QStringLiteral("Traffic log stopped"));
        context.services().dialogs.warning(
            QStringLiteral("The traffic log could not be written:\n%1\n\n"
                           "The terminal goes on; nothing more is logged until "
                           "the program is started again.")
                .arg(message),
            QStringLiteral("Traffic Log"));
    });
}

} // namespace vornal
