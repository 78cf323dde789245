#pragma once

#include <QObject>

namespace vornal {

class FeatureContext;

// The broadcast sequence on the main window: the two service buttons start it and are
// disabled while it is armed, "Tx RS Numbers" sends the receivers list by hand, and
// the sequence's beeps and status texts reach the window.
class BroadcastActions : public QObject {
    Q_OBJECT
public:
    explicit BroadcastActions(FeatureContext& context);
};

} // namespace vornal
