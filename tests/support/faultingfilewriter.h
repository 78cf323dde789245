#pragma once

#include "files/filewriter.h"

#include <QString>

#include <cerrno>
#include <optional>

namespace vornal {

// A failure of whole-file writes, as a full or failing disk would cause.
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

// The system's steps of a whole-file write, except that while a fault is staged the
// writes it names fail at its step. Handed to what writes through a ProgramFolder
// (ProgramFolder(root, &writer)) or to TextFile directly.
class FaultingFileWriter final : public FileWriter {
public:
    void stage(const WriteFault& fault) { m_fault = fault; }
    void clear() { m_fault.reset(); }

    int create(const QString& path, const QByteArray& target, QByteArray* temporary) override;
    bool write(int fd, const char* data, qint64 size) override;
    bool sync(int fd) override;
    bool close(int fd) override;
    bool rename(const QByteArray& from, const QByteArray& to) override;

private:
    // Whether the write under way fails at `step`; errno is then the fault's.
    bool failsAt(WriteFault::Step step) const;

    std::optional<WriteFault> m_fault;
    // The write under way is one the fault applies to.
    bool m_failing = false;
};

} // namespace vornal
