#pragma once

#include <QString>

namespace vornal {

// One of the 18 local numbers: a short number the box dials itself (a locally attached
// teleprinter or a special system number) and what it is.
struct LocalNumberEntry {
    QString number; // at most 3 characters; only the first two are dialled
    QString description;

    friend bool operator==(const LocalNumberEntry&, const LocalNumberEntry&) = default;
};

} // namespace vornal
