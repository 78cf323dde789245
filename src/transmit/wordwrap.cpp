#include "wordwrap.h"

#include <algorithm>

namespace vornal {

namespace {

constexpr QStringView kLineEnd = u"\r\n";

// Position of the first `ch` at or after `from` in text[..end), or `end` when none.
// The answer is kept and only searched again once the scan has passed it, so the
// wrapper scans every character a bounded number of times.
class NextOf {
public:
    NextOf(QStringView text, qsizetype end, char16_t ch) : m_text(text), m_end(end), m_ch(ch) {}

    qsizetype from(qsizetype pos) {
        if (m_found < pos) {
            const qsizetype i = m_text.first(m_end).indexOf(QChar(m_ch), pos);
            m_found = i < 0 ? m_end : i;
        }
        return m_found;
    }

private:
    QStringView m_text;
    qsizetype m_end;
    char16_t m_ch;
    qsizetype m_found = -1;
};

} // namespace

QString WordWrap(QStringView text, int width) {
    // Limit of a line: its printing characters and the blank after its last word.
    const qsizetype limit = qsizetype(std::max(width, 0)) + 1;

    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;

    QString result;
    result.reserve((end - begin) + (end - begin) / 16 + kLineEnd.size());

    // The rest of the input S is text[pos, end); the pending line P is always the
    // stretch just before it, text[lineStart, pos), so neither is ever copied.
    qsizetype pos = begin;
    qsizetype lineStart = begin;
    NextOf nextBlank(text, end, u' ');
    NextOf nextCr(text, end, u'\r');

    const auto pending = [&] { return text.sliced(lineStart, pos - lineStart); };

    for (;;) {
        const qsizetype p = pos - lineStart;
        const qsizetype blankAt = nextBlank.from(pos);
        const qsizetype crAt = nextCr.from(pos);
        // 1-based positions in S, 0 when there is none.
        const qsizetype b = blankAt < end ? blankAt - pos + 1 : 0;
        const qsizetype c = crAt < end ? crAt - pos + 1 : 0;

        if (c > 0 && p + c <= limit) {
            // The text's own CR ends the line; its LF (if any) begins the next one.
            pos += c;
            result.append(pending());
            lineStart = pos;
        } else if (b > 0 && p + b <= limit) {
            pos += b; // the word and its blank join the pending line
        } else if (b > 0 && b <= limit) {
            result.append(pending());
            result.append(kLineEnd);
            lineStart = pos; // the same word is tried again on the empty line
        } else if (b > limit) {
            if (p > 0) {
                // End the pending line first; the long word then starts a line of its own
                // (or, when a CR of the text comes before its blank, may fit after all).
                result.append(pending());
                result.append(kLineEnd);
                lineStart = pos;
                continue;
            }
            // Neither a blank nor a CR lies within the first `limit` characters here.
            qsizetype cut = pos + limit;
            const bool ownEnd = text[cut] == u'\r';
            if (ownEnd || text[cut] == u' ')
                ++cut;
            result.append(text.sliced(pos, cut - pos));
            if (!ownEnd)
                result.append(kLineEnd);
            pos = cut;
            lineStart = pos;
        } else {
            // No blank left: the rest of the text is the last word (it may hold CRs).
            const QStringView rest = text.sliced(pos, end - pos);
            if (p > 0) {
                result.append(pending());
                if (rest.size() + p > limit)
                    result.append(kLineEnd);
            }
            result.append(rest);
            result.append(kLineEnd);
            return result;
        }
    }
}

} // namespace vornal
