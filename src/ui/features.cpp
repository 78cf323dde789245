#include "features.h"

#include "broadcastactions.h"
#include "directoryupdateaction.h"
#include "phonebookpanels.h"
#include "phonebookwindows.h"

namespace vornal {

void attachFeatures(FeatureContext& context) {
    attachPhonebookPanels(context);
    attachDirectoryUpdate(context);
    attachPhonebookWindows(context);
    attachBroadcastActions(context);
}

} // namespace vornal
