// The record library at the sizes a long-time player's SaveGame folder reaches:
// - BM_IndexRecords against BM_IndexFloor: first indexing of real records on all cores, against
//   loading the same files one after another on one thread. Target: the indexing rate at least
//   0.7 x the floor's rate x the core count.
// - BM_Search: one keystroke's filter of the list over an indexed folder. Target: 30 ms.
// - BM_Reopen against BM_ListPlain: listing an indexed folder with its summaries and every column,
//   against the plain listing. Target: 1.3 x the plain listing; its max_stall_ms, the longest the
//   event loop waits once the list is shown, 50 ms.
// - BM_IndexingStall: the longest the UI thread's event loop waits while a folder is indexed with
//   a search in force. Target: 50 ms.
#include "BenchApplication.h"
#include "FolderListing.h"
#include "LibraryCorpus.h"
#include "LibraryIndexer.h"
#include "LibrarySearch.h"
#include "RecordListModel.h"
#include "RecordLoader.h"
#include "RecordError.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QLocale>
#include <QThread>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <memory>

namespace {

// One corpus per size for the whole run; making one links thousands of files.
LibraryCorpus& Corpus(int count)
{
    static std::map<int, std::unique_ptr<LibraryCorpus>> corpora;
    std::unique_ptr<LibraryCorpus>& corpus = corpora[count];
    if (!corpus)
        corpus = std::make_unique<LibraryCorpus>(count);
    return *corpus;
}

// The corpus of `count` records with a database that already holds all their summaries.
struct IndexedCorpus {
    LibraryCorpus& corpus;
    QTemporaryDir cache;
    QString database;

    explicit IndexedCorpus(int count)
        : corpus(Corpus(count))
        , database(cache.filePath(QStringLiteral("library.sqlite")))
    {
        if (corpus.IsValid())
            corpus.StoreSummaries(database);
    }
};

IndexedCorpus& Indexed(int count)
{
    static std::map<int, std::unique_ptr<IndexedCorpus>> indexed;
    std::unique_ptr<IndexedCorpus>& entry = indexed[count];
    if (!entry)
        entry = std::make_unique<IndexedCorpus>(count);
    return *entry;
}

bool Usable(benchmark::State& state, const LibraryCorpus& corpus)
{
    if (corpus.IsValid())
        return true;
    const std::string message = corpus.Error().toStdString();
    state.SkipWithError(message.c_str());
    return false;
}

void BM_IndexFloor(benchmark::State& state)
{
    const LibraryCorpus& corpus = Corpus(static_cast<int>(state.range(0)));
    if (!Usable(state, corpus))
        return;
    std::vector<std::string> paths;
    for (const QString& path : corpus.Paths())
        paths.push_back(path.toStdString());
    for (auto _ : state) {
        for (const std::string& path : paths) {
            try {
                benchmark::DoNotOptimize(Mgx::LoadRecordFile(path));
            } catch (const Mgx::RecordError&) {
                // the damaged record of the set costs what it costs
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(paths.size()));
}
BENCHMARK(BM_IndexFloor)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_IndexRecords(benchmark::State& state)
{
    EnsureBenchApplication("korvale_library_bench");
    const LibraryCorpus& corpus = Corpus(static_cast<int>(state.range(0)));
    if (!Usable(state, corpus))
        return;
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir cache;
        auto indexer = std::make_unique<LibraryIndexer>(cache.filePath(QStringLiteral("library.sqlite")));
        state.ResumeTiming();
        indexer->Start(corpus.Folder(), false);
        indexer->WaitForDone();
        state.PauseTiming();
        indexer.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(corpus.Paths().size()));
    state.counters["cores"] = QThread::idealThreadCount();
}
BENCHMARK(BM_IndexRecords)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

void ListInto(RecordListModel& model, const QString& folder)
{
    std::optional<QList<MgxListItem>> items = ListFolderEntries(folder, QLocale::system());
    model.SetItems(std::move(*items), SortState{1});
}

// Runs the event loop until the search's indexer has delivered everything of its current run.
void WaitForIndexer(LibrarySearch& search)
{
    QEventLoop loop;
    const int run = search.Indexer().CurrentRun();
    QObject::connect(&search.Indexer(), &LibraryIndexer::Finished, &loop,
                     [&loop, run](int finished) {
                         if (finished == run)
                             loop.quit();
                     },
                     Qt::QueuedConnection);
    loop.exec();
}

void BM_ListPlain(benchmark::State& state)
{
    EnsureBenchApplication("korvale_library_bench");
    IndexedCorpus& indexed = Indexed(static_cast<int>(state.range(0)));
    if (!Usable(state, indexed.corpus))
        return;
    RecordListModel model;
    for (auto _ : state)
        ListInto(model, indexed.corpus.Folder());
    state.counters["rows"] = model.rowCount();
}
BENCHMARK(BM_ListPlain)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

// What the window does on entering an indexed folder: lists it, then takes every summary from
// the index into the search and the columns.
void BM_Reopen(benchmark::State& state)
{
    EnsureBenchApplication("korvale_library_bench");
    IndexedCorpus& indexed = Indexed(static_cast<int>(state.range(0)));
    if (!Usable(state, indexed.corpus))
        return;
    RecordListModel model;
    LibrarySearch search(model, indexed.database);
    // The longest the event loop waits once the list is shown, while the summaries come in.
    qint64 worst = 0;
    QElapsedTimer sinceTick;
    QTimer tick;
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] { worst = std::max(worst, sinceTick.restart()); });
    for (auto _ : state) {
        search.FolderListing(indexed.corpus.Folder());
        ListInto(model, indexed.corpus.Folder());
        sinceTick.start();
        tick.start();
        search.FolderListed(indexed.corpus.Folder());
        WaitForIndexer(search);
        worst = std::max(worst, sinceTick.elapsed());
        tick.stop();
    }
    state.counters["rows"] = model.rowCount();
    state.counters["max_stall_ms"] = static_cast<double>(worst);
}
BENCHMARK(BM_Reopen)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

