#pragma once

#include "faultingfilewriter.h"

namespace vornal {

// Makes the whole-file writes through `writer` fail as the fault describes while it lives.
class ScopedWriteFault {
public:
    ScopedWriteFault(FaultingFileWriter& writer, const WriteFault& fault) : m_writer(writer) {
        m_writer.stage(fault);
    }
    ~ScopedWriteFault() { m_writer.clear(); }
    ScopedWriteFault(const ScopedWriteFault&) = delete;
    ScopedWriteFault& operator=(const ScopedWriteFault&) = delete;

private:
    FaultingFileWriter& m_writer;
};

} // namespace vornal
