#include "features.h"

#include "directoryupdateaction.h"
#include "phonebookpanels.h"
#include "punchpanel.h"

namespace vornal {

void attachFeatures(FeatureContext& context) {
    attachPhonebookPanels(context);
    attachDirectoryUpdate(context);
    attachPuncher(context);
}

} // namespace vornal
