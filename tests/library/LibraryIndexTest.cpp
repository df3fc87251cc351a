#include "LibraryColumns.h"
#include "LibraryIndex.h"
#include "LibraryIndexer.h"
#include "RecordsFolder.h"
#include "TestFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QMutex>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <gtest/gtest.h>

namespace {

const QString kRecs = QString::fromStdString(korvale::test::RealRecordsDir().string());

bool HaveRecs()
{
    return QFile::exists(kRecs + "/aoc10c_1v1_arabia.mgx");
}

void CopyRecord(const QString& name, const QString& target)
{
    QFile::remove(target);
    ASSERT_TRUE(QFile::copy(kRecs + "/" + name, target));
}

void SetTime(const QString& path, qint64 msecs)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::fromMSecsSinceEpoch(msecs), QFileDevice::FileModificationTime));
}

// Runs one indexing of `folder` to its end and gathers what it reported.
struct IndexRun {
    QList<LibrarySummary> summaries;
    QList<std::pair<int, int>> progress;
    bool finished = false;
};

IndexRun Index(const QString& database, const QString& folder, bool subfolders)
{
    IndexRun result;
    QMutex mutex;
    LibraryIndexer indexer(database, 2);
    QObject::connect(&indexer, &LibraryIndexer::SummariesReady, &indexer,
                     [&](int, const QList<LibrarySummary>& batch) {
                         QMutexLocker lock(&mutex);
                         result.summaries.append(batch);
                     }, Qt::DirectConnection);
    QObject::connect(&indexer, &LibraryIndexer::Progress, &indexer, [&](int, int done, int total) {
        QMutexLocker lock(&mutex);
        result.progress.append({done, total});
    }, Qt::DirectConnection);
    QObject::connect(&indexer, &LibraryIndexer::Finished, &indexer, [&](int) { result.finished = true; },
                     Qt::DirectConnection);
    indexer.Start(folder, subfolders);
    EXPECT_TRUE(indexer.WaitForDone(60000));
    return result;
}

class LibraryIndexTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!HaveRecs()) {
            if (korvale::test::RealRecordsRequired())
                FAIL() << "record files missing in " << kRecs.toStdString();
            GTEST_SKIP() << "record files missing";
        }
        ASSERT_TRUE(m_dir.isValid());
        m_folder = m_dir.filePath("saves");
        m_database = m_dir.filePath("cache/library.sqlite");
        ASSERT_TRUE(QDir().mkpath(m_folder + "/below"));
    }

    QString Record(const QString& name) const { return LibraryKey(m_folder + "/" + name); }

    QTemporaryDir m_dir;
    QString m_folder;
    QString m_database;
};

TEST_F(LibraryIndexTest, IndexesRecordsKeepsDamagedOnesAndSkipsUnchangedFiles)
{
    CopyRecord("aoc10c_1v1_arabia.mgx", m_folder + "/a.mgx");
    CopyRecord("aoc10a_4v4_arabia_gbk.mgx", m_folder + "/below/b.mgx");
    TestFiles::Write(m_folder + "/broken.mgx", QByteArray("not a record at all"));

    const IndexRun first = Index(m_database, m_folder, false);
    EXPECT_TRUE(first.finished);
    ASSERT_EQ(first.summaries.size(), 2) << "the folder below is not entered without asking";
    ASSERT_FALSE(first.progress.isEmpty());
    EXPECT_EQ(first.progress.back(), std::make_pair(2, 2));

    LibraryIndex index(m_database);
    EXPECT_FALSE(index.IsInMemory());
    const std::optional<LibrarySummary> good = index.Find(Record("a.mgx"));
    ASSERT_TRUE(good);
    EXPECT_EQ(good->status, LibrarySummary::Status::Read);
    EXPECT_EQ(good->players.size(), 2);
    EXPECT_FALSE(good->players[0].name.isEmpty());
    EXPECT_GT(good->duration, 0);
    EXPECT_EQ(good->logVersion, 4);
    const std::optional<LibrarySummary> broken = index.Find(Record("broken.mgx"));
    ASSERT_TRUE(broken);
    EXPECT_EQ(broken->status, LibrarySummary::Status::Damaged);
    EXPECT_FALSE(broken->errorText.isEmpty());
    EXPECT_FALSE(index.Find(Record("below/b.mgx")));

    // Same size and time: the summary stands even though the bytes now say something else.
    const qint64 mtime = QFileInfo(m_folder + "/a.mgx").lastModified().toMSecsSinceEpoch();
    QFile file(m_folder + "/a.mgx");
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.write(QByteArray(64, 'x'));
    file.close();
    SetTime(m_folder + "/a.mgx", mtime);
    const IndexRun second = Index(m_database, m_folder, true);
    EXPECT_EQ(second.summaries.size(), 3);
    LibraryIndex after(m_database);
    EXPECT_EQ(after.Find(Record("a.mgx"))->status, LibrarySummary::Status::Read);
    ASSERT_TRUE(after.Find(Record("below/b.mgx")));
    EXPECT_EQ(after.Find(Record("below/b.mgx"))->players.size(), 8);
}

