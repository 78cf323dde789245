#pragma once

#include <QString>

namespace vornal {

// One decoded directory record: the subscriber number as decimal text (a minus sign
// when negative, no leading zeros) and the name as received.
struct DirectoryEntry {
    QString number;
    QString name;
};

} // namespace vornal
