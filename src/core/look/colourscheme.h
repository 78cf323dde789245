#pragma once

#include "startup.h"

#include <QList>

namespace vornal {

// The terminal text's five colour schemes: the control that chooses one, its text and
// background colours (red in the lowest byte), and the command-line switch that
// chooses it at start (Startup::ColourSwitch::Unchanged for the one without a switch).
struct ColourScheme {
    QLatin1StringView control;
    const char* caption;
    quint32 text;
    quint32 background;
    Startup::ColourSwitch colourSwitch;

    static const QList<ColourScheme>& all();
    // The scheme of a switch; null without one.
    static const ColourScheme* forSwitch(Startup::ColourSwitch colourSwitch);
};

} // namespace vornal
