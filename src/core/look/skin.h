#pragma once

#include <QList>
#include <QMargins>
#include <QRect>

namespace vornal {

// The main window's two skins: the control that chooses one, its background picture
// in the program folder, where the terminal text lies (twips: left, top, width,
// height) and whether the paper strips show.
struct Skin {
    enum class Kind { Standard, Steampunk };

    Kind kind;
    QLatin1StringView control;
    const char* caption;
    const char* tip;
    const char* picture;
    QRect terminal;
    bool paperStrips;

    static const QList<Skin>& all();
    static const Skin& of(Kind kind);
    // The terminal text's rectangle inside the smallest rectangle that holds it in
    // every skin, as insets in twips: what a layout adds around the text for this skin.
    static QMargins terminalInsets(Kind kind);
};

} // namespace vornal
