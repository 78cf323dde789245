#include "serial/devicemessages.h"

#include <grp.h>
#include <sys/stat.h>

namespace vornal {

QString permissionDeniedText(const QString& device, const QString& group) {
    if (group.isEmpty())
        return QStringLiteral("Permission denied on %1. Your user may not open this device; ask the "
                              "administrator for access, then log out and in again.")
            .arg(device);
    return QStringLiteral("Permission denied on %1. The device belongs to the group \"%2\": your user "
                          "must be a member of it (for example: sudo usermod -aG %2 $USER), then log out "
                          "and in again.")
        .arg(device, group);
}

QString deviceGroup(const QString& device) {
    struct stat st {};
    if (::stat(device.toLocal8Bit().constData(), &st) != 0)
        return {};
    const struct group* g = ::getgrgid(st.st_gid);
    return g ? QString::fromLocal8Bit(g->gr_name) : QString::number(st.st_gid);
}

} // namespace vornal