TEST_F(LibraryIndexTest, FollowsAChangedFileAndDropsADeletedOne)
{
    CopyRecord("aoc10c_1v1_arabia.mgx", m_folder + "/a.mgx");
    CopyRecord("aoc10c_1v1_regicide.mgx", m_folder + "/gone.mgx");
    Index(m_database, m_folder, false);

    CopyRecord("aoc10a_4v4_arabia_gbk.mgx", m_folder + "/a.mgx");
    SetTime(m_folder + "/a.mgx", QDateTime::currentMSecsSinceEpoch() + 5000);
    ASSERT_TRUE(QFile::remove(m_folder + "/gone.mgx"));
    const IndexRun run = Index(m_database, m_folder, false);
    ASSERT_EQ(run.summaries.size(), 1);

    LibraryIndex index(m_database);
    ASSERT_TRUE(index.Find(Record("a.mgx")));
    EXPECT_EQ(index.Find(Record("a.mgx"))->players.size(), 8);
    EXPECT_FALSE(index.Find(Record("gone.mgx")));
    EXPECT_EQ(index.PathsUnder(m_folder, true), QStringList{Record("a.mgx")});
}

TEST_F(LibraryIndexTest, StopsWhenAnotherFolderIsStarted)
{
    for (int copy = 0; copy < 40; ++copy)
        CopyRecord("aoc10a_4v4_arabia_gbk.mgx", m_folder + QStringLiteral("/r%1.mgx").arg(copy));
    CopyRecord("aoc10c_1v1_arabia.mgx", m_folder + "/below/only.mgx");
    QList<int> finishedRuns;
    QMutex mutex;
    {
        LibraryIndexer indexer(m_database, 1);
        QObject::connect(&indexer, &LibraryIndexer::Finished, &indexer, [&](int run) {
            QMutexLocker lock(&mutex);
            finishedRuns.append(run);
        }, Qt::DirectConnection);
        const int first = indexer.Start(m_folder, false);
        const int second = indexer.Start(m_folder + "/below", false);
        EXPECT_NE(first, second);
        EXPECT_EQ(indexer.CurrentRun(), second);
        ASSERT_TRUE(indexer.WaitForDone(60000));
        EXPECT_TRUE(finishedRuns.contains(second));
        EXPECT_FALSE(finishedRuns.contains(first));
    }
    LibraryIndex index(m_database);
    EXPECT_TRUE(index.Find(Record("below/only.mgx")));
}

