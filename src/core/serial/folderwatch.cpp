#include "serial/folderwatch.h"

#include <QFileInfo>
#include <QFileSystemWatcher>

namespace vornal {

FolderWatch::FolderWatch(QObject* parent) : QObject(parent) {
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, &FolderWatch::tell);
    connect(&m_tick, &QTimer::timeout, this, &FolderWatch::tell);
}

FolderWatch::~FolderWatch() {
    stop();
}

void FolderWatch::start(const QStringList& folders, int tickMs) {
    stop();
    m_folders = folders;
    m_watcher = new QFileSystemWatcher(this);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, &m_settle, qOverload<>(&QTimer::start));
    watchFolders();
    if (tickMs > 0)
        m_tick.start(tickMs);
}

void FolderWatch::stop() {
    m_settle.stop();
    m_tick.stop();
    delete m_watcher;
    m_watcher = nullptr;
}

void FolderWatch::watchFolders() {
    const QStringList watched = m_watcher->directories();
    for (const QString& folder : m_folders) {
        if (!watched.contains(folder) && QFileInfo(folder).isDir())
            m_watcher->addPath(folder);
    }
}

void FolderWatch::tell() {
    if (!m_watcher)
        return;
    watchFolders();
    emit changed();
}

} // namespace vornal
