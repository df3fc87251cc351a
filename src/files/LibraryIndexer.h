#pragma once

#include "LibrarySummary.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QThreadPool>

#include <atomic>
#include <memory>

class LibraryIndex;

// Brings the library index up to date for one folder (and, on request, every folder below it)
// away from the UI thread: records are read on a pool of worker threads, each with its own reader,
// and one coordinating thread stores their summaries in batches. A record already indexed with the
// same size and time is not read again; one that vanished is dropped from the index; a damaged
// one is stored as damaged and the run goes on. Starting another run stops the one before.
// Signals come from the coordinating thread: connect them queued and drop those whose run is not
// CurrentRun().
class LibraryIndexer : public QObject {
    Q_OBJECT

public:
    // Opens the index at `databasePath`; `workerCount` 0 means one worker per core.
    explicit LibraryIndexer(const QString& databasePath, int workerCount = 0, QObject* parent = nullptr);
    ~LibraryIndexer() override;

    // Empty when the database file is in use, else the line the window shows once.
    QString FallbackMessage() const { return m_fallbackMessage; }

    // Stops the current run and starts indexing `folder`; returns the new run's number.
    int Start(const QString& folder, bool subfolders);
    void Stop();
    int CurrentRun() const { return m_currentRun.load(); }
    // Waits for the coordinating thread to finish; for tests and measurements.
    bool WaitForDone(int msecs = -1);

Q_SIGNALS:
    // Summaries of records of the run's scope: first those already indexed, then each stored batch.
    void SummariesReady(int run, const QList<LibrarySummary>& summaries);
    void Progress(int run, int done, int total);
    void Finished(int run);

private:
    struct RunState;
    void RunIndexing(const std::shared_ptr<RunState>& run);

    std::shared_ptr<LibraryIndex> m_index; // touched only by the coordinating thread
    QString m_fallbackMessage;
    QThreadPool m_coordinator;
    QThreadPool m_workers;
    std::shared_ptr<RunState> m_run;
    std::atomic<int> m_currentRun{0};
};
