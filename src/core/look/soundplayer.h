#pragma once

#include <QString>

namespace vornal {

// Plays a wave file. The real player lives with the windows.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void open(const QString& path) = 0;
    virtual void play() = 0;
    virtual void close() = 0;
};

} // namespace vornal
