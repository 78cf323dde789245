#pragma once

#include "files/desktoplauncher.h"

#include <QList>

namespace vornal {

// A desktop that opens nothing and writes down what it was handed.
class RecordingDesktopLauncher final : public DesktopLauncher {
public:
    bool open(const QUrl& url) override {
        opened.append(url);
        return succeeds;
    }

    QList<QUrl> opened;
    bool succeeds = true;
};

} // namespace vornal
