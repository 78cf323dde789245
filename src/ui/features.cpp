#include "features.h"

#include "clipboardpreview.h"
#include "directoryupdateaction.h"
#include "headlineeditor.h"
#include "phonebookpanels.h"
#include "presettexts.h"

namespace vornal {

void attachFeatures(FeatureContext& context) {
    // The preset phrases refresh before the favourite slots.
    attachPresetTexts(context);
    attachPhonebookPanels(context);
    attachDirectoryUpdate(context);
    attachHeadlineEditor(context);
    attachClipboardPreview(context);
}

} // namespace vornal
