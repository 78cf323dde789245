#pragma once

#include "feature.h"

#include <QObject>

#include <memory>

class QPushButton;

namespace vornal {

class FeatureContext;
class FixedTexts;
class PhraseButton;

// The one-click texts of the main window: the time stamp, the two line-up tests and
// the ten preset phrases from "\VornalPresetText.txt", with the button that opens that
// file in the editor. The phrases are read at start-up and with every "Refresh Lists".
class PresetTexts : public QObject, public Feature {
    Q_OBJECT
public:
    explicit PresetTexts(FeatureContext& context);
    ~PresetTexts() override;

    // Fills the ten phrase buttons from the file; a missing file leaves them empty.
    void LoadPresetPhrases();
    // "Edit Presets".
    void editPresets();

    PhraseButton* phrase(int i) const { return m_phrases.at(i); }

    void load() override { LoadPresetPhrases(); }
    void refreshLists() override { LoadPresetPhrases(); }

private:
    FeatureContext& m_context;
    std::unique_ptr<FixedTexts> m_texts;
    QList<PhraseButton*> m_phrases;
};

} // namespace vornal
