#include "headlinesets.h"

#include "files/textlines.h"

#include <QFileInfo>

namespace vornal {

namespace {

constexpr int kReferenceBoxes[] = {3, 14, 25};
const QString kLineEnd = QStringLiteral("\r\n");

bool isReference(int box) {
    return std::find(std::begin(kReferenceBoxes), std::end(kReferenceBoxes), box) !=
           std::end(kReferenceBoxes);
}

// Leading and trailing blanks only; other white space stays.
QString trimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == QLatin1Char(' '))
        ++begin;
    while (end > begin && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

} // namespace

quint32 HeadlineSets::colourValue(int set) {
    static constexpr quint32 kColours[kSets] = {12640511, 16777152, 16761024};
    return isSet(set) ? kColours[set] : 16777215;
}

int HeadlineSets::numericValue(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        negative = text[i++] == QLatin1Char('-');
    qint64 value = 0;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i)
        value = std::min<qint64>(value * 10 + (text[i].unicode() - u'0'), 1'000'000'000);
    return int(negative ? -value : value);
}

QString HeadlineSets::infoText() {
    return QStringLiteral(
               "Here you may edit the headlines which will be sent at the beginning of your message.") +
           QStringLiteral(
               " Limit the Text-Lenght to the input box size, otherwise the header would be too long to "
               "send ") +
           QStringLiteral(" Select the options to choose which headline will be printed") +
           QStringLiteral("  At Exit all the Headlines will be saved automatically.") +
           QStringLiteral(" Press Preview to check the maximum length");
}

HeadlineSets::HeadlineSets(QObject* parent) : QObject(parent) {
    const QString initial[kFieldsPerSet] = {
        QStringLiteral("Stazione telescrivente di"),
        QStringLiteral("11150 Vornal"),
        QStringLiteral("Vornal Nr."),
        QStringLiteral("2024-001"),
        QStringLiteral("Data:   "),
        QStringLiteral("dd/mm/yyyy"),
        QStringLiteral("Ora:"),
        QStringLiteral("00:00:00"),
        QStringLiteral("soggetto:"),
        QString(),
        QStringLiteral("via 11151"),
    };
    for (int s = 0; s < kSets; ++s) {
        for (int p = 0; p < kFieldsPerSet; ++p)
            m_boxes[std::size_t(box(s, p))] = initial[p];
    }
    m_boxes[kSelectBox] = QStringLiteral("0");
}

void HeadlineSets::assign(int n, const QString& text) {
    QString& current = m_boxes[std::size_t(n)];
    if (current == text)
        return;
    current = text;
    emit textChanged(n, current);
}

void HeadlineSets::setText(int n, const QString& text) {
    if (n < 0 || n >= kBoxes)
        return;
    QString field = text;
    field.replace(QLatin1Char('\r'), QLatin1Char(' '));
    field.replace(QLatin1Char('\n'), QLatin1Char(' '));
    assign(n, field);
    if (isReference(n)) {
        for (const int other : kReferenceBoxes)
            assign(other, field);
    }
}

void HeadlineSets::select(int set) {
    if (m_selected == set)
        return;
    m_selected = set;
    emit selectedChanged(set);
}

void HeadlineSets::fillDateTime(const QDateTime& now) {
    const QString date = now.date().toString(QStringLiteral("dd/MM/yyyy"));
    const QString time = now.time().toString(QStringLiteral("hh:mm:ss"));
    for (int s = 0; s < kSets; ++s) {
        assign(box(s, Date), date);
        assign(box(s, Time), time);
    }
}

QStringList HeadlineSets::lines(int set, bool trimmed) const {
    const auto field = [&](int p) {
        const QString& t = text(box(set, p));
        return trimmed ? trimBlanks(t) : t;
    };
    const auto join = [&](int from, int to) {
        QStringList fields;
        for (int p = from; p <= to; ++p)
            fields.append(field(p));
        return fields.join(QLatin1Char(' '));
    };
    return {join(StationLabel, Station), join(NumberLabel, Time), join(SubjectLabel, Routing)};
}

QStringList HeadlineSets::previewItems() const {
    QStringList items{QStringLiteral(" "), QString::fromLatin1(kRuler), QStringLiteral(" ")};
    if (isSet(m_selected))
        items += lines(m_selected, false);
    return items;
}

QString HeadlineSets::LoadResult::statusText() const {
    const QString keep = QStringLiteral("the headline boxes keep their texts");
    if (!read)
        return read.error + QStringLiteral("; ") + keep;
    if (!found)
        return QStringLiteral("Headlines.txt not found: ") + keep;
    if (lines < kBoxes)
        return QStringLiteral("Headlines.txt holds %1 of %2 lines: the other headline boxes keep their texts")
            .arg(lines)
            .arg(kBoxes);
    return QString();
}

HeadlineSets::LoadResult HeadlineSets::load(const ProgramFolder& folder) {
    LoadResult result;
    const QString path = folder.file(QString::fromLatin1(kSetsFile));
    result.found = QFileInfo::exists(path);
    if (!result.found)
        return result;
    QString content;
    result.read = TextFile::readText(path, &content);
    if (!result.read)
        return result;
    const QStringList lines = splitTextLines(content);
    result.lines = int(std::min<qsizetype>(lines.size(), kBoxes));
    // As typed: so the reference boxes follow each other here too.
    for (int n = 0; n < result.lines; ++n)
        setText(n, lines.at(n));
    if (result.lines > kSelectBox)
        select(numericValue(text(kSelectBox)));
    return result;
}

FileResult HeadlineSets::save(const ProgramFolder& folder, const QDateTime& now) {
    assign(kSelectBox, QString::number(m_selected));
    QString sets;
    for (const QString& t : m_boxes)
        sets += t + kLineEnd;
    if (FileResult written =
            TextFile::writeText(folder.file(QString::fromLatin1(kSetsFile)), sets, folder.writer());
        !written)
        return written;

    fillDateTime(now);
    QString headline;
    if (isSet(m_selected)) {
        for (const QString& line : lines(m_selected, true))
            headline += line + kLineEnd;
    }
    return TextFile::writeText(folder.file(QString::fromLatin1(kHeadlineFile)), headline, folder.writer());
}

} // namespace vornal
