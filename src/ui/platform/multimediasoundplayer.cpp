#include "platform/multimediasoundplayer.h"

#include <QAudioDevice>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace vornal {

MultimediaSoundPlayer::MultimediaSoundPlayer() = default;
MultimediaSoundPlayer::~MultimediaSoundPlayer() = default;

bool MultimediaSoundPlayer::haveOutput() {
    if (!m_devices) {
        m_devices = std::make_unique<QMediaDevices>();
        m_haveOutput = !QMediaDevices::audioOutputs().isEmpty();
        // A headset plugged in later is taken.
        QObject::connect(m_devices.get(), &QMediaDevices::audioOutputsChanged, m_devices.get(),
                         [this] { m_haveOutput = !QMediaDevices::audioOutputs().isEmpty(); });
    }
    return m_haveOutput;
}

void MultimediaSoundPlayer::open(const QString& path) {
    m_current = nullptr;
    if (!haveOutput())
        return;
    auto it = m_effects.find(path);
    if (it == m_effects.end()) {
        if (!QFileInfo(path).isFile())
            return;
        auto effect = std::make_shared<QSoundEffect>();
        effect->setSource(QUrl::fromLocalFile(path));
        it = m_effects.insert(path, effect);
    }
    m_current = it->get();
}

void MultimediaSoundPlayer::play() {
    // A file that is still loading plays as soon as it has loaded.
    if (m_current)
        m_current->play();
}

void MultimediaSoundPlayer::close() {
    if (m_current)
        m_current->stop();
    m_current = nullptr;
}

} // namespace vornal

vornal::SoundPlayer* vornalCreateSoundPlayer() {
    return new vornal::MultimediaSoundPlayer;
}
