#pragma once

#include "files/programfiles.h"

#include <QString>
#include <QStringList>

namespace vornal {

// The operator's ten preset phrases, one a line in "\VornalPresetText.txt". A line is
// used as read: no trimming, no length limit; further lines are ignored.
namespace PresetPhrases {

constexpr int kCount = 10;
constexpr const char* kFileName = ProgramFiles::kPresetPhrases;

struct Phrases {
    QStringList phrases; // always kCount entries; missing lines are empty
    QString error;       // set when the file is there but cannot be read
};

// Lines 1 to 10 of the file. A missing file gives ten empty phrases and no error.
Phrases read(const QString& path);

} // namespace PresetPhrases
} // namespace vornal
