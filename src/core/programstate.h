#pragma once

#include "files/configuration.h"

#include <QString>

namespace vornal {

// The program-wide values. Each has one writer, named beside it; everything else is
// handed a const reference and only reads. Values that a widget shows live with the
// object that announces their changes instead: the line's character count with
// `LineCounter`, the operator's cancel with `Transmission`.
struct ProgramState {
    Configuration config; // writer: TerminalSession::load, once at start-up
    QString StartDate;    // writer: TerminalSession::load; "dd-MM-yyyy" of the day of start-up
    QString Echo;         // writer: TerminalSession::load; kept from the settings store, unused

    bool soundMuted = true;        // writer: TerminalSession::load, the sound switches; off until switched on
    bool connectionActive = false; // writer: InterfaceCommands; a call was dialled and not closed
    bool pastePreview = true;      // writers: the clipboard paste (false for "Send Preview", true after
                                   // each run) and InterfaceCommands (true on port toggle and call close)
    bool klklAutoAnswer = false;   // writer: the klkl switch (KlklSwitch)
    bool broadcastActive = false;  // writer: BroadcastSequence (also reset when the call closes)
    bool broadcastListSent = false; // writer: BroadcastSequence
    int headlineSelect = 0;         // writer: the headline editor (the stored sets at start-up, the option
                                    // buttons); the set chosen last, stored at EXIT
};

} // namespace vornal
