#pragma once

#include "hostresolver.h"

#include <QHash>
#include <QStringList>

// Answers name lookups from a table, so that no test asks a name server.
class FakeHostResolver final : public vornal::HostResolver {
public:
    std::optional<vornal::HostEntry> lookup(const QString& name) override {
        asked.append(name);
        const auto it = entries.constFind(name);
        if (it == entries.constEnd())
            return std::nullopt;
        return *it;
    }
    QHash<QString, vornal::HostEntry> entries;
    QStringList asked;
};
