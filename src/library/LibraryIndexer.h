#pragma once

#include "LibrarySummary.h"
#include "RecordSearch.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QThreadPool>

#include <atomic>
#include <memory>
#include <optional>

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

    // A record file as a listing found it.
    struct ListedFile {
        QString path; // library key
        qint64 size = 0;
        qint64 mtime = 0; // milliseconds since the epoch
    };

    // The names the search text of each summary read is composed with; set before a run starts.
    void SetSearchNames(SearchNames names) { m_names = std::move(names); }

    // Stops the current run and starts indexing `folder`; returns the new run's number.
    int Start(const QString& folder, bool subfolders);
    // The same for the records of `folder` alone, as its listing just found them, so the folder
    // is not read twice.
    int StartListed(const QString& folder, QList<ListedFile> files);
    // Starts a run for `folder` alone that reads what the index holds of it at once and then waits
    // for the listing, handed in by DeliverListing: entering a large folder, the index is read
    // while the list lists. A run that never gets its listing ends with the next Start or Stop.
    int StartAwaitingListing(const QString& folder);
    void DeliverListing(int run, QList<ListedFile> files);
    void Stop();
    int CurrentRun() const { return m_currentRun.load(); }
    // Waits for the coordinating thread to finish; for tests and measurements.
    bool WaitForDone(int msecs = -1);

Q_SIGNALS:
    // Summaries of records of the run's scope: first those already indexed, then each stored batch.
    void SummariesReady(int run, const QList<LibrarySummary>& summaries);
    // Records of the run's scope that the index held and that are no longer there.
    void RecordsGone(int run, const QStringList& paths);
    void Progress(int run, int done, int total);
    void Finished(int run);

private:
    struct RunState;
    int StartRun(const QString& folder, bool subfolders, bool awaitsListing);
    void RunIndexing(const std::shared_ptr<RunState>& run);

    std::shared_ptr<LibraryIndex> m_index; // touched only by the coordinating thread
    QString m_fallbackMessage;
    SearchNames m_names;
    QThreadPool m_coordinator;
    QThreadPool m_workers;
    std::shared_ptr<RunState> m_run;
    std::atomic<int> m_currentRun{0};
};
