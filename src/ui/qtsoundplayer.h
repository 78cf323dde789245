#pragma once

#include "core/soundplayer.h"

#include <memory>

class QSoundEffect;

namespace vornal {

// Wave files through QSoundEffect, which needs no media back end and cannot take the
// program down on a machine without sound.
class QtSoundPlayer final : public SoundPlayer {
public:
    QtSoundPlayer();
    ~QtSoundPlayer() override;
    void open(const QString& path) override;
    void play() override;
    void close() override;

private:
    std::unique_ptr<QSoundEffect> m_effect;
};

} // namespace vornal
