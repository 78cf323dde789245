#include "look/colourscheme.h"
#include "look/objectnames.h"

namespace vornal {

const QList<ColourScheme>& ColourScheme::all() {
    static const QList<ColourScheme> kSchemes = {
        {ObjectNames::kLbGnBk, "Green", 65280, 0, Startup::ColourSwitch::Color1},
        {ObjectNames::kLblBlWt, "Cyan", 16776960, 16777215, Startup::ColourSwitch::Color2},
        {ObjectNames::kLblRdBl, "Red", 255, 0, Startup::ColourSwitch::Color3},
        {ObjectNames::kLblYlBl, "White", 16777215, 16711680, Startup::ColourSwitch::Color4},
        {ObjectNames::kLblBkWt, "Navy", 8388608, 16777215, Startup::ColourSwitch::Unchanged},
    };
    return kSchemes;
}

const ColourScheme* ColourScheme::forSwitch(Startup::ColourSwitch colourSwitch) {
    if (colourSwitch == Startup::ColourSwitch::Unchanged)
        return nullptr;
    for (const ColourScheme& s : all()) {
        if (s.colourSwitch == colourSwitch)
            return &s;
    }
    return nullptr;
}

} // namespace vornal
