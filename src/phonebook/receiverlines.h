#pragma once

#include "files/programfiles.h"
#include "phonebookentry.h"

#include <QString>
#include <QStringList>

namespace vornal {

// The receivers file "\RSend.txt" that the broadcast sequence hands to the service: one
// line per receiver in phonebook order, the number followed by ",", then a closing line
// with the last number once more followed by "+" ("+" alone without receivers). Every
// line ends with CR LF.
class ReceiverLines {
public:
    static constexpr const char* kFileName = ProgramFiles::kBroadcastReceivers;

    // The number as the service takes it: the digits of a stored Number without its
    // blanks and leading zeros ("0123" gives "123", "000" gives "0"). Empty when the
    // number holds no digit or anything besides digits and blanks: such a number would
    // reach the wrong subscriber or none, so it is never sent.
    static QString numberText(const QString& number);
    // A receiver the service is told about: marked (RsGr2 equal to 1) with a number that
    // numberText keeps. The receivers file and the broadcast header list exactly these.
    static bool isSent(const PhonebookEntry& entry);
    // The lines for these numbers (each already in numberText form), closing line included.
    static QStringList lines(const QStringList& numbers);
    // The whole file: every line followed by CR LF.
    static QString fileText(const QStringList& lines);
};

} // namespace vornal
