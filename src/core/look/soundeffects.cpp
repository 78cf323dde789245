#include "look/soundeffects.h"

#include "files/programfiles.h"

#include "look/soundplayer.h"

namespace vornal {

QString SoundEffects::fileName(Effect effect) {
    switch (effect) {
    case Effect::Cipher:
        return QString::fromLatin1(ProgramFiles::kSoundCipher);
    case Effect::Plain:
        return QString::fromLatin1(ProgramFiles::kSoundPlain);
    case Effect::Run:
        break;
    }
    return QString::fromLatin1(ProgramFiles::kSoundRun);
}

int SoundEffects::lengthMs(Effect effect) {
    switch (effect) {
    case Effect::Cipher:
        return 100;
    case Effect::Plain:
        return 80;
    case Effect::Run:
        break;
    }
    return 2000;
}

SoundEffects::SoundEffects(SoundPlayer& player, ProgramFolder folder, QObject* parent)
    : QObject(parent), m_player(player), m_folder(std::move(folder)) {
    m_closeTimer.setSingleShot(true);
    m_closeTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_closeTimer, &QTimer::timeout, this, &SoundEffects::close);
}

void SoundEffects::play(Effect effect) {
    m_open = m_folder.file(fileName(effect));
    m_player.open(m_open);
    m_player.play();
    m_closeTimer.start(lengthMs(effect));
}

void SoundEffects::received() {
    if (isPlaying(Effect::Plain))
        return;
    play(Effect::Plain);
}

void SoundEffects::switchedOn() {
    m_player.open(m_folder.file(fileName(Effect::Cipher)));
    m_player.play();
}

bool SoundEffects::isPlaying(Effect effect) const {
    return m_closeTimer.isActive() && m_open == m_folder.file(fileName(effect));
}

void SoundEffects::close() {
    // The box's commands may have opened their own sound meanwhile: close this one.
    m_player.open(m_open);
    m_player.close();
    m_open.clear();
}

} // namespace vornal
