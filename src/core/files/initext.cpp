#include "files/initext.h"

namespace vornal {

namespace {

const char kHex[] = "0123456789ABCDEF";

bool isHexDigit(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// A section's name as QSettings writes its header: "General" in any case would mean
// the keys outside every section, so a section of that name is marked with '%'.
QByteArray sectionName(const QString& section) {
    if (section.compare(QLatin1String("general"), Qt::CaseInsensitive) == 0)
        return '%' + IniText::escapedKey(section);
    return IniText::escapedKey(section);
}

bool isBlank(const QByteArray& line) {
    return line.trimmed().isEmpty();
}

bool isComment(const QByteArray& trimmed) {
    return trimmed.startsWith(';') || trimmed.startsWith('#');
}

// The name between the brackets of a section header, or null when the line is none.
QByteArray headerName(const QByteArray& line) {
    const QByteArray trimmed = line.trimmed();
    if (!trimmed.startsWith('['))
        return {};
    const qsizetype close = trimmed.indexOf(']');
    return (close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1)).trimmed();
}

// The key of a key line, or null when the line is none.
QByteArray keyOf(const QByteArray& line) {
    const QByteArray trimmed = line.trimmed();
    if (trimmed.isEmpty() || isComment(trimmed) || trimmed.startsWith('['))
        return {};
    const qsizetype equals = trimmed.indexOf('=');
    return equals < 0 ? QByteArray() : trimmed.left(equals).trimmed();
}

// A backslash at the very end of a line (an odd number of them) carries the value on
// to the next line.
bool continues(const QByteArray& line) {
    QByteArray end = line;
    while (end.endsWith('\r'))
        end.chop(1);
    qsizetype backslashes = 0;
    while (backslashes < end.size() && end.at(end.size() - 1 - backslashes) == '\\')
        ++backslashes;
    return backslashes % 2 == 1;
}

} // namespace

IniText::IniText(const QByteArray& text) {
    if (text.isEmpty())
        return;
    m_lines = text.split('\n');
    if (text.endsWith('\n'))
        m_lines.removeLast();
    if (m_lines.first().endsWith('\r'))
        m_lineEnd = "\r\n";
}

QByteArray IniText::text() const {
    QByteArray text;
    for (const QByteArray& line : m_lines) {
        text += line;
        text += '\n';
    }
    return text;
}

void IniText::setValue(const QString& section, const QString& key, const QString& value) {
    const QByteArray header = sectionName(section);
    const QByteArray name = escapedKey(key);
    QByteArray line = name + '=' + escapedValue(value);
    if (m_lineEnd == "\r\n")
        line += '\r';

    bool inSection = false;
    bool replaced = false;
    qsizetype endOfSection = -1; // the line after the last one of the section's last block
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const QByteArray current = headerName(m_lines.at(i));
        if (!current.isNull()) {
            inSection = current == header;
            if (inSection)
                endOfSection = i + 1;
            continue;
        }
        if (!inSection)
            continue;
        if (!isBlank(m_lines.at(i)))
            endOfSection = i + 1;
        if (keyOf(m_lines.at(i)) != name)
            continue;
        // The key's whole entry, with the lines it continues on, becomes the one line.
        qsizetype last = i;
        while (continues(m_lines.at(last)) && last + 1 < m_lines.size())
            ++last;
        m_lines.remove(i + 1, last - i);
        m_lines[i] = line;
        endOfSection = i + 1;
        replaced = true;
    }
    if (replaced)
        return;
    if (endOfSection >= 0) {
        m_lines.insert(endOfSection, line);
        return;
    }
    if (!m_lines.isEmpty() && !isBlank(m_lines.last()))
        m_lines.append(m_lineEnd == "\r\n" ? QByteArray("\r") : QByteArray());
    m_lines.append('[' + header + ']' + (m_lineEnd == "\r\n" ? "\r" : ""));
    m_lines.append(line);
}

QByteArray IniText::escapedKey(const QString& key) {
    QByteArray result;
    result.reserve(key.size());
    for (const QChar qc : key) {
        const char16_t c = qc.unicode();
        if (c == u'/') {
            result += '\\';
        } else if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
                   c == u'_' || c == u'-' || c == u'.') {
            result += char(c);
        } else if (c <= 0xFF) {
            result += '%';
            result += kHex[c / 16];
            result += kHex[c % 16];
        } else {
            result += "%U";
            for (int shift = 12; shift >= 0; shift -= 4)
                result += kHex[(c >> shift) & 0xF];
        }
    }
    return result;
}

QByteArray IniText::escapedValue(const QString& value) {
    QByteArray result;
    result.reserve(value.size() + 2);
    if (value.startsWith(QLatin1Char('@')))
        result += '@';
    bool needsQuotes = false;
    // After a numeric escape the reader takes every hex digit that follows as part of
    // it, so such a digit is escaped too.
    bool escapeHexDigit = false;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char16_t c = value.at(i).unicode();
        if (c == u';' || c == u',' || c == u'=')
            needsQuotes = true;
        if (escapeHexDigit && isHexDigit(c)) {
            result += "\\x" + QByteArray::number(int(c), 16);
            continue;
        }
        escapeHexDigit = false;
        switch (c) {
        case u'\0':
            result += "\\0";
            escapeHexDigit = true;
            break;
        case u'\a':
            result += "\\a";
            break;
        case u'\b':
            result += "\\b";
            break;
        case u'\f':
            result += "\\f";
            break;
        case u'\n':
            result += "\\n";
            break;
        case u'\r':
            result += "\\r";
            break;
        case u'\t':
            result += "\\t";
            break;
        case u'\v':
            result += "\\v";
            break;
        case u'"':
        case u'\\':
            result += '\\';
            result += char(c);
            break;
        default:
            if (c <= 0x1F || c == 0x7F) {
                result += "\\x" + QByteArray::number(int(c), 16);
                escapeHexDigit = true;
            } else if (c < 0x80) {
                result += char(c);
            } else if (value.at(i).isHighSurrogate() && i + 1 < value.size() &&
                       value.at(i + 1).isLowSurrogate()) {
                result += QStringView(value).mid(i, 2).toUtf8();
                ++i;
            } else {
                result += QStringView(value).mid(i, 1).toUtf8();
            }
            break;
        }
    }
    if (needsQuotes || result.startsWith(' ') || result.endsWith(' '))
        return '"' + result + '"';
    return result;
}

} // namespace vornal
