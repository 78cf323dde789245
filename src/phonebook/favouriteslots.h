#pragma once

#include <QString>
#include <QStringList>

namespace vornal {

class PhonebookFile;
struct PhonebookEntry;

// The 25 call slots of the main window, filled with the favourites of the phonebook
// in file order. A slot without a favourite carries its own index as caption.
class FavouriteSlots {
public:
    static constexpr int kSlotCount = 25;
    // Characters of a caption read as the number to dial: the two leading blanks and
    // the first ten characters of the number field.
    static constexpr int kDialWidth = 12;

    struct Fill {
        QStringList captions; // always kSlotCount
        bool opened = true;   // false: the phonebook could be neither opened nor created
        QString error;
    };

    // Captions before the first fill: "1" to "25".
    static QStringList designCaptions();
    // Two blanks, the 12-character number as stored, blanks up to ten after a short
    // number, the 40-character name as stored.
    static QString caption(const PhonebookEntry& entry);
    // Every record whose Check is not 0 is a favourite; reading stops at the 26th.
    // The file is closed again in every case.
    static Fill fill(PhonebookFile& file);
};

} // namespace vornal
