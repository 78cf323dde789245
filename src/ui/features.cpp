#include "features.h"

#include "broadcastactions.h"
#include "clipboardpreview.h"
#include "clockpanel.h"
#include "directoryupdateaction.h"
#include "featurecontext.h"
#include "findbar.h"
#include "headlineeditor.h"
#include "helpfeature.h"
#include "klklswitch.h"
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
    // Each feature attaches as it is made; the ones given to addFeature also take part
    // in the program's phases, in this order (the preset phrases refresh before the
    // favourite slots).
    context.addFeature(new PresetTexts(context));
    context.addFeature(new PhonebookPanels(context));
    new DirectoryUpdateAction(context);
    new PunchPanel(context);
    auto* editor = new MessageEditorFeature(context);
    auto* help = new HelpFeature(context);
    QObject::connect(editor, &MessageEditorFeature::helpRequested, help, &HelpFeature::showHelp);
    context.addFeature(new HeadlineEditor(context));
    new ClipboardPreview(context);
    new PhonebookWindows(context);
    new BroadcastActions(context);
    new KlklSwitch(context);
    new ClockPanel(context);
    context.addFeature(new LookControls(context));
    new SoundControls(context);
    new TrafficLogFeature(context);
    new SaveTextAction(context);
    new FindBar(context);
}

} // namespace vornal
