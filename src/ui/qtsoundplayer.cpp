#include "qtsoundplayer.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace vornal {

QtSoundPlayer::QtSoundPlayer() = default;
QtSoundPlayer::~QtSoundPlayer() = default;

void QtSoundPlayer::open(const QString& path) {
    if (!QFileInfo::exists(path)) {
        m_effect.reset();
        return;
    }
    m_effect = std::make_unique<QSoundEffect>();
    m_effect->setSource(QUrl::fromLocalFile(path));
}

void QtSoundPlayer::play() {
    if (m_effect)
        m_effect->play();
}

void QtSoundPlayer::close() {
    m_effect.reset();
}

} // namespace vornal
