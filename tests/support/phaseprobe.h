#pragma once

#include "feature.h"

#include <functional>

namespace vornal {

// A feature that only notes the program's phases, for tests that check when they run.
struct PhaseProbe : Feature {
    std::function<void()> onLoad;
    std::function<void()> onRefresh;
    int refreshes = 0;

    void load() override {
        if (onLoad)
            onLoad();
    }
    void refreshLists() override {
        ++refreshes;
        if (onRefresh)
            onRefresh();
    }
};

} // namespace vornal
