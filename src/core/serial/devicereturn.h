#pragma once

#include "serial/folderwatch.h"

#include <QObject>
#include <QString>
#include <QtGlobal>

#include <optional>
#include <sys/types.h>

namespace vornal {

// Waits for the device of a lost port to come back behind its name: the name's folder
// is watched, and the name looked at once a second as well. The device that is there
// when the watch starts is the one that was lost and does not count; any other does,
// a symbolic link that now names a new device too. A pseudo-terminal never comes
// back: one that appears behind the very link that named the lost one has only been
// given its number, and belongs to another program.
class DeviceReturn : public QObject {
    Q_OBJECT
public:
    static constexpr int kCheckMs = 1000;

    explicit DeviceReturn(QObject* parent = nullptr);

    void watch(const QString& path);
    void stop();
    bool isWatching() const { return m_folder.isActive(); }

signals:
    // A device is back behind the name; told again on every later look while it is
    // there, until the watch stops.
    void returned();

private:
    // The name itself (a link is a file of its own) and the device it leads to.
    struct Identity {
        dev_t nameDevice = 0;
        ino_t nameInode = 0;
        qint64 nameChangedNs = 0; // a number freed by a removed link may be given again
        dev_t device = 0;
        ino_t inode = 0;
        dev_t deviceNumber = 0;
        bool operator==(const Identity&) const = default;
    };
    static std::optional<Identity> identify(const QString& path);
    // The name's own file, when there is one.
    static std::optional<Identity> identifyName(const QString& path);
    void check();

    FolderWatch m_folder;
    QString m_path;
    std::optional<Identity> m_lost;
    std::optional<Identity> m_lostName;
};

} // namespace vornal
