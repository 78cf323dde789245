#pragma once

#include <QString>
#include <QStringList>

namespace vornal {

// The values read once at start from "\VornalUsb.cfg". Nothing writes them later.
struct Configuration {
    static constexpr int kMaxValueLines = 21;

    qint16 DialPrefix = 0;
    QString DateFormat;
    QString TitleSuffix;
    QString DirectoryServer;
    QString value5; // kept, nothing reads it
    QString value6; // kept, nothing reads it
    double CharDelay = 0.0;
    double BroadcastNumber1 = 0.0;
    double BroadcastNumber2 = 0.0;

    // Value lines 1 to 21 as read (comment lines removed).
    QStringList valueLines;
    // Problems found while reading, one sentence each, for one message to the operator.
    QStringList warnings;
};

// Reads the line-oriented configuration file: a line that starts with "//" is a
// comment; every other line, an empty one included, is a value line, numbered from 1.
class ConfigurationReader {
public:
    static Configuration parse(const QByteArray& content);
    // A missing or unreadable file gives the values of an empty file and a warning
    // that names the path.
    static Configuration load(const QString& path);

    // Value line 1: a 16-bit integer, rounded to the nearest with halves to even.
    // Returns false for text that is no number or lies outside the 16-bit range.
    static bool toInteger16(const QString& text, qint16* out);
};

} // namespace vornal
