#pragma once

#include <QString>
#include <QtGlobal>

// What the simulator serves and how it misbehaves.
enum class Fault {
    None,
    WrongType, // a 102-byte frame with another type byte
    Short,     // the first bytes of a record, then the connection is closed
    Close,     // the connection is closed without an end frame
    Silence,   // nothing more is sent; the connection stays open
    Garbage,   // random bytes, then nothing more
};

struct DirsimOptions {
    quint16 port = 11811; // 0: any free port
    QString csvPath;      // empty: generated subscribers
    int generate = 20;
    quint32 seed = 1;
    QString logPath; // empty: no log; "-": standard output
    bool once = false;

    bool split = false;
    int splitAt = 60;      // bytes of the first send of a split record
    int splitPauseMs = 20; // between the two sends, so they arrive apart
    int dripMs = -1;       // >= 0: every byte sent alone, this long apart
    int endLength = 102;   // bytes of the end frame

    Fault fault = Fault::None;
    int faultAfter = 0; // records sent correctly before the fault
    int faultType = 7;  // type byte of Fault::WrongType
    int shortLength = 60;
    int garbageLength = 37;
};
