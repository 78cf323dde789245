#pragma once

#include "look/soundplayer.h"

#include <QHash>
#include <QString>
#include <QtGlobal>

#include <memory>

class QMediaDevices;
class QSoundEffect;

namespace vornal {

// Wave files through QSoundEffect, which needs no media back end. Each file is loaded
// once and kept, so a sound repeated for every received chunk costs no reading. A
// missing file, or a machine without an audio output, plays nothing and says nothing.
// It lives in the sound module (vornal-sound), which QtSoundPlayer loads on the first
// sound, so that QtMultimedia and the audio libraries are not mapped at start.
class MultimediaSoundPlayer final : public SoundPlayer {
public:
    MultimediaSoundPlayer();
    ~MultimediaSoundPlayer() override;
    void open(const QString& path) override;
    void play() override;
    void close() override;

private:
    bool haveOutput();

    std::unique_ptr<QMediaDevices> m_devices; // asked on the first sound, not at start
    bool m_haveOutput = false;
    QHash<QString, std::shared_ptr<QSoundEffect>> m_effects;
    QSoundEffect* m_current = nullptr;
};

} // namespace vornal

// The module's one entry: a new player, which the caller owns.
extern "C" Q_DECL_EXPORT vornal::SoundPlayer* vornalCreateSoundPlayer();