// Entering a folder, the index is read before the list has listed it; what the listing lacks is
// dropped and reported, and a run whose listing never comes ends when stopped.
TEST_F(LibraryIndexTest, ARunAwaitingTheListingTakesTheListedFilesOnly)
{
    CopyRecord("aoc10c_1v1_arabia.mgx", m_folder + "/a.mgx");
    CopyRecord("aoc10c_1v1_regicide.mgx", m_folder + "/gone.mgx");
    Index(m_database, m_folder, false);
    ASSERT_TRUE(QFile::remove(m_folder + "/gone.mgx"));
    CopyRecord("up12_trade_4players.mgx", m_folder + "/new.mgx");

    QList<LibrarySummary> summaries;
    QStringList gone;
    QMutex mutex;
    LibraryIndexer indexer(m_database, 1);
    indexer.SetSearchNames({[](int) { return QStringLiteral("civ"); }, [](int) { return QStringLiteral("map"); }});
    QObject::connect(&indexer, &LibraryIndexer::SummariesReady, &indexer, [&](int, const QList<LibrarySummary>& batch) {
        QMutexLocker lock(&mutex);
        summaries.append(batch);
    }, Qt::DirectConnection);
    QObject::connect(&indexer, &LibraryIndexer::RecordsGone, &indexer, [&](int, const QStringList& paths) {
        QMutexLocker lock(&mutex);
        gone.append(paths);
    }, Qt::DirectConnection);

    const int run = indexer.StartAwaitingListing(m_folder);
    QList<LibraryIndexer::ListedFile> listed;
    for (const char* name : {"a.mgx", "new.mgx"}) {
        const QFileInfo info(m_folder + "/" + name);
        listed.append({Record(name), info.size(), info.lastModified().toMSecsSinceEpoch()});
    }
    indexer.DeliverListing(run, listed);
    ASSERT_TRUE(indexer.WaitForDone(60000));
    QStringList paths;
    for (const LibrarySummary& summary : summaries) {
        paths.append(summary.path);
        EXPECT_NE(summary.columns.state, LibraryColumnValues::State::Missing) << "the columns come composed";
        if (summary.path == Record("new.mgx")) {
            EXPECT_TRUE(summary.searchText.contains("civ")) << "a record read now is composed with the names given";
            EXPECT_EQ(ColumnText(summary.columns, LibraryColumns::Version), "UserPatch 1.2");
        }
    }
    paths.sort();
    EXPECT_EQ(paths, (QStringList{Record("a.mgx"), Record("new.mgx")}));
    EXPECT_EQ(gone, QStringList{Record("gone.mgx")});
    EXPECT_FALSE(LibraryIndex(m_database).Find(Record("gone.mgx")));

    indexer.StartAwaitingListing(m_folder);
    indexer.Stop();
    EXPECT_TRUE(indexer.WaitForDone(10000)) << "a run left waiting ends when stopped";
}

// The cache file is anyone's to damage: a players column cut short or claiming too much reads as
// no players, never past its end.
TEST_F(LibraryIndexTest, ADamagedPlayersColumnReadsAsNoPlayers)
{
    LibrarySummary summary;
    summary.path = "/saves/p.mgx";
    summary.players = {{"白马啸西风", 7, 3, 2, 2}};
    {
        LibraryIndex index(m_database);
        ASSERT_TRUE(index.Store({summary}));
    }
    for (const char* damage : {"UPDATE records SET players = substr(players, 1, length(players) - 3)",
                               "UPDATE records SET players = x'01000000010000000000000000000000000000007f000000'",
                               "UPDATE records SET players = x'ffffffff'", "UPDATE records SET players = NULL"}) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(m_database.toUtf8().constData(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, damage, nullptr, nullptr, nullptr), SQLITE_OK) << damage;
        sqlite3_close(db);
        const std::optional<LibrarySummary> found = LibraryIndex(m_database).Find(summary.path);
        ASSERT_TRUE(found) << damage;
        EXPECT_TRUE(found->players.isEmpty()) << damage;
    }
}

