#include "features.h"

#include "broadcastactions.h"
#include "clipboardpreview.h"
#include "clockpanel.h"
#include "directoryupdateaction.h"
#include "findbar.h"
#include "headlineeditor.h"
#include "helpfeature.h"
#include "lookcontrols.h"
#include "messageeditorfeature.h"
#include "phonebookpanels.h"
#include "phonebookwindows.h"
#include "presettexts.h"
#include "punchpanel.h"
#include "savetextaction.h"
#include "soundcontrols.h"
#include "trafficlogfeature.h"

namespace vornal {

void attachFeatures(FeatureContext& context) {
    // The preset phrases refresh before the favourite slots.
    attachPresetTexts(context);
    attachPhonebookPanels(context);
    attachDirectoryUpdate(context);
    attachPuncher(context);
    MessageEditorFeature& editor = attachMessageEditor(context);
    HelpFeature& help = attachHelp(context);
    QObject::connect(&editor, &MessageEditorFeature::helpRequested, &help, &HelpFeature::showHelp);
    attachHeadlineEditor(context);
    attachClipboardPreview(context);
    attachPhonebookWindows(context);
    attachBroadcastActions(context);
    new ClockPanel(context);
    new LookControls(context);
    new SoundControls(context);
    attachTrafficLog(context);
    new SaveTextAction(context);
    new FindBar(context);
}

} // namespace vornal
