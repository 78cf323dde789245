#include "look/colourscheme.h"

namespace vornal {

const QList<ColourScheme>& ColourScheme::all() {
    static const QList<ColourScheme> kSchemes = {
        {"lbGnBk", "Green", 65280, 0, Startup::Look::Color1},
        {"lblBlWt", "Cyan", 16776960, 16777215, Startup::Look::Color2},
        {"lblRdBl", "Red", 255, 0, Startup::Look::Color3},
        {"lblYlBl", "White", 16777215, 16711680, Startup::Look::Color4},
        {"lblBkWt", "Navy", 8388608, 16777215, Startup::Look::Unchanged},
    };
    return kSchemes;
}

const ColourScheme* ColourScheme::forLook(Startup::Look look) {
    if (look == Startup::Look::Unchanged)
        return nullptr;
    for (const ColourScheme& s : all()) {
        if (s.look == look)
            return &s;
    }
    return nullptr;
}

} // namespace vornal
