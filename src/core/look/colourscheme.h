#pragma once

#include "startup.h"

#include <QList>

namespace vornal {

// The terminal text's five colour schemes: the control that chooses one, its text and
// background colours (red in the lowest byte), and the command-line switch that
// chooses it at start (Startup::Look::Unchanged for the one without a switch).
struct ColourScheme {
    const char* control;
    const char* caption;
    quint32 text;
    quint32 background;
    Startup::Look look;

    static const QList<ColourScheme>& all();
    // The scheme of a switch; null for the looks that are no colour scheme.
    static const ColourScheme* forLook(Startup::Look look);
};

} // namespace vornal
