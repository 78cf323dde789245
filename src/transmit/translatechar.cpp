#include "translatechar.h"

#include <array>
#include <optional>

namespace vornal {

namespace {

struct Replacement {
    char16_t from;
    const char* to;
};

// Rows that only map a character to itself (blank, CR) are left out: the fallback
// already passes every other character unchanged.
constexpr std::array<Replacement, 21> kFullTable = {{
    {0x00C9, "e'"},   // É
    {0x00E8, "e'"},   // è
    {0x00CD, "i'"},   // Í
    {0x00E0, "a'"},   // à
    {0x00F2, "o'"},   // ò
    {0x00F9, "u'"},   // ù
    {0x0040, "(at)"}, // @
    {0x00CC, "I'"},   // Ì
    {0x00B9, " "},    // superscript one
    {0x00BC, " "},    // one quarter
    {0x000F, " "},    // control character SI
    {0x00DF, "sz"},   // ß
    {0x00C8, "e'"},   // È
    {0x0022, "'"},    // double quote
    {0x00D6, "Oe"},   // Ö
    {0x00FC, "ue"},   // ü
    {0x00F6, "oe"},   // ö
    {0x00E4, "ae"},   // ä
    {0x00DC, "Ue"},   // Ü
    {0x00C4, "Ae"},   // Ä
    {0x00B4, "\""},   // acute accent
}};

// Applied as a chain: each test looks at what the tests before it left. The acute
// accent comes after the double quote, so the quote it produces goes out as such.
constexpr std::array<Replacement, 17> kShortChain = {{
    {0x00C9, "e'"},   // É
    {0x00CD, "i'"},   // Í
    {0x0040, "(at)"}, // @
    {0x00CC, "I'"},   // Ì
    {0x00B9, " "},    // superscript one
    {0x00BC, " "},    // one quarter
    {0x000F, " "},    // control character SI
    {0x00C4, "ae"},   // Ä, lower case here
    {0x00C8, "e'"},   // È
    {0x0022, "'"},    // double quote
    {0x00D6, "Oe"},   // Ö
    {0x00FC, "ue"},   // ü
    {0x00F6, "oe"},   // ö
    {0x00E4, "ae"},   // ä
    {0x00DC, "Ue"},   // Ü
    {0x00B4, "\""},   // acute accent
    {0x000D, ""},     // CR is not transmitted
}};

std::optional<QLatin1String> fullReplacement(QChar c) {
    for (const Replacement& row : kFullTable) {
        if (row.from == c.unicode())
            return QLatin1String(row.to);
    }
    return std::nullopt;
}

} // namespace

QString TranslateChar(QChar c) {
    if (const auto replacement = fullReplacement(c))
        return QString(*replacement);
    return QString(c);
}

QString translateText(QStringView text) {
    QString out;
    out.reserve(text.size() + text.size() / 8 + 1);
    for (const QChar c : text) {
        if (const auto replacement = fullReplacement(c))
            out.append(*replacement);
        else
            out.append(c);
    }
    return out;
}

QString shortTranslateChar(QChar c) {
    QString s(c);
    for (const Replacement& test : kShortChain) {
        if (s.size() == 1 && s.front().unicode() == test.from)
            s = QLatin1String(test.to);
    }
    return s;
}

} // namespace vornal
