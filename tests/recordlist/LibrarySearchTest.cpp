#include "LibrarySearch.h"

#include "FolderListing.h"
#include "InfoText.h"
#include "LibraryColumns.h"
#include "LibraryIndexer.h"
#include "QtPrinters.h"
#include "RecordListModel.h"
#include "RecordSearch.h"
#include "RecordWriter.h"
#include "SampleRecords.h"
#include "TestApplication.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QLocale>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// A folder of the sample records, each written under several names, so the indexer has batches
// to store while the search is in force.
int WriteSamples(const QString& folder, int copies)
{
    int written = 0;
    for (const Mgx::SampleRecord& sample : Mgx::SampleRecords())
        for (int copy = 0; copy < copies; ++copy) {
            const QString name = QStringLiteral("%1/%2-%3").arg(folder).arg(copy).arg(QString::fromStdString(sample.fileName));
            Mgx::RecordWriter(sample.blueprint).WriteFile(std::filesystem::path(name.toStdString()));
            ++written;
        }
    return written;
}

// The UI thread's wait while indexing is measured by BM_IndexingStall in bench/library; this checks
// what the user sees of the same run: every record indexed, the search still filtering the list.
TEST(LibrarySearch, IndexingAFolderWithASearchInForceIndexesEveryRecordAndKeepsTheFilter)
{
    korvale::test::EnsureApplicationOf<QGuiApplication>("korvale_recordlist_tests");
    QTemporaryDir folder;
    const int records = WriteSamples(folder.path(), 20);
    QTemporaryDir cache;
    RecordListModel model;
    LibrarySearch search(model, cache.filePath(QStringLiteral("library.sqlite")));
    int summaries = 0;
    QObject::connect(&search.Indexer(), &LibraryIndexer::SummariesReady, &search,
                     [&summaries](int, const QList<LibrarySummary>& batch) { summaries += static_cast<int>(batch.size()); },
                     Qt::QueuedConnection);
    search.SetQuery(QStringLiteral("a"));

    QEventLoop loop;
    QObject::connect(&search.Indexer(), &LibraryIndexer::Finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    search.FolderListing(folder.path());
    model.SetItems(*ListFolderEntries(folder.path(), QLocale::system()), SortState{1});
    search.FolderListed(folder.path());
    QTimer::singleShot(120000, &loop, &QEventLoop::quit); // only a hung indexer gets here
    loop.exec();

    EXPECT_EQ(summaries, records) << "the whole folder was indexed";
    EXPECT_TRUE(model.IsFiltered());
}

} // namespace

TEST(LibrarySearch, TheListTheSearchAndThePanelNameAMapByOneWord)
{
    // A custom map (44) read "未知" in the 地图 column, "定制" in the panel, and the search found neither.
    const SearchNames names = LibrarySearch::TableNames();
    LibrarySummary custom;
    custom.path = QStringLiteral("/s/custom.mgx");
    custom.mapId = 44;
    custom.players = {{QStringLiteral("A"), 1, 0, 2, 2}};
    LibrarySummary arabia = custom;
    arabia.path = QStringLiteral("/s/arabia.mgx");
    arabia.mapId = 9;
    for (const LibrarySummary& summary : {custom, arabia}) {
        const QString panel = ChooseMap(0, summary.mapId, std::nullopt).label;
        EXPECT_TRUE(panel.endsWith(ColumnValues(summary, names).map)) << panel.toStdString();
    }
    EXPECT_EQ(ColumnValues(custom, names).map, QStringLiteral("定制"));
    RecordSearch search(names);
    search.Add({custom, arabia});
    EXPECT_EQ(search.Matching(QStringLiteral("定制")), QSet<QString>{custom.path});
    EXPECT_EQ(search.Matching(QStringLiteral("阿拉伯")), QSet<QString>{arabia.path});
}
