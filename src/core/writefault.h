#pragma once

#include <QString>

#include <cerrno>

namespace vornal {

// A failure to make whole-file writes fail on purpose, as a full or failing disk
// would, so that tests can check what the program does then. It is set with
// TextFile::setWriteFault and applies until it is cleared.
struct WriteFault {
    // The step of a write that fails: creating the temporary file, writing to it,
    // syncing it to the disk, closing it, or renaming it over the old file.
    enum class Step { Create, Write, Sync, Close, Rename };

    Step step = Step::Write;
    // The system's error number the step fails with.
    int error = ENOSPC;
    // For Step::Write: how many bytes reach the temporary file before the failure,
    // as when the disk fills up part way.
    qint64 bytesBeforeFailure = 0;
    // Only writes to a file whose path ends with this fail; empty: every write.
    QString pathEndsWith;
    // This many of those writes work before the fault applies.
    int passing = 0;
};

} // namespace vornal
