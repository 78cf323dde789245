#include "localnumbers.h"

#include "files/textcodec.h"
#include "files/textfile.h"
#include "files/textlines.h"

namespace vornal {

namespace {

constexpr int kDescriptionAt = 6; // column 7

QString oneLine(QString text) {
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

// The padding blanks at the end only: a leading blank is part of what is dialled.
QString withoutPadding(QString text) {
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

} // namespace

LocalNumbers::Entries LocalNumbers::LoadLocalNumbers(const QString& path) {
    Entries entries;
    QString text;
    if (!TextFile::readText(path, &text))
        return entries;
    const QStringList lines = splitTextLines(text);
    for (int i = 0; i < kCount && i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        entries[i].number = withoutPadding(line.left(kNumberWidth));
        entries[i].description = line.mid(kDescriptionAt);
    }
    return entries;
}

FileResult LocalNumbers::SaveLocalNumbers(const QString& path, const Entries& entries, FileWriter* writer) {
    QByteArray bytes;
    for (const LocalNumberEntry& e : entries) {
        const QString number = oneLine(e.number.left(kNumberWidth));
        bytes += TextCodec::encode(number.leftJustified(kNumberWidth, QLatin1Char(' ')));
        bytes += "   ";
        bytes += TextCodec::encode(oneLine(e.description));
        bytes += "\r\n";
    }
    return TextFile::writeBytes(path, bytes, writer);
}

QString LocalNumbers::displayCaption(const LocalNumberEntry& entry) {
    return entry.number.leftJustified(kNumberWidth, QLatin1Char(' ')) + QStringLiteral("     ") +
           entry.description;
}

QStringList LocalNumbers::designCaptions() {
    QStringList captions;
    for (int i = 1; i <= kCount; ++i)
        captions.append(QString::number(i));
    return captions;
}

} // namespace vornal