// Paths already in the stored form skip the cleaning; every other form is cleaned as before.
TEST(LibraryKeyForm, EqualsTheCleanedPathForEveryForm)
{
    for (const char* path : {"/saves/a.mgx", "/saves//a.mgx", "/saves/./a.mgx", "/saves/x/../a.mgx", "/saves/",
                             "/", "", ".", "..", "./a.mgx", "../a.mgx", "saves/a.mgx", "/saves/a..b.mgx",
                             "/saves/.hidden.mgx", "/saves/..", "/saves/.", "//saves", "/saves/...", "a//"}) {
        const QString given = QString::fromUtf8(path);
        EXPECT_EQ(LibraryKey(given), QDir::cleanPath(given)) << path;
    }
}

TEST_F(LibraryIndexTest, RebuildsADatabaseOfAnOlderSchema)
{
    QDir().mkpath(QFileInfo(m_database).absolutePath());
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(m_database.toUtf8().constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE records (path TEXT PRIMARY KEY, size INTEGER);"
                               "INSERT INTO records VALUES ('/old/x.mgx', 5); PRAGMA user_version = 0;",
                           nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);

    LibraryIndex index(m_database);
    EXPECT_FALSE(index.IsInMemory());
    EXPECT_TRUE(index.PathsUnder("/old", true).isEmpty());
    LibrarySummary summary;
    summary.path = "/new/y.mgx";
    summary.players = {{"甲", 3, 1, 2, 2}};
    ASSERT_TRUE(index.Store({summary}));
    EXPECT_EQ(index.Find("/new/y.mgx"), summary);
}

TEST(LibraryIndexFallback, ACorruptOrUnwritableDatabaseGivesWayToMemoryOnce)
{
    QTemporaryDir dir;
    const QString corrupt = dir.filePath("corrupt.sqlite");
    TestFiles::Write(corrupt, QByteArray(4096, '\x5a'));
    const QString blocked = dir.filePath("plain-file/library.sqlite"); // its folder is a file
    TestFiles::Write(dir.filePath("plain-file"), "x");

    for (const QString& path : {corrupt, blocked}) {
        LibraryIndex index(path);
        EXPECT_TRUE(index.IsInMemory()) << path.toStdString();
        EXPECT_FALSE(index.FallbackMessage().isEmpty());
        LibrarySummary summary;
        summary.path = "/saves/z.mgx";
        summary.chat = "gg";
        summary.searchText = "白马\ngg";
        summary.formatFamily = 2;
        summary.players = {{"白马啸西风", 7, 3, 2, 2}, {"", 1, 0, 0, 4}};
        ASSERT_TRUE(index.Store({summary}));
        EXPECT_EQ(index.Find("/saves/z.mgx"), summary);
        const QList<LibrarySummary> folder = index.SummariesUnder("/saves", false);
        ASSERT_EQ(folder.size(), 1);
        EXPECT_TRUE(folder.front().chat.isEmpty()) << "a folder's summaries leave the chat to the search text";
        summary.chat.clear();
        EXPECT_EQ(folder.front(), summary);
    }
    EXPECT_EQ(TestFiles::Read(corrupt), QByteArray(4096, '\x5a')) << "the broken file is left as it was";
    LibraryIndexer indexer(corrupt, 1);
    EXPECT_EQ(indexer.FallbackMessage(), LibraryIndex(corrupt).FallbackMessage());
}

TEST(LibraryIndexFallback, AReadOnlyDatabaseGivesWayToMemory)
{
    TestFiles::SmallMount mount(1 << 20, false);
    if (!mount.IsMounted())
        GTEST_SKIP() << "cannot mount a file system here";
    const QString path = mount.Path() + "/library.sqlite";
    {
        LibraryIndex writable(path);
        ASSERT_FALSE(writable.IsInMemory());
    }
    ASSERT_TRUE(mount.Remount(true));
    LibraryIndex index(path);
    EXPECT_TRUE(index.IsInMemory());
    EXPECT_FALSE(index.FallbackMessage().isEmpty());
}

} // namespace
