#pragma once

#include <QString>
#include <QStringView>

namespace vornal {

// Breaks a text into teleprinter lines, each ended by CR LF. Works on decoded text
// (one QChar per Windows-1252 character, as TextCodec::decode gives it); encode the
// result with TextCodec before it goes to a file or the port.
//
// The line limit is width + 1: a line holds up to `width` printing characters plus
// the blank that followed its last word. Only blanks (U+0020) separate words; runs of
// blanks stay and count. A CR already in the text ends the line where it fits, with
// no LF added; the LF after it then starts the next line and counts toward it. The
// text's leading and trailing blanks are removed. The result always ends with CR LF
// (the empty text gives CR LF alone), and the last word of the text is never split.
//
// A word longer than a whole line starts on a line of its own and is cut after
// exactly width + 1 characters, the piece ended by CR LF; the rest of the word
// continues at the start of the next line and counts toward it. When the word's own
// blank or a CR of the text comes right after the cut, it stays with the piece, so no
// line begins with that blank and no empty line appears.
//
// Runs in time linear in the length of the text. All callers pass 68; a width below
// zero is taken as zero.
QString WordWrap(QStringView text, int width);

} // namespace vornal
