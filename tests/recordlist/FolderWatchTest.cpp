#include "FolderWatch.h"

#include "TestFiles.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <functional>

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

// Runs the event loop for `ms` milliseconds, or until `done` holds; whether it holds.
bool Spin(int ms, const std::function<bool()>& done = [] { return false; })
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        if (done())
            return true;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return done();
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
    int changed = 0;
    QObject::connect(&watch, &FolderWatch::Changed, [&changed] { ++changed; });

    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 5; ++i) {
        TestFiles::Write(dir.path() + QStringLiteral("/new%1.mgx").arg(i), "x");
        Spin(40); // each change comes before the delay runs out
    }
    EXPECT_EQ(changed, 0) << "still within the burst";
    ASSERT_TRUE(Spin(3000, [&] { return changed == 1; }));
    // At least the delay has passed (a coarse timer may fire up to 5 % early).
    EXPECT_GE(clock.elapsed(), 400 * 95 / 100);
    Spin(600);
    EXPECT_EQ(changed, 1);

    // A record written to in place is seen through its own watch.
    QFile file(record);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("more");
    file.close();
    EXPECT_TRUE(Spin(3000, [&] { return changed == 2; }));
    EXPECT_EQ(changed, 2);

    // Another folder: the old one is forgotten.
    QTemporaryDir other;
    watch.Watch(other.path(), {});
    TestFiles::Write(dir.path() + "/late.mgx", "x");
    Spin(700);
    EXPECT_EQ(changed, 2);
}
