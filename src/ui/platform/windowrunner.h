#pragma once

class QDialog;

namespace vornal {

// Opens the program's modal windows. The real runner shows them with exec(); a test
// hands in its own that drives the window and closes it, so no test waits on a real
// modal loop, and one that finds nothing to drive fails at once.
class WindowRunner {
public:
    virtual ~WindowRunner() = default;
    // Shows the window modally and returns its result when it is closed.
    virtual int run(QDialog& window) = 0;
};

class ExecRunner final : public WindowRunner {
public:
    int run(QDialog& window) override;
};

} // namespace vornal
