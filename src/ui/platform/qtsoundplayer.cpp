#include "platform/qtsoundplayer.h"

#include <QCoreApplication>
#include <QLibrary>

namespace vornal {

namespace {

constexpr const char* kModule = "vornal-sound.so";
constexpr const char* kEntry = "vornalCreateSoundPlayer";

} // namespace

QStringList QtSoundPlayer::modulePlaces() {
    const QString dir = QCoreApplication::applicationDirPath();
    return {dir + QLatin1Char('/') + QLatin1String(kModule),
            dir + QLatin1String("/../lib/vornal-terminal/") + QLatin1String(kModule)};
}

QtSoundPlayer::QtSoundPlayer(QStringList places) : m_places(std::move(places)) {}

// The module stays loaded: the player it made is gone before the program ends.
QtSoundPlayer::~QtSoundPlayer() = default;

void QtSoundPlayer::open(const QString& path) {
    if (!m_tried) {
        m_tried = true;
        for (const QString& place : m_places) {
            QLibrary module(place);
            using Create = SoundPlayer* (*)();
            if (auto create = reinterpret_cast<Create>(module.resolve(kEntry))) {
                m_backend.reset(create());
                break;
            }
        }
        // Without the module the program runs on in silence; the reason goes to the log
        // of the session rather than a dialog at every sound.
        if (!m_backend)
            qWarning("sounds are off: no sound module at %s", qPrintable(m_places.join(QLatin1String(", "))));
    }
    if (m_backend)
        m_backend->open(path);
}

void QtSoundPlayer::play() {
    if (m_backend)
        m_backend->play();
}

void QtSoundPlayer::close() {
    if (m_backend)
        m_backend->close();
}

} // namespace vornal
