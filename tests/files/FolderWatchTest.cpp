#include "FolderWatch.h"

#include "TestFiles.h"

#include <QGuiApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The same application the model's tests start, whichever runs first.
void EnsureGuiApplication()
{
    if (QGuiApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "korvale_files_tests";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
}

} // namespace

TEST(FolderWatch, ABurstOfChangesGivesOneSignalAfterTheDelay)
{
    EnsureGuiApplication();
    QTemporaryDir dir;
    const QString record = dir.path() + "/game.mgx";
    TestFiles::Write(record, "start");
    FolderWatch watch;
    watch.SetDelay(400);
    watch.Watch(dir.path(), {record});
    QSignalSpy changed(&watch, &FolderWatch::Changed);

    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 5; ++i) {
        TestFiles::Write(dir.path() + QStringLiteral("/new%1.mgx").arg(i), "x");
        QTest::qWait(40); // each change comes before the delay runs out
    }
    EXPECT_EQ(changed.count(), 0) << "still within the burst";
    ASSERT_TRUE(changed.wait(2000));
    EXPECT_GE(clock.elapsed(), 400 + 4 * 40);
    QTest::qWait(600);
    EXPECT_EQ(changed.count(), 1);

    // A record written to in place is seen through its own watch.
    QFile file(record);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("more");
    file.close();
    EXPECT_TRUE(changed.wait(2000));
    EXPECT_EQ(changed.count(), 2);

    // Another folder: the old one is forgotten.
    QTemporaryDir other;
    watch.Watch(other.path(), {});
    TestFiles::Write(dir.path() + "/late.mgx", "x");
    QTest::qWait(700);
    EXPECT_EQ(changed.count(), 2);
}
