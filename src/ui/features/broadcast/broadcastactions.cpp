#include "features/broadcast/broadcastactions.h"

#include "featurecontext.h"
#include "terminalsession.h"

#include "broadcastsequence.h"
#include "look/objectnames.h"

#include <QApplication>
#include <QPushButton>

namespace vornal {

BroadcastActions::BroadcastActions(FeatureContext& context) : QObject(&context) {
    setObjectName(ObjectNames::kBroadcastActions);
    BroadcastSequence& sequence = context.session().broadcast();
    QPushButton* send = context.addCallButton(
        ObjectNames::kLblSendNumbers, QStringLiteral("Tx RS Numbers"),
        QStringLiteral("Sends Rundsend Recaiver List (in case of failure with automatic "
                       "sending)"));
    connect(send, &QPushButton::clicked, &sequence, &BroadcastSequence::sendNumbers);
    for (int service : {1, 2}) {
        QPushButton* button = context.broadcastButton(service);
        connect(button, &QPushButton::clicked, &sequence,
                [&sequence, service] { sequence.StartBroadcast(service); });
        connect(&sequence, &BroadcastSequence::serviceButtonsEnabled, button, &QPushButton::setEnabled);
    }
    connect(&sequence, &BroadcastSequence::status, &context, &FeatureContext::setStatus);
    connect(&sequence, &BroadcastSequence::beep, this, [] { QApplication::beep(); });
}

} // namespace vornal
