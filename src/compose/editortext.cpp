#include "editortext.h"

#include "files/textcodec.h"

namespace vornal::EditorText {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

bool isFieldLineEnd(QChar c) {
    return c == u'\n' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

bool encodable(QChar c) {
    return c == u'?' || TextCodec::encodeChar(c) != '?';
}

// Walks the text by characters (a surrogate pair is one) and hands each one that
// Windows-1252 cannot hold to found(position, length).
template <typename Found> void forEachUnencodable(QStringView text, Found&& found) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (encodable(c))
            continue;
        const bool pair = c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        found(i, pair ? 2 : 1);
        if (pair)
            ++i;
    }
}

} // namespace

std::optional<QString> loadedText(QStringView file, qsizetype maxLength) {
    QString text;
    text.reserve(std::min(file.size() + 2, maxLength + 2));
    bool lineOpen = false;
    for (qsizetype i = 0; i < file.size(); ++i) {
        const QChar c = file[i];
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < file.size() && file[i + 1] == u'\n')
                ++i;
            text += kCrLf;
            lineOpen = false;
        } else {
            text += c;
            lineOpen = true;
        }
        if (text.size() > maxLength)
            return std::nullopt;
    }
    if (lineOpen)
        text += kCrLf;
    if (text.size() > maxLength)
        return std::nullopt;
    return text;
}

QString toField(QStringView text) {
    QString field;
    field.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r') {
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            field += u'\n';
        } else {
            field += c;
        }
    }
    return field;
}

QString fromField(QStringView field) {
    QString text;
    text.reserve(field.size() + field.size() / 16);
    for (const QChar c : field) {
        if (isFieldLineEnd(c) || c == u'\r')
            text += kCrLf;
        else
            text += c;
    }
    return text;
}

Caret caretAt(QStringView text, qsizetype position) {
    position = std::clamp<qsizetype>(position, 0, text.size());
    Caret caret;
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < position; ++i) {
        const QChar c = text[i];
        // In CR LF the LF ends the line.
        const bool loneCr = c == u'\r' && !(i + 1 < text.size() && text[i + 1] == u'\n');
        if (isFieldLineEnd(c) || loneCr) {
            ++caret.row;
            lineStart = i + 1;
        }
    }
    caret.column = position - lineStart + 1;
    return caret;
}

Unencodable findUnencodable(QStringView text) {
    Unencodable result;
    forEachUnencodable(text, [&](qsizetype i, qsizetype length) {
        if (result.count++ == 0) {
            result.first = text.mid(i, length).toString();
            result.codePoint = length == 2 ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode();
            result.position = i;
        }
    });
    return result;
}

QString replaceUnencodable(QStringView text) {
    QString out;
    out.reserve(text.size());
    qsizetype copied = 0;
    forEachUnencodable(text, [&](qsizetype i, qsizetype length) {
        out += text.mid(copied, i - copied);
        out += u'?';
        copied = i + length;
    });
    out += text.mid(copied);
    return out;
}

QString timeText(QTime time) {
    return time.toString(QStringLiteral("hh:mm:ss"));
}

QString dateText(QDate date, QChar separator) {
    const auto digits = [](int value, int width) {
        return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
    };
    return digits(date.day(), 2) + separator + digits(date.month(), 2) + separator + digits(date.year(), 4);
}

QChar dateSeparator(const QLocale& locale) {
    // The first character of the short date format that is no field letter; a blank or
    // a quoted word is no separator.
    for (const QChar c : locale.dateFormat(QLocale::ShortFormat)) {
        if (c.isLetter())
            continue;
        return c.isPunct() && c != u'\'' ? c : QChar(u'/');
    }
    return QChar(u'/');
}

} // namespace vornal::EditorText
