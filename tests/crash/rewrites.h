#pragma once

#include "files/programfolder.h"

#include <QString>
#include <QStringList>

namespace vornal {

// The whole-file rewrites of the program, each done the way the program does it, in
// two versions: 0 (the old file) and 1 (the new one). Shared by the writer that the
// crash test kills and the test itself.
namespace Rewrites {

// "phonebook", "localnumbers", "editor", "receivers", "header", "headlines".
QStringList kinds();
// The files a kind rewrites, relative to the folder ("\phonebook.txt").
QStringList files(const QString& kind);
// Whatever a kind reads before it writes (the phonebook the receivers list is made
// from), in its old version.
void prepare(const QString& kind, const ProgramFolder& folder);
// Writes version 0 or 1. Empty when it worked, else what the program tells the
// operator.
QString write(const QString& kind, const ProgramFolder& folder, int version);

} // namespace Rewrites
} // namespace vornal
