#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

class QFileSystemWatcher;

namespace vornal {

// Tells when entries come and go in a few folders, through the system's file
// notifications, and on a slow tick as well when asked (for a folder that does not
// exist yet, or a change the notifications cannot see). A folder that appears later is
// watched from the next change or tick on. Nothing is watched while stopped.
class FolderWatch : public QObject {
    Q_OBJECT
public:
    // Notifications come in bursts (a device brings its node and its links); one
    // change is told once the burst has settled.
    static constexpr int kSettleMs = 100;

    explicit FolderWatch(QObject* parent = nullptr);
    ~FolderWatch() override;

    // tickMs 0: notifications only.
    void start(const QStringList& folders, int tickMs = 0);
    void stop();
    bool isActive() const { return m_watcher != nullptr; }

signals:
    void changed();

private:
    void watchFolders();
    void tell();

    QFileSystemWatcher* m_watcher = nullptr;
    QStringList m_folders;
    QTimer m_settle;
    QTimer m_tick;
};

} // namespace vornal
