#include "LibraryIndexer.h"

#include "LibraryColumns.h"
#include "LibraryIndex.h"
#include "RecordFileName.h"
#include "RecordReader.h"
#include "RecordSearch.h"

#include <QDateTime>
#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>

namespace {

// Records handed to a worker at a time, and summaries stored in one transaction.
constexpr int kChunkSize = 8;
constexpr int kBatchSize = 64;

// Links to folders are not entered: a link back up the tree would never end.
QList<LibraryIndexer::ListedFile> FindRecordFiles(const QString& folder, bool subfolders, const std::atomic<bool>& stopped)
{
    QList<LibraryIndexer::ListedFile> files;
    QDirIterator entries(folder, QDir::Files | QDir::Hidden | QDir::System,
                         subfolders ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
    while (entries.hasNext() && !stopped.load()) {
        const QFileInfo info = entries.nextFileInfo();
        if (!IsRecordFileName(info.fileName()) || !info.exists())
            continue;
        files.append({LibraryKey(info.filePath()), info.size(), info.lastModified().toMSecsSinceEpoch()});
    }
    return files;
}

// Summaries flow from the workers to the coordinating thread through this.
struct SummaryQueue {
    std::mutex mutex;
    std::condition_variable ready;
    std::deque<LibrarySummary> summaries;
    int skipped = 0; // records a stopped run never read

    void Push(LibrarySummary summary)
    {
        {
            std::lock_guard lock(mutex);
            summaries.push_back(std::move(summary));
        }
        ready.notify_one();
    }
    void Skip(int count)
    {
        {
            std::lock_guard lock(mutex);
            skipped += count;
        }
        ready.notify_one();
    }
};

// What the search and the list's columns show of a summary, composed on the thread that read it.
void ComposeTexts(LibrarySummary& summary, const SearchNames& names)
{
    summary.searchText = SearchableText(summary, names);
    summary.columns = ColumnValues(summary, names);
}

} // namespace

struct LibraryIndexer::RunState {
    int id = 0;
    QString folder;
    bool subfolders = false;
    bool awaitsListing = false; // the folder's records come from the list's own listing
    SearchNames names;
    std::atomic<bool> stopped{false};

    std::mutex mutex;
    std::condition_variable listingReady;
    std::optional<QList<ListedFile>> listed;

