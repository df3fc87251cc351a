#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

// Watches the listed folder and its record files, and says once that something changed after
// changes have stopped for a short while: a game being written, or a batch of files copied in,
// gives one re-listing rather than hundreds.
class FolderWatch : public QObject {
    Q_OBJECT

public:
    static constexpr int DefaultDelayMs = 300;
    // Record files watched one by one at most; above that only arrivals and removals are seen.
    static constexpr int MaxWatchedFiles = 1000;

    explicit FolderWatch(QObject* parent = nullptr);

    // A change waiting for the delay restarts it with the new length.
    void SetDelay(int milliseconds) { m_timer.setInterval(milliseconds); }
    int Delay() const { return m_timer.interval(); }
    // Whether a change was seen and the delay has not yet run out.
    bool IsPending() const { return m_timer.isActive(); }
    QStringList WatchedPaths() const { return m_watcher.directories() + m_watcher.files(); }

    // Watches `folder` and the given files in it (replacing what was watched); an empty folder
    // stops watching.
    void Watch(const QString& folder, const QStringList& files);
    QString Folder() const { return m_folder; }

Q_SIGNALS:
    // The folder or one of its watched files changed, and nothing more for the delay.
    void Changed();

private:
    void Clear();

    QFileSystemWatcher m_watcher;
    QTimer m_timer;
    QString m_folder;
};
