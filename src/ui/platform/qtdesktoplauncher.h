#pragma once

#include "files/desktoplauncher.h"

namespace vornal {

// Opens documents through the desktop's own handlers.
class QtDesktopLauncher final : public DesktopLauncher {
public:
    bool open(const QUrl& url) override;
};

} // namespace vornal
