#pragma once

#include "look/soundplayer.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace vornal {

// The program's sound player. The sound back end (QtMultimedia and the audio server's
// client libraries, several megabytes) is a module of its own, loaded the first time a
// sound is opened: sounds are off at every start, so most runs never map it. Without
// the module nothing plays and nothing is said, as on a machine without audio.
class QtSoundPlayer final : public SoundPlayer {
public:
    // The places tried for the module, first found wins: beside the program, then the
    // installed module folder (../lib/vornal-terminal).
    static QStringList modulePlaces();

    explicit QtSoundPlayer(QStringList places = modulePlaces());
    ~QtSoundPlayer() override;
    void open(const QString& path) override;
    void play() override;
    void close() override;

    // The module was loaded (the first open); false while no sound was opened.
    bool backendLoaded() const { return m_backend != nullptr; }

private:
    QStringList m_places;
    bool m_tried = false;
    std::unique_ptr<SoundPlayer> m_backend;
};

} // namespace vornal
