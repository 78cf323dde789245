#include "punchsender.h"

#include "puncher.h"

#include "programstate.h"
#include "serial/seriallink.h"
#include "transmission.h"
#include "userdialogs.h"

namespace vornal {

PunchSender::PunchSender(Transmission& transmission, SerialLink& link, const ProgramState& state,
                         UserDialogs& dialogs, QObject* parent)
    : QObject(parent), m_transmission(transmission), m_link(link), m_state(state), m_dialogs(dialogs) {}

bool PunchSender::PunchText(const QString& text) {
    const QByteArray sequence = Puncher(text);
    bool punching = false;
    const Transmission::Outcome outcome =
        m_transmission.run(m_state.config.CharDelay, [&](TransmissionRun& run) {
            for (const char c : sequence) {
                if (!m_link.isOpen())
                    continue;
                emit status(QString::fromLatin1(kStatus));
                if (!punching) {
                    punching = true;
                    emit punchingChanged(true);
                }
                const bool written = run.write(QByteArray(1, c));
                emit characterSent(QLatin1Char(c));
                if (!written || !run.next())
                    return;
            }
        });
    if (outcome == Transmission::Outcome::Busy) {
        emit status(QStringLiteral("Punching not started: another transmission is running"));
        return false;
    }
    if (outcome == Transmission::Outcome::Failed) {
        const bool lost = m_transmission.deviceWasLost();
        if (!lost)
            m_dialogs.warning(m_transmission.lastError().text);
        emit status(QStringLiteral("Punching stopped: ") +
                    (lost ? QStringLiteral("the interface box was lost") : m_transmission.lastError().text));
    }
    emit punchingChanged(false);
    return outcome == Transmission::Outcome::Done;
}

} // namespace vornal
