#include "serial/devicereturn.h"

#include <QFileInfo>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace vornal {

namespace {

qint64 changedNs(const struct stat& file) {
    return qint64(file.st_ctim.tv_sec) * 1'000'000'000 + file.st_ctim.tv_nsec;
}

} // namespace

DeviceReturn::DeviceReturn(QObject* parent) : QObject(parent) {
    connect(&m_folder, &FolderWatch::changed, this, &DeviceReturn::check);
}

std::optional<DeviceReturn::Identity> DeviceReturn::identify(const QString& path) {
    const QByteArray name = path.toLocal8Bit();
    struct stat link {};
    struct stat target {};
    if (::lstat(name.constData(), &link) != 0 || ::stat(name.constData(), &target) != 0)
        return std::nullopt;
    return Identity{link.st_dev, link.st_ino, changedNs(link), target.st_dev, target.st_ino, target.st_rdev};
}

std::optional<DeviceReturn::Identity> DeviceReturn::identifyName(const QString& path) {
    struct stat link {};
    if (::lstat(path.toLocal8Bit().constData(), &link) != 0)
        return std::nullopt;
    return Identity{link.st_dev, link.st_ino, changedNs(link), 0, 0, 0};
}

namespace {

// The numbers of the system's pseudo-terminals (their slave ends).
bool isPseudoTerminal(dev_t device) {
    constexpr unsigned kFirstMajor = 136;
    constexpr unsigned kMajors = 8;
    return major(device) >= kFirstMajor && major(device) < kFirstMajor + kMajors;
}

} // namespace

void DeviceReturn::watch(const QString& path) {
    stop();
    if (path.isEmpty())
        return;
    m_path = path;
    m_lost = identify(path);
    m_lostName = identifyName(path);
    m_folder.start({QFileInfo(path).absolutePath()}, kCheckMs);
}

void DeviceReturn::stop() {
    m_folder.stop();
    m_lost.reset();
    m_lostName.reset();
}

void DeviceReturn::check() {
    const std::optional<Identity> now = identify(m_path);
    if (!now) {
        m_lost.reset(); // gone: whatever comes next is back
        return;
    }
    if (m_lost && *m_lost == *now)
        return;
    const bool sameName = m_lostName && m_lostName->nameDevice == now->nameDevice &&
                          m_lostName->nameInode == now->nameInode &&
                          m_lostName->nameChangedNs == now->nameChangedNs;
    if (sameName && isPseudoTerminal(now->deviceNumber))
        return;
    m_lost.reset();
    emit returned();
}

} // namespace vornal
