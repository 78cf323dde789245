#include "look/skin.h"

#include "files/programfiles.h"
#include "look/objectnames.h"

namespace vornal {

const QList<Skin>& Skin::all() {
    static const QList<Skin> kSkins = {
        {Kind::Standard, ObjectNames::kLblStandard, "Standard", "Set Skin to Standard",
         ProgramFiles::kSkinStandard, QRect(790, 525, 11895, 4245), true},
        {Kind::Steampunk, ObjectNames::kLblSteam, "Steampunk", "Set Skin to Steampunk",
         ProgramFiles::kSkinSteampunk, QRect(780, 585, 11895, 4185), false},
    };
    return kSkins;
}

const Skin& Skin::of(Kind kind) {
    for (const Skin& s : all()) {
        if (s.kind == kind)
            return s;
    }
    return all().front();
}

QMargins Skin::terminalInsets(Kind kind) {
    QRect bounds;
    for (const Skin& s : all())
        bounds = bounds.united(s.terminal);
    const QRect r = of(kind).terminal;
    return QMargins(r.left() - bounds.left(), r.top() - bounds.top(), bounds.right() - r.right(),
                    bounds.bottom() - r.bottom());
}

} // namespace vornal
