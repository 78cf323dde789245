#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Command-line settings of the simulator.
struct BoxOptions {
    QString linkPath;
    QString logPath;    // empty: no byte log; "-": standard output
    QString scriptPath; // empty: the far side only prints back
    bool scriptNow = false;
    bool control = false;      // take line statements (xoff, xon, stall, ...) from standard input
    double dialPause = 1.0;    // seconds without a digit that end the number
    double connectDelay = 0.3; // seconds from "calling" to the far side's answer
    QStringList busyNumbers{QStringLiteral("80")};
    QStringList unknownNumbers{QStringLiteral("99")};
    QByteArray ownAnswerback = "54321 vornal t";
    QByteArray farName = "vornal d";
    QByteArray caller = "12345"; // far station of the incoming call made by --script-now
    // Numbers answered by the broadcast service (without leading zeros), and its log.
    QStringList broadcastNumbers{QStringLiteral("11150"), QStringLiteral("11151"), QStringLiteral("11162")};
    QString broadcastLogPath;
};
