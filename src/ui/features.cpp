#include "features.h"

#include "clockpanel.h"
#include "directoryupdateaction.h"
#include "lookcontrols.h"
#include "phonebookpanels.h"
#include "soundcontrols.h"

namespace vornal {

void attachFeatures(FeatureContext& context) {
    attachPhonebookPanels(context);
    attachDirectoryUpdate(context);
    new ClockPanel(context);
    new LookControls(context);
    new SoundControls(context);
}

} // namespace vornal
