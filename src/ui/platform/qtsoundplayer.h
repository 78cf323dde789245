#pragma once

#include "look/soundplayer.h"

#include <QHash>
#include <QString>

#include <memory>

class QMediaDevices;
class QSoundEffect;

namespace vornal {

// Wave files through QSoundEffect, which needs no media back end. Each file is loaded
// once and kept, so a sound repeated for every received chunk costs no reading. A
// missing file, or a machine without an audio output, plays nothing and says nothing.
class QtSoundPlayer final : public SoundPlayer {
public:
    QtSoundPlayer();
    ~QtSoundPlayer() override;
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