// Two players' names typed in turn, so every keystroke changes the rows shown.
void BM_Search(benchmark::State& state)
{
    EnsureBenchApplication("korvale_library_bench");
    IndexedCorpus& indexed = Indexed(static_cast<int>(state.range(0)));
    if (!Usable(state, indexed.corpus))
        return;
    RecordListModel model;
    LibrarySearch search(model, indexed.database);
    ListInto(model, indexed.corpus.Folder());
    search.FolderListed(indexed.corpus.Folder());
    WaitForIndexer(search);
    const QString queries[] = {QStringLiteral("雨神"), QStringLiteral("吟春")};
    int turn = 0;
    for (auto _ : state)
        search.SetQuery(queries[turn++ % 2]);
    state.counters["rows"] = model.rowCount();
}
BENCHMARK(BM_Search)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_IndexingStall(benchmark::State& state)
{
    EnsureBenchApplication("korvale_library_bench");
    const LibraryCorpus& corpus = Corpus(static_cast<int>(state.range(0)));
    if (!Usable(state, corpus))
        return;
    qint64 worst = 0;
    for (auto _ : state) {
        QTemporaryDir cache;
        RecordListModel model;
        LibrarySearch search(model, cache.filePath(QStringLiteral("library.sqlite")));
        ListInto(model, corpus.Folder());
        search.SetQuery(QStringLiteral("雨神"));
        QElapsedTimer sinceTick;
        QTimer tick;
        tick.setInterval(1);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            worst = std::max(worst, sinceTick.restart());
        });
        sinceTick.start();
        tick.start();
        search.FolderListed(corpus.Folder());
        WaitForIndexer(search);
        worst = std::max(worst, sinceTick.elapsed());
    }
    state.counters["max_stall_ms"] = static_cast<double>(worst);
}
BENCHMARK(BM_IndexingStall)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace
