#pragma once

#include "look/soundeffects.h"

#include <QObject>

class QPushButton;

namespace vornal {

class FeatureContext;

// The event sounds in the header: "Sound On" and "Sound Off" (sounds start muted),
// and the three sound buttons `Command1` to `Command3`. While sounds are on, every
// received chunk that is shown plays the plain sound, without waiting and without a
// second one on top of one still playing.
class SoundControls : public QObject {
    Q_OBJECT
public:
    explicit SoundControls(FeatureContext& context);

    void soundOn();
    void soundOff();

private:
    void showSwitch();

    FeatureContext& m_context;
    SoundEffects m_effects;
    QPushButton* m_on = nullptr;
    QPushButton* m_off = nullptr;
};

} // namespace vornal
