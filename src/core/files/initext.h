#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace vornal {

// The text of a settings file in the INI form that QSettings reads, edited line by
// line: setting a value rewrites or adds the one line of its key and leaves every
// other line (other sections, other keys, comments, blank lines) byte for byte as it
// was. Keys and values are escaped as QSettings escapes them, so it reads them back
// unchanged; text outside plain ASCII is written as UTF-8, the encoding QSettings
// reads.
class IniText {
public:
    explicit IniText(const QByteArray& text = {});

    // Sets `key` of `section`: every line of the key in every block of the section is
    // replaced; a key that is not there is added at the end of the section's last
    // block, and a section that is not there is added at the end of the text.
    void setValue(const QString& section, const QString& key, const QString& value);
    QByteArray text() const;

    // A section or key name as QSettings writes it: letters, digits, '_', '-' and '.'
    // as they are, '/' as '\', anything else as %XX or %UXXXX.
    static QByteArray escapedKey(const QString& key);
    // A text value as QSettings writes it: control characters, '"' and '\' escaped,
    // a leading '@' doubled, quoted when it holds ',', ';' or '=' or starts or ends
    // with a blank.
    static QByteArray escapedValue(const QString& value);

private:
    QList<QByteArray> m_lines; // without their line ends
    QByteArray m_lineEnd = "\n";
};

} // namespace vornal
