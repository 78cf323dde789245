#pragma once

#include <QString>

#include <optional>

namespace vornal {

// A line settings string "speed,parity,data bits,stop bits", as "9600,n,8,1".
struct SerialSettings {
    int speed = 9600;
    QChar parity = QLatin1Char('n'); // e, o, n, m, s
    int dataBits = 8;
    QString stopBits = QStringLiteral("1"); // "1", "1.5", "2"

    static std::optional<SerialSettings> parse(const QString& text);
    QString toString() const;
};

// The settings shown in the port settings window's lists, split by position as the
// window has always done: the speed is everything before the parity letter, the
// parity letter and the data bits are single characters, the stop bits are the tail.
struct SettingsDisplay {
    QString speed;
    int parityIndex = -1; // position in the parity list, -1 selects nothing
    QString dataBits;
    QString stopBits;
};

SettingsDisplay splitSettingsForDisplay(const QString& settings);

} // namespace vornal
