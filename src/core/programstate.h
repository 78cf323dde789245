#pragma once

#include "configuration.h"

#include <QString>

namespace vornal {

// The program-wide values of the main window. Each belongs to one part of the
// program; the others only read it.
struct ProgramState {
    Configuration config;
    QString StartDate; // "dd-MM-yyyy" of the day of start-up

    int ConnectionActive = 0; // a call was dialled and not closed
    int SoundMuted = 1;       // event sounds are off until switched on
    int PastePreview = 1;
    int CancelSend = 0;
    int KlklAutoAnswer = 0;
    int BroadcastActive = 0;
    int BroadcastListSent = 0;
    int HeadlineSelect = 0;
    qint64 Cycle = 0; // characters in the current line
    QString CurrentFilePath;
    int FileMode = 0;
    QString Echo; // kept from the settings store; nothing depends on it
};

} // namespace vornal
