#include "FolderWatch.h"

#include "TestApplication.h"
#include "TestFiles.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <functional>

#include <gtest/gtest.h>

namespace {

// Longer than any test runs: a change then waits until the test lets it through.
constexpr int kHeld = 3600 * 1000;

// Runs the event loop until `done` holds. The file system's notices come asynchronously, so this
// waits for them; the bound only keeps a broken watch from hanging the run.
bool ProcessUntil(const std::function<bool()>& done)
{
    const QDeadlineTimer giveUp(30000);
    while (!done() && !giveUp.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    return done();
}

class FolderWatchTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { korvale::test::EnsureApplicationOf<QGuiApplication>("korvale_recordlist_tests"); }

    FolderWatchTest()
    {
        record = dir.path() + QStringLiteral("/game.mgx");
        TestFiles::Write(record, "start");
        QObject::connect(&watch, &FolderWatch::Changed, [this] { ++changed; });
    }

    QTemporaryDir dir;
    QString record;
    FolderWatch watch;
    int changed = 0;
};

TEST_F(FolderWatchTest, ABurstOfChangesGivesOneSignalOnceTheDelayRunsOut)
{
    watch.SetDelay(kHeld);
    watch.Watch(dir.path(), {record});
    for (int i = 0; i < 5; ++i)
        TestFiles::Write(dir.path() + QStringLiteral("/new%1.mgx").arg(i), "x");
    ASSERT_TRUE(ProcessUntil([&] { return watch.IsPending(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(changed, 0) << "the delay has not run out";

    watch.SetDelay(0);
    ASSERT_TRUE(ProcessUntil([&] { return changed > 0; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(changed, 1);
    EXPECT_FALSE(watch.IsPending());
}

TEST_F(FolderWatchTest, ARecordWrittenInPlaceIsSeenThroughItsOwnWatch)
{
    watch.SetDelay(0);
    watch.Watch(dir.path(), {record});
    QFile file(record);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("more");
    file.close();
    EXPECT_TRUE(ProcessUntil([&] { return changed == 1; }));
}

TEST_F(FolderWatchTest, WatchingAnotherFolderForgetsTheOldOneAndWhatWasPending)
{
    watch.SetDelay(kHeld);
    watch.Watch(dir.path(), {record});
    TestFiles::Write(dir.path() + QStringLiteral("/late.mgx"), "x");
    ASSERT_TRUE(ProcessUntil([&] { return watch.IsPending(); }));

    QTemporaryDir other;
    watch.Watch(other.path(), {});
    EXPECT_FALSE(watch.IsPending()) << "a change of the old folder is not reported for the new one";
    EXPECT_EQ(watch.WatchedPaths(), QStringList{other.path()});
    EXPECT_EQ(watch.Folder(), other.path());

    // The new folder is watched: a change there arrives.
    watch.SetDelay(0);
    TestFiles::Write(other.path() + QStringLiteral("/new.mgx"), "x");
    EXPECT_TRUE(ProcessUntil([&] { return changed == 1; }));
}

} // namespace
