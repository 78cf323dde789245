#include "features.h"

#include "directoryupdateaction.h"
#include "phonebookpanels.h"

namespace vornal {

void attachFeatures(FeatureContext& context) {
    attachPhonebookPanels(context);
    attachDirectoryUpdate(context);
}

} // namespace vornal
