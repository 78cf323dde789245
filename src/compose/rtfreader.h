#pragma once

#include "rtfrun.h"

#include <QByteArrayView>
#include <QList>

namespace vornal {

// Reads the help text, a rich text (RTF) file, into paragraphs of runs. It knows
// groups, \par, \line, \tab, \b, \i, \ul, \ulnone, \plain, \fs, \'hh (Windows-1252),
// \uN with its \ucN fallback, the escaped characters and a few named punctuation
// marks; it skips destinations (\*, the font and colour tables, pictures, the
// document information) and ignores every other control. Damaged input gives what
// could be read: it never fails, runs in time linear in the input, and nests groups no
// deeper than kMaxDepth (deeper groups take the look of the group at the limit).
class RtfReader {
public:
    static constexpr int kMaxDepth = 64;
    static constexpr int kMinHalfPoints = 8;
    static constexpr int kMaxHalfPoints = 288;

    static QList<RtfParagraph> read(QByteArrayView rtf);
};

} // namespace vornal
