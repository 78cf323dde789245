#pragma once

#include "hostresolver.h"

namespace vornal {

// The system's resolver (hosts file, then whatever the system is set up to ask),
// IPv4 addresses only.
class SystemHostResolver final : public HostResolver {
public:
    std::optional<HostEntry> lookup(const QString& name) override;
};

} // namespace vornal
