#pragma once

#include <QList>
#include <QString>

namespace vornal {

// A piece of rich text in one look. Line breaks inside a paragraph are
// QChar::LineSeparator, tabs '\t'.
struct RtfRun {
    QString text;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 24; // the size in half points, as the format writes it

    bool sameLook(const RtfRun& other) const {
        return bold == other.bold && italic == other.italic && underline == other.underline &&
               halfPoints == other.halfPoints;
    }
};

using RtfParagraph = QList<RtfRun>;

} // namespace vornal
