#pragma once

#include "files/textfile.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace vornal {

class FileWriter;
class MarkedPhonebookList;
class PhonebookFile;

// The save of the receivers window: the ticks become the RsGr2 marks of the phonebook,
// and the receivers (the records marked afterwards, in phonebook order) are written as
// the receivers file, replaced whole, so that a failed write leaves the old one.
class BroadcastReceivers {
public:
    static constexpr const char* kListTitle = "Rundsenden to:";

    // What failed, naming the file, and what the window shows.
    struct Saved : FileResult {
        QStringList shown;   // the receivers list of the window: title, blank, the file's lines
        QStringList leftOut; // receivers whose number holds more than digits: not in the file
    };

    // Runs a step and returns when it has finished: the window's runBesideEvents, or,
    // when empty, the step right here.
    using Beside = std::function<void(const std::function<void()>&)>;

    // The receivers file is written with `writer`, the program folder's, through
    // `beside`: it is synced to the disk, which a busy disk may take long for.
    static Saved save(MarkedPhonebookList& list, PhonebookFile& phonebook, const QString& receiversPath,
                      FileWriter* writer = nullptr, const Beside& beside = {});
};

} // namespace vornal
