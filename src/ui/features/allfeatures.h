#pragma once

namespace vornal {

class FeatureContext;

// Attaches every feature of the program to the main window's context, in the order
// their lists refresh. Called once, before the window loads.
void attachFeatures(FeatureContext& context);

} // namespace vornal
