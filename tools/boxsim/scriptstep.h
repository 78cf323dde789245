#pragma once

#include <QByteArray>

// One line of a far-side script, or one control line.
struct ScriptStep {
    enum class Kind { Send, Pause, Wait, Timeout, Close, Xoff, Xon, Stall, Resume };

    Kind kind = Kind::Send;
    QByteArray text; // Send, Wait: unescaped bytes
    double seconds = 0;
    int line = 0;
};
