#include "platform/qtdesktoplauncher.h"

#include <QDesktopServices>

namespace vornal {

bool QtDesktopLauncher::open(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

} // namespace vornal
