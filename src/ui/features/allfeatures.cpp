#include "features/allfeatures.h"

#include "featurecontext.h"
#include "features/broadcast/broadcastactions.h"
#include "features/directory/directoryupdateaction.h"
#include "features/editor/messageeditorfeature.h"
#include "features/headline/headlineeditor.h"
#include "features/help/helpfeature.h"
#include "features/klkl/klklswitch.h"
#include "features/log/findbar.h"
#include "features/log/savetextaction.h"
#include "features/log/trafficlogfeature.h"
#include "features/look/clockpanel.h"
#include "features/look/lookcontrols.h"
#include "features/look/soundcontrols.h"
#include "features/phonebook/phonebookpanels.h"
#include "features/phonebook/phonebookwindows.h"
#include "features/presets/clipboardpreview.h"
#include "features/presets/presettexts.h"
#include "features/punch/punchpanel.h"

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
