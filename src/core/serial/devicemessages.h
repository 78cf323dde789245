#pragma once

#include <QString>

namespace vornal {

// The operator's explanation when a device may not be opened: which group owns it
// and that joining it needs a new login.
QString permissionDeniedText(const QString& device, const QString& group);
// The group that owns a device file, empty when it cannot be found.
QString deviceGroup(const QString& device);

} // namespace vornal
