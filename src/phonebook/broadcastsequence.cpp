#include "broadcastsequence.h"

#include "receiverlines.h"

#include "display/interfacecommands.h"
#include "display/numbertext.h"
#include "files/textfile.h"
#include "files/textlines.h"
#include "programstate.h"
#include "serial/seriallink.h"
#include "textsender.h"
#include "transmission.h"
#include "userdialogs.h"

namespace vornal {

BroadcastSequence::BroadcastSequence(ProgramState& state, Transmission& transmission, SerialLink& link,
                                     UserDialogs& dialogs, InterfaceCommands& commands, ProgramFolder folder,
                                     QObject* parent)
    : QObject(parent), m_state(state), m_transmission(transmission), m_link(link), m_dialogs(dialogs),
      m_commands(commands), m_folder(std::move(folder)) {}

BroadcastSequence::Phase BroadcastSequence::phase() const {
    if (m_transmitting)
        return Phase::Transmitting;
    if (m_state.broadcastListSent)
        return Phase::Confirming;
    return m_state.broadcastActive ? Phase::Armed : Phase::Idle;
}

QString BroadcastSequence::serviceNumber(int service) const {
    return shortestNumberText(service == 2 ? m_state.config.BroadcastNumber2
                                           : m_state.config.BroadcastNumber1);
}

void BroadcastSequence::tell(const QString& text) {
    m_dialogs.message({text, QString(), DialogButtons::Ok, DialogIcon::None, {}});
}

void BroadcastSequence::StartBroadcast(int service) {
    const QString number = serviceNumber(service);
    if (!m_link.isOpen()) {
        emit beep();
        tell(QString::fromLatin1(kPortClosed));
        return;
    }
    const DialogAnswer answer =
        m_dialogs.message({QString::fromLatin1(kQuestion), QString::fromLatin1(kQuestionTitle) + number,
                           DialogButtons::YesNo, DialogIcon::Critical, DialogAnswer::No});
    if (answer != DialogAnswer::Yes)
        return;
    // The port may have been closed while the question was open.
    if (!m_link.isOpen()) {
        tell(QString::fromLatin1(kPortClosed));
        return;
    }
    m_commands.CallNumber(number, QString::fromLatin1(kCallLabel));
    m_state.broadcastActive = true;
    emit serviceButtonsEnabled(false);
}

void BroadcastSequence::promptHeard() {
    if (!m_state.broadcastActive || m_state.broadcastListSent)
        return;
    SendReceiverList();
}

void BroadcastSequence::sendNumbers() {
    if (!m_state.connectionActive) {
        emit beep();
        tell(QString::fromLatin1(kNoConnection));
        return;
    }
    if (m_state.broadcastListSent) {
        emit status(QStringLiteral("The receivers list is being sent already"));
        return;
    }
    SendReceiverList();
}

void BroadcastSequence::SendReceiverList() {
    if (m_state.broadcastListSent)
        return;
    // Raised before anything goes out, so that a second prompt (or a second press of
    // "Tx RS Numbers") during the transmission or its confirmation does nothing.
    m_state.broadcastListSent = true;

    const QString path = m_folder.file(QString::fromLatin1(ReceiverLines::kFileName));
    QString text;
    if (const FileResult read = TextFile::readText(path, &text); !read) {
        emit status(QStringLiteral("Receivers list not sent"));
        tell(QString::fromLatin1(kNotSent) + read.error);
        end();
        return;
    }
    const QStringList lines = splitTextLines(text);

    m_transmitting = true;
    m_closedMeanwhile = false;
    bool complete = false;
    const Transmission::Outcome outcome =
        m_transmission.run(m_state.config.CharDelay, [&](TransmissionRun& run) {
            run.show(QString::fromLatin1(kCancelLabel));
            emit status(QString::fromLatin1(kCancelLabel));
            if (!TextSender::writeShortText(run, QStringLiteral("\n")))
                return;
            for (const QString& line : lines) {
                if (m_closedMeanwhile || !TextSender::writeShortText(run, line))
                    return;
                run.pause(kLinePause);
            }
            complete = !m_closedMeanwhile;
        });
    m_transmitting = false;

    switch (outcome) {
    case Transmission::Outcome::Done:
        if (complete) {
            emit status(QStringLiteral("Receivers list sent"));
            tell(QString::fromLatin1(kTransmitted));
        } else {
            emit status(QStringLiteral("Receivers list stopped: the call was closed"));
            tell(QString::fromLatin1(kNotComplete) + QStringLiteral("the call was closed."));
        }
        break;
    case Transmission::Outcome::Cancelled:
        emit status(QStringLiteral("Receivers list cancelled"));
        break;
    case Transmission::Outcome::Failed:
        // A vanished box has been reported by the port already.
        if (m_transmission.deviceWasLost()) {
            emit status(QStringLiteral("Receivers list stopped: the interface box was lost"));
        } else {
            emit status(QStringLiteral("Receivers list stopped: ") + m_transmission.lastError().text);
            tell(QString::fromLatin1(kNotComplete) + m_transmission.lastError().text);
        }
        break;
    case Transmission::Outcome::Busy:
        emit status(QStringLiteral("Receivers list not sent: another transmission is running"));
        tell(QString::fromLatin1(kNotSent) +
             QStringLiteral("another transmission is running. Send it with \"Tx RS Numbers\" when that "
                            "has ended."));
        break;
    }
    end();
}

void BroadcastSequence::connectionClosed() {
    m_state.broadcastActive = false;
    if (m_transmitting) {
        // The list stops after the line being sent; its end enables the buttons.
        m_closedMeanwhile = true;
        return;
    }
    emit serviceButtonsEnabled(true);
}

void BroadcastSequence::end() {
    m_state.broadcastActive = false;
    m_state.broadcastListSent = false;
    emit serviceButtonsEnabled(true);
}

} // namespace vornal
