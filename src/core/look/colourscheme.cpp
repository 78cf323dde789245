#include "look/colourscheme.h"

namespace vornal {

const QList<ColourScheme>& ColourScheme::all() {
    static const QList<ColourScheme> kSchemes = {
        {"lbGnBk", "Green", 65280, 0, Startup::ColourSwitch::Color1},
        {"lblBlWt", "Cyan", 16776960, 16777215, Startup::ColourSwitch::Color2},
        {"lblRdBl", "Red", 255, 0, Startup::ColourSwitch::Color3},
        {"lblYlBl", "White", 16777215, 16711680, Startup::ColourSwitch::Color4},
        {"lblBkWt", "Navy", 8388608, 16777215, Startup::ColourSwitch::Unchanged},
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
