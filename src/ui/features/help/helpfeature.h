#pragma once

#include "files/programfiles.h"
#include "look/objectnames.h"

#include <QObject>

class QWidget;

namespace vornal {

class FeatureContext;

// Help, version and homepage: ObjectNames::kLblAiuto opens the help window, the version line
// shows the version message, and ObjectNames::kLblHomepage hands the operator's manual that the
// program ships to the desktop's browser.
class HelpFeature : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kVersionText = " Parlo V.10.1.5  15/01/2024 22:00 bug fix send preview";
    static constexpr const char* kManual = ProgramFiles::kManual;

    explicit HelpFeature(FeatureContext& context);

    // The help window, modal over the given window.
    void showHelp(QWidget* parent);
    void showVersion();
    void openHomepage();

private:
    FeatureContext& m_context;
};

} // namespace vornal
