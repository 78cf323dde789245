#pragma once

#include "platform/windowrunner.h"

#include <QString>

class Transcript;

// Drives the modal windows the tour opens instead of waiting for an operator: the
// directory update window is shown, "Retrieve" pressed, the window pictured and
// closed; any other window is pictured and closed at once.
class TourRunner final : public vornal::WindowRunner {
public:
    TourRunner(Transcript& transcript, QString folder)
        : m_transcript(transcript), m_folder(std::move(folder)) {}

    int run(QDialog& window) override;
    bool running() const { return m_running; }
    int windowsRun() const { return m_windows; }

private:
    Transcript& m_transcript;
    QString m_folder;
    bool m_running = false;
    int m_windows = 0;
};