    void Stop()
    {
        {
            std::lock_guard lock(mutex);
            stopped.store(true);
        }
        listingReady.notify_all();
    }
    void Deliver(QList<ListedFile> files)
    {
        {
            std::lock_guard lock(mutex);
            listed = std::move(files);
        }
        listingReady.notify_all();
    }
    // Nothing when the run was stopped first.
    std::optional<QList<ListedFile>> AwaitListing()
    {
        std::unique_lock lock(mutex);
        listingReady.wait(lock, [this] { return listed.has_value() || stopped.load(); });
        if (stopped.load())
            return std::nullopt;
        return std::move(listed);
    }
};

LibraryIndexer::LibraryIndexer(const QString& databasePath, int workerCount, QObject* parent)
    : QObject(parent)
    , m_index(std::make_shared<LibraryIndex>(databasePath))
    , m_fallbackMessage(m_index->FallbackMessage())
{
    qRegisterMetaType<QList<LibrarySummary>>();
    m_coordinator.setMaxThreadCount(1);
    if (workerCount > 0)
        m_workers.setMaxThreadCount(workerCount);
    // A click on a record reads it on the UI thread; the indexing workers give way to it.
    m_workers.setThreadPriority(QThread::LowPriority);
}

LibraryIndexer::~LibraryIndexer()
{
    Stop();
    m_coordinator.waitForDone();
    m_workers.waitForDone();
}

int LibraryIndexer::Start(const QString& folder, bool subfolders)
{
    return StartRun(folder, subfolders, false);
}

int LibraryIndexer::StartListed(const QString& folder, QList<ListedFile> files)
{
    const int run = StartAwaitingListing(folder);
    DeliverListing(run, std::move(files));
    return run;
}

int LibraryIndexer::StartAwaitingListing(const QString& folder)
{
    return StartRun(folder, false, true);
}

void LibraryIndexer::DeliverListing(int run, QList<ListedFile> files)
{
    if (m_run && m_run->id == run)
        m_run->Deliver(std::move(files));
}

int LibraryIndexer::StartRun(const QString& folder, bool subfolders, bool awaitsListing)
{
    Stop();
    auto run = std::make_shared<RunState>();
    run->id = m_currentRun.fetch_add(1) + 1;
    run->folder = LibraryKey(folder);
    run->subfolders = subfolders;
    run->awaitsListing = awaitsListing;
    run->names = m_names;
    m_run = run;
    m_coordinator.start([this, run] { RunIndexing(run); });
    return run->id;
}

void LibraryIndexer::Stop()
{
    if (m_run)
        m_run->Stop();
    m_run.reset();
}

bool LibraryIndexer::WaitForDone(int msecs)
{
    return m_coordinator.waitForDone(msecs);
}

// What the index holds of the folder is read first, while the list is still listing it.
void LibraryIndexer::RunIndexing(const std::shared_ptr<RunState>& run)
{
    QList<LibrarySummary> known = m_index->SummariesUnder(run->folder, run->subfolders);
    // The stamps come with the summaries: the same rows, not read a second time.
    QHash<QString, LibraryIndex::FileStamp> stored;
    stored.reserve(known.size());
    for (LibrarySummary& summary : known) {
        summary.columns = ColumnValues(summary, run->names);
        stored.insert(summary.path, {summary.size, summary.mtime});
    }
    const std::optional<QList<ListedFile>> listed =
        run->awaitsListing ? run->AwaitListing() : FindRecordFiles(run->folder, run->subfolders, run->stopped);
    if (!listed || run->stopped.load())
        return;
    const QList<ListedFile>& files = *listed;

    QList<ListedFile> toRead;
    QSet<QString> present;
    present.reserve(files.size());
    for (const ListedFile& file : files) {
        present.insert(file.path);
        const auto stamp = stored.constFind(file.path);
        if (stamp == stored.cend() || stamp->size != file.size || stamp->mtime != file.mtime)
            toRead.append(file);
        if (stamp != stored.cend())
            stored.erase(stamp);
    }
    // What is left was indexed here once and is gone now.
    const QStringList gone = stored.keys();
    if (!gone.isEmpty()) {
        m_index->Remove(gone);
        Q_EMIT RecordsGone(run->id, gone);
    }

    QSet<QString> reading;
    for (const ListedFile& file : toRead)
        reading.insert(file.path);
    known.removeIf([&](const LibrarySummary& summary) {
        return reading.contains(summary.path) || !present.contains(summary.path);
    });
    const int total = static_cast<int>(files.size());
    int done = static_cast<int>(known.size());
    Q_EMIT SummariesReady(run->id, known);
    Q_EMIT Progress(run->id, done, total);

    auto queue = std::make_shared<SummaryQueue>();
    for (qsizetype first = 0; first < toRead.size(); first += kChunkSize) {
        QList<ListedFile> chunk = toRead.mid(first, kChunkSize);
        m_workers.start([chunk = std::move(chunk), queue, run] {
            thread_local Mgx::RecordReader reader;
            for (qsizetype index = 0; index < chunk.size(); ++index) {
                if (run->stopped.load()) {
                    queue->Skip(static_cast<int>(chunk.size() - index));
                    return;
                }
                const LibraryIndexer::ListedFile& file = chunk[index];
                LibrarySummary summary = ReadLibrarySummary(reader, file.path, file.size, file.mtime);
                ComposeTexts(summary, run->names);
                queue->Push(std::move(summary));
            }
        });
    }

    // A batch is stored when full, when the last records are in, or a moment after its first
    // summary, so progress moves on a slow disk too.
    const int wanted = static_cast<int>(toRead.size());
    int handled = 0;
    while (handled < wanted && !run->stopped.load()) {
        QList<LibrarySummary> batch;
        {
            std::unique_lock lock(queue->mutex);
            queue->ready.wait_for(lock, std::chrono::milliseconds(100), [&] {
                const int waiting = static_cast<int>(queue->summaries.size()) + queue->skipped;
                return waiting >= kBatchSize || handled + waiting >= wanted;
            });
            handled += queue->skipped;
            queue->skipped = 0;
            while (!queue->summaries.empty() && batch.size() < kBatchSize) {
                batch.append(std::move(queue->summaries.front()));
                queue->summaries.pop_front();
            }
        }
        handled += static_cast<int>(batch.size());
        if (batch.isEmpty())
            continue;
        // What was read is kept even when the run stops: the next visit need not read it again.
        m_index->Store(batch);
        if (run->stopped.load())
            return;
        done += static_cast<int>(batch.size());
        Q_EMIT SummariesReady(run->id, batch);
        Q_EMIT Progress(run->id, done, total);
    }
    Q_EMIT Finished(run->id);
}
