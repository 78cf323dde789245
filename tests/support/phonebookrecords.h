#pragma once

#include "phonebookentry.h"

namespace vornal {

// A subscriber for tests: number, name and favourite mark, the rest empty.
inline PhonebookEntry testEntry(const QString& number, const QString& name, qint16 check = 0) {
    PhonebookEntry e;
    e.Number = number;
    e.Name = name;
    e.Check = check;
    return e;
}

inline QString blanks(int n) {
    return QString(n, QLatin1Char(' '));
}

} // namespace vornal
