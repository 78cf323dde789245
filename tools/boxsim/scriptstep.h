#pragma once

#include <QByteArray>

// One line of a far-side script.
struct ScriptStep {
    enum class Kind { Send, Pause, Wait, Timeout, Close };

    Kind kind = Kind::Send;
    QByteArray text; // Send, Wait: unescaped bytes
    double seconds = 0;
    int line = 0;
};
