#pragma once

#include "feature.h"

#include "look/skin.h"
#include "startup.h"

#include <QList>
#include <QObject>

class QPushButton;

namespace vornal {

class FeatureContext;
class PaperStrip;
struct ColourScheme;

// The look of the main window: the five colour schemes of the terminal text, the two
// skins with their background pictures and paper strips, and the terminal's font
// with its colour. Every change goes through the theme, which is then applied to the
// window again. The program starts in the Standard skin; the command line's switches
// choose the Steampunk skin and a colour scheme, each on its own.
class LookControls : public QObject, public Feature {
    Q_OBJECT
public:
    static constexpr const char* kSchemeTip = "Change Fore & Back color of the Text Window";
    // The font dialog's first font and colour.
    static constexpr const char* kInitialFont = "stg 100 f.e.";
    static constexpr quint32 kInitialColour = 16711680;

    explicit LookControls(FeatureContext& context);

    void applyScheme(const ColourScheme& scheme);
    // quiet: a missing picture is not reported (at start, where the status line
    // shows its own caption).
    void applySkin(Skin::Kind kind, bool quiet = false);
    // `lblFont`: the font dialog, then the colour; cancelling either changes nothing.
    void chooseFont();

    // The look of the command line, at start-up.
    void applyLook(Startup::Look look) override;

private:
    void markCurrent(const QList<QPushButton*>& group, const QPushButton* current);

    FeatureContext& m_context;
    QList<QPushButton*> m_schemeButtons;
    QList<QPushButton*> m_skinButtons;
    PaperStrip* m_strips[2] = {nullptr, nullptr};
};

} // namespace vornal
