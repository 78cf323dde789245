#include "features.h"

#include "directoryupdateaction.h"
#include "helpfeature.h"
#include "messageeditorfeature.h"
#include "phonebookpanels.h"
#include "punchpanel.h"

namespace vornal {

void attachFeatures(FeatureContext& context) {
    attachPhonebookPanels(context);
    attachDirectoryUpdate(context);
    attachPuncher(context);
    MessageEditorFeature& editor = attachMessageEditor(context);
    HelpFeature& help = attachHelp(context);
    QObject::connect(&editor, &MessageEditorFeature::helpRequested, &help, &HelpFeature::showHelp);
}

} // namespace vornal
