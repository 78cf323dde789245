#pragma once

#include "files/programfolder.h"

#include <QObject>
#include <QString>
#include <QTimer>

namespace vornal {

class SoundPlayer;

// The event sounds that are not the box's commands: the three sound buttons, the
// receive sound and the sound of switching sounds on. A sound is opened and played at
// once and closed after its length, on a timer: nothing here waits, so the receive
// sound can be played from inside the receive path.
class SoundEffects : public QObject {
    Q_OBJECT
public:
    // The sounds of Command1, Command2 (also the receive sound) and Command3.
    enum class Effect { Cipher, Plain, Run };

    static QString fileName(Effect effect);
    // How long the sound is given before it is closed, in milliseconds.
    static int lengthMs(Effect effect);

    SoundEffects(SoundPlayer& player, ProgramFolder folder, QObject* parent = nullptr);

    // Opens and plays the sound, and closes it after its length. A newer sound takes
    // the player over; the older one is not closed on top of it.
    void play(Effect effect);
    // The receive sound of a displayed chunk: the plain sound, unless it is still
    // playing, so that chunks at the line rate do not pile sounds on each other.
    void received();
    // Switching sounds on: the cipher sound, played to its end.
    void switchedOn();

    // A sound is open and its close still to come.
    bool isPlaying(Effect effect) const;

private:
    void close();

    SoundPlayer& m_player;
    ProgramFolder m_folder;
    QTimer m_closeTimer;
    QString m_open; // the file the timer closes
};

} // namespace vornal
