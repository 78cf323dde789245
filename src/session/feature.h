#pragma once

#include "startup.h"

namespace vornal {

// A part of the program that attaches to the main window through its FeatureContext
// (its constructor is the attach step) and takes part in the program's phases, which
// the session calls in the order the features attached:
//   load          start-up, once the configuration is read and the port set up
//   applyLook     start-up, the look of the command line: its skin ("/steam") and its
//                 colour scheme ("/Color1" ...)
//   refreshLists  "Refresh Lists": every list reads its file again
//   unload        the program ends (the port has been closed)
// Each phase does nothing unless the feature takes part in it.
class Feature {
public:
    virtual ~Feature() = default;

    virtual void load() {}
    virtual void applyLook(Startup::Look look) { (void)look; }
    virtual void refreshLists() {}
    virtual void unload() {}
};

} // namespace vornal
