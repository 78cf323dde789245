#pragma once

#include "scriptstep.h"

#include <QByteArrayView>
#include <QString>
#include <optional>
#include <vector>

// A parsed far-side script: send / pause / wait / timeout / close lines, the line
// statements xoff / xon / stall / resume, and '#' comments.
class Script {
public:
    static std::optional<Script> load(const QString& path, QString* error);
    static std::optional<Script> parse(QByteArrayView source, QString* error);
    // Resolves \r \n \t \\ \xHH; nullopt on a malformed escape.
    static std::optional<QByteArray> unescape(QByteArrayView text);

    const std::vector<ScriptStep>& steps() const { return m_steps; }

private:
    std::vector<ScriptStep> m_steps;
};
