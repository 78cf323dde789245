#pragma once

#include <QUrl>

namespace vornal {

// Hands a document to the desktop, which opens it in the program the operator chose
// for it (a web page in the browser). The program does not wait for it; the real one
// lives with the windows, tests record what would have been opened.
class DesktopLauncher {
public:
    virtual ~DesktopLauncher() = default;
    // False when the desktop could not open it.
    virtual bool open(const QUrl& url) = 0;
};

} // namespace vornal
