#include "faultingfilewriter.h"

#include <QDir>

#include <algorithm>

namespace vornal {

bool FaultingFileWriter::failsAt(WriteFault::Step step) const {
    if (!m_failing || m_fault->step != step)
        return false;
    errno = m_fault->error;
    return true;
}

int FaultingFileWriter::create(const QString& path, const QByteArray& target, QByteArray* temporary) {
    m_failing = false;
    if (m_fault &&
        (m_fault->pathEndsWith.isEmpty() ||
         QDir::fromNativeSeparators(path).endsWith(QDir::fromNativeSeparators(m_fault->pathEndsWith)))) {
        if (m_fault->passing > 0)
            --m_fault->passing;
        else
            m_failing = true;
    }
    if (failsAt(WriteFault::Step::Create))
        return -1;
    return FileWriter::create(path, target, temporary);
}

bool FaultingFileWriter::write(int fd, const char* data, qint64 size) {
    if (!m_failing || m_fault->step != WriteFault::Step::Write)
        return FileWriter::write(fd, data, size);
    // What fits before the disk is full reaches the file; then the write fails.
    FileWriter::write(fd, data, std::clamp<qint64>(m_fault->bytesBeforeFailure, 0, size));
    return !failsAt(WriteFault::Step::Write);
}

bool FaultingFileWriter::sync(int fd) {
    return !failsAt(WriteFault::Step::Sync) && FileWriter::sync(fd);
}

bool FaultingFileWriter::close(int fd) {
    const bool closed = FileWriter::close(fd);
    return !failsAt(WriteFault::Step::Close) && closed;
}

bool FaultingFileWriter::rename(const QByteArray& from, const QByteArray& to) {
    return !failsAt(WriteFault::Step::Rename) && FileWriter::rename(from, to);
}

} // namespace vornal
