#include "FolderWatch.h"

FolderWatch::FolderWatch(QObject* parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(DefaultDelayMs);
    // Every change restarts the wait, so a burst gives one signal after it ends.
    const auto restart = [this] { m_timer.start(); };
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, restart);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, restart);
    connect(&m_timer, &QTimer::timeout, this, &FolderWatch::Changed);
}

void FolderWatch::Clear()
{
    const QStringList watched = WatchedPaths();
    if (!watched.isEmpty())
        m_watcher.removePaths(watched);
}

void FolderWatch::Watch(const QString& folder, const QStringList& files)
{
    if (folder != m_folder)
        m_timer.stop();
    Clear();
    m_folder = folder;
    if (folder.isEmpty())
        return;
    m_watcher.addPath(folder);
    const QStringList some = files.mid(0, MaxWatchedFiles);
    if (!some.isEmpty())
        m_watcher.addPaths(some);
}
