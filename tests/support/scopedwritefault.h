#pragma once

#include "core/textfile.h"

namespace vornal {

// Makes the program's whole-file writes fail as the fault describes while it lives.
class ScopedWriteFault {
public:
    explicit ScopedWriteFault(const WriteFault& fault) { TextFile::setWriteFault(fault); }
    ~ScopedWriteFault() { TextFile::setWriteFault(std::nullopt); }
    ScopedWriteFault(const ScopedWriteFault&) = delete;
    ScopedWriteFault& operator=(const ScopedWriteFault&) = delete;
};

} // namespace vornal
