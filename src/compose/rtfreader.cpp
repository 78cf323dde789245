#include "rtfreader.h"

#include "files/textcodec.h"

#include <algorithm>
#include <vector>

namespace vornal {

namespace {

// The look and the reading rules a group hands on to the groups inside it.
struct GroupState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 24;
    int unicodeSkip = 1; // fallback characters after \uN
    bool hidden = false; // inside a destination that is not shown
};

// Destinations whose text is not part of the document.
constexpr const char* kHiddenDestinations[] = {"fonttbl",
                                               "colortbl",
                                               "stylesheet",
                                               "info",
                                               "pict",
                                               "object",
                                               "header",
                                               "headerl",
                                               "headerr",
                                               "headerf",
                                               "footer",
                                               "footerl",
                                               "footerr",
                                               "footerf",
                                               "footnote",
                                               "listtable",
                                               "listoverridetable",
                                               "revtbl",
                                               "rsidtbl",
                                               "generator",
                                               "xmlnstbl",
                                               "themedata",
                                               "colorschememapping",
                                               "datastore",
                                               "latentstyles",
                                               "fldinst",
                                               "filetbl",
                                               "pgdsctbl",
                                               "pn",
                                               "nonshppict",
                                               "bkmkstart",
                                               "bkmkend"};

// Named characters.
struct NamedChar {
    const char* name;
    char16_t character;
};
constexpr NamedChar kNamedChars[] = {
    {"emdash", 0x2014},    {"endash", 0x2013},  {"bullet", 0x2022},
    {"lquote", 0x2018},    {"rquote", 0x2019},  {"ldblquote", 0x201C},
    {"rdblquote", 0x201D}, {"emspace", 0x0020}, {"enspace", 0x0020},
};

constexpr qsizetype kMaxWordLength = 32;
constexpr int kMaxParameterDigits = 10;

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
int hexValue(char c) {
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

class Parser {
public:
    explicit Parser(QByteArrayView in) : m_in(in) {
        m_stack.emplace_back();
        m_paragraphs.append(RtfParagraph());
    }

    QList<RtfParagraph> run() {
        while (m_pos < m_in.size()) {
            const char c = m_in[m_pos++];
            switch (c) {
            case '{':
                m_pendingSkip = 0;
                if (m_stack.size() < std::size_t(RtfReader::kMaxDepth))
                    m_stack.push_back(m_stack.back());
                else
                    ++m_overflow;
                break;
            case '}':
                m_pendingSkip = 0;
                if (m_overflow > 0)
                    --m_overflow;
                else if (m_stack.size() > 1) // an unmatched close is ignored
                    m_stack.pop_back();
                break;
            case '\\':
                control();
                break;
            case '\r':
            case '\n':
                break;
            default:
                put(TextCodec::decodeByte(static_cast<unsigned char>(c)));
                break;
            }
        }
        return std::move(m_paragraphs);
    }

private:
    GroupState& state() { return m_stack.back(); }

    // A character of the text (or of a \u fallback, which is dropped).
    void put(QChar c) {
        if (m_pendingSkip > 0) {
            --m_pendingSkip;
            return;
        }
        if (state().hidden)
            return;
        const GroupState& s = state();
        const RtfRun look{QString(), s.bold, s.italic, s.underline, s.halfPoints};
        RtfParagraph& paragraph = m_paragraphs.last();
        if (paragraph.isEmpty() || !paragraph.last().sameLook(look))
            paragraph.append(look);
        paragraph.last().text += c;
    }

    void paragraph() {
        if (!state().hidden)
            m_paragraphs.append(RtfParagraph());
    }

    void control() {
        if (m_pos >= m_in.size())
            return;
        const char c = m_in[m_pos];
        if (isLetter(c)) {
            controlWord();
            return;
        }
        ++m_pos;
        if (c == '\'') {
            // \'hh: a byte in Windows-1252; a cut-off escape is dropped with its digit.
            const int high = m_pos < m_in.size() ? hexValue(m_in[m_pos]) : -1;
            const int low = m_pos + 1 < m_in.size() ? hexValue(m_in[m_pos + 1]) : -1;
            if (high < 0)
                return;
            if (low < 0) {
                ++m_pos;
                return;
            }
            m_pos += 2;
            put(TextCodec::decodeByte(static_cast<unsigned char>(high * 16 + low)));
            return;
        }
        if (c == '\\' || c == '{' || c == '}') {
            put(QChar(char16_t(c)));
            return;
        }
        if (m_pendingSkip > 0) {
            --m_pendingSkip;
            return;
        }
        switch (c) {
        case '~':
            put(QChar(char16_t(0x00A0)));
            break;
        case '_':
            put(QChar(u'-'));
            break;
        case '*':
            state().hidden = true;
            break;
        case '\r':
        case '\n':
            paragraph();
            break;
        default: // \- (optional hyphen) and unknown symbols
            break;
        }
    }

    void controlWord() {
        const qsizetype start = m_pos;
        while (m_pos < m_in.size() && isLetter(m_in[m_pos]))
            ++m_pos;
        const QByteArrayView word = m_in.sliced(start, std::min(m_pos - start, kMaxWordLength));
        bool negative = false;
        if (m_pos + 1 < m_in.size() && m_in[m_pos] == '-' && isDigit(m_in[m_pos + 1])) {
            negative = true;
            ++m_pos;
        }
        bool hasParameter = false;
        qint64 value = 0;
        for (int digits = 0; m_pos < m_in.size() && isDigit(m_in[m_pos]); ++m_pos, ++digits) {
            hasParameter = true;
            if (digits < kMaxParameterDigits)
                value = value * 10 + (m_in[m_pos] - '0');
        }
        if (m_pos < m_in.size() && m_in[m_pos] == ' ')
            ++m_pos;
        const qint64 parameter = negative ? -value : value;
        if (m_pendingSkip > 0) {
            --m_pendingSkip;
            return;
        }
        apply(word, hasParameter, parameter);
    }

    void apply(QByteArrayView word, bool hasParameter, qint64 parameter) {
        GroupState& s = state();
        const bool on = !hasParameter || parameter != 0;
        if (word == "par" || word == "sect" || word == "page") {
            paragraph();
        } else if (word == "line") {
            put(QChar::LineSeparator);
        } else if (word == "tab") {
            put(QChar(u'\t'));
        } else if (word == "b") {
            s.bold = on;
        } else if (word == "i") {
            s.italic = on;
        } else if (word == "ul" || word == "uld" || word == "uldb" || word == "ulw" || word == "ulth") {
            s.underline = on;
        } else if (word == "ulnone") {
            s.underline = false;
        } else if (word == "plain") {
            s.bold = s.italic = s.underline = false;
            s.halfPoints = 24;
        } else if (word == "fs") {
            s.halfPoints = int(std::clamp<qint64>(hasParameter ? parameter : 24, RtfReader::kMinHalfPoints,
                                                  RtfReader::kMaxHalfPoints));
        } else if (word == "uc") {
            s.unicodeSkip = int(std::clamp<qint64>(parameter, 0, 16));
        } else if (word == "u") {
            // A signed 16-bit number; then the fallback characters for readers without it.
            const qint64 code = parameter < 0 ? parameter + 65536 : parameter;
            if (hasParameter && code >= 0 && code <= 0xFFFF && code != 0)
                put(QChar(char16_t(code)));
            m_pendingSkip = s.unicodeSkip;
        } else if (word == "bin") {
            // Binary data of a picture: skipped whole.
            m_pos += qsizetype(std::clamp<qint64>(parameter, 0, m_in.size() - m_pos));
        } else {
            for (const char* hidden : kHiddenDestinations) {
                if (word == hidden) {
                    s.hidden = true;
                    return;
                }
            }
            for (const NamedChar& named : kNamedChars) {
                if (word == named.name) {
                    put(QChar(named.character));
                    return;
                }
            }
        }
    }

    QByteArrayView m_in;
    qsizetype m_pos = 0;
    std::vector<GroupState> m_stack;
    qsizetype m_overflow = 0; // groups opened past the depth limit
    int m_pendingSkip = 0;
    QList<RtfParagraph> m_paragraphs;
};

} // namespace

QList<RtfParagraph> RtfReader::read(QByteArrayView rtf) {
    return Parser(rtf).run();
}

} // namespace vornal
