#include "puncher.h"

#include <QHash>

namespace vornal {

namespace {

// The punching table as written for the operator's manual: {n} is the one byte n
// ({14} the letters shift, {27} the escape of the line-feed-only and
// carriage-return-only commands, {32} a blank), every other character is itself.
struct PunchRow {
    char character;
    const char* sent;
};

const PunchRow kPunchRows[] = {
    {'A', "VSSV#"},
    {'B', "{14}YYR#"},
    {'C', "CZZR#"},
    {'D', "{14}ZZC#"},
    {'E', "{14}YYZ#"},
    {'F', "{14}SSE#"},
    {'G', "CZYF#"},
    {'H', "{14}{32}{32}{14}#"},
    {'I', "Z{14}Z#"},
    {'J', "NTTK#"},
    {'K', "{14}{32}RZ#"},
    {'L', "{14}TTT#"},
    {'M', "{14}{27}J{32}{27}J{14}#"},
    {'N', "{14}{27}J{32}{14}#"},
    {'O', "CZZC#"},
    {'P', "{14}SSI#"},
    {'Q', "CZYCT#"},
    {'R', "{14}SDL#"},
    {'S', "LYYD#"},
    {'T', "EE{14}EE#"},
    {'U', "KTTK#"},
    {'V', "ANTNA#"},
    {'W', "KTNTK#"},
    {'X', "ZR{32}RZ#"},
    {'Y', "E{27}JM{27}JE#"},
    {'Z', "BYZWZ#"},
    {'1', "L{14}T#"},
    {'2', "LBYL#"},
    {'3', "DZYJ#"},
    {'4', "{32}I{14}{32}#"},
    {'5', "WYYD#"},
    {'6', "CYY{27}M#"},
    {'7', "AEXA#"},
    {'8', "RYYR#"},
    {'9', "{27}JYYC#"},
    {'0', "CZZC#"},
    {'+', "{32}{32}{14}{32}{32}#"},
    {'-', "{32}{32}{32}{32}{32}#"},
    {'?', "{27}JEY{27}J#"},
    {'/', "T{27}M{32}{27}JE#"},
    {'\'', "A#"},
    {'(', "CZ#"},
    {'.', "T#"},
    {')', "ZC#"},
    {'&', "RYRH#"},
    {'=', "HHHH#"},
    {' ', "####"},
};

QByteArray expand(const char* sent) {
    QByteArray bytes;
    for (const char* p = sent; *p; ++p) {
        if (*p != '{') {
            bytes += *p;
            continue;
        }
        int code = 0;
        for (++p; *p != '}'; ++p)
            code = code * 10 + (*p - '0');
        bytes += char(code);
    }
    return bytes;
}

const QHash<char16_t, QByteArray>& punchTable() {
    static const QHash<char16_t, QByteArray> table = [] {
        QHash<char16_t, QByteArray> t;
        for (const PunchRow& row : kPunchRows)
            t.insert(char16_t(row.character), expand(row.sent));
        return t;
    }();
    return table;
}

// Plain arrays: Puncher may run during static initialisation.
constexpr char kLeader[] = "\r#####";
constexpr char kTrailer[] = "####";

} // namespace

QByteArray punchGlyph(QChar c) {
    return punchTable().value(c.toUpper().unicode());
}

QByteArray Puncher(const QString& OriginString) {
    QByteArray ConvertedString(kLeader);
    ConvertedString.reserve(ConvertedString.size() + OriginString.size() * 8 + qsizetype(sizeof kTrailer));
    for (const QChar c : OriginString)
        ConvertedString += punchGlyph(c);
    ConvertedString += kTrailer;
    return ConvertedString;
}

} // namespace vornal
