#include "LaunchCommand.h"
#include "RecordingProcessRunner.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class StartGameTest : public ::testing::Test {
protected:
    QString WriteFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QTemporaryDir folder;
    RecordingProcessRunner runner;
};

} // namespace

TEST(GameVersionOfLog, ThreeIsTheOnlyOnePointZeroA)
{
    EXPECT_EQ(GameVersionOfLog(3), GameVersion::V10a);
    for (const int other : {4, 7, 0, -1, 2})
        EXPECT_EQ(GameVersionOfLog(other), GameVersion::V10c) << other;

    const GameSettings settings{{}, QStringLiteral("/a.exe"), QStringLiteral("/c.exe"), {}};
    EXPECT_EQ(GameExecutable(settings, GameVersion::V10a), QStringLiteral("/a.exe"));
    EXPECT_EQ(GameExecutable(settings, GameVersion::V10c), QStringLiteral("/c.exe"));
}

TEST(GameLaunchCommand, WineOnlyForAWindowsExecutableOnAnotherSystem)
{
    const QString exe = QStringLiteral("/p/drive_c/AOE2/age2_x1/age2_x1.exe");
    const QString install = QStringLiteral("/p/drive_c/AOE2");
    EXPECT_EQ(GameLaunchCommand(exe, install, true, false), (ProcessCommand{QStringLiteral("wine"), {exe}, install}));
    EXPECT_EQ(GameLaunchCommand(exe, install, true, true), (ProcessCommand{exe, {}, install}));
    EXPECT_EQ(GameLaunchCommand(exe, install, false, false), (ProcessCommand{exe, {}, install}));
}

TEST(GameLaunchCommand, WithoutAnInstallFolderTheGameRunsInItsOwnFolder)
{
    const QString exe = QStringLiteral("/games/AOE2/age2_x1/age2_x1.exe");
    EXPECT_EQ(GameLaunchCommand(exe, {}, true, false).workingFolder, QStringLiteral("/games/AOE2/age2_x1"));
    EXPECT_EQ(GameLaunchCommand(exe, {}, false, false).workingFolder, QStringLiteral("/games/AOE2/age2_x1"));
}

TEST_F(StartGameTest, AWindowsExecutableStartsThroughWineInTheInstallFolder)
{
    const QString exe = WriteFile(QStringLiteral("age2_x1.exe"), QByteArray("MZ\x90\x00", 4));
    EXPECT_TRUE(IsWindowsExecutable(exe));
    const LaunchResult result = StartGame(exe, QStringLiteral("/install"), runner);
    EXPECT_EQ(result.outcome, LaunchResult::Outcome::Started);
    EXPECT_TRUE(result.statusText.isEmpty());
    ASSERT_EQ(runner.detached.size(), 1);
    EXPECT_EQ(runner.detached[0], (ProcessCommand{QStringLiteral("wine"), {exe}, QStringLiteral("/install")}));
    EXPECT_TRUE(runner.waited.isEmpty());
}

TEST_F(StartGameTest, AnyOtherFileStartsDirectly)
{
    const QString script = WriteFile(QStringLiteral("start-game"), "#!/bin/sh\n");
    EXPECT_FALSE(IsWindowsExecutable(script));
    EXPECT_FALSE(IsWindowsExecutable(WriteFile(QStringLiteral("short"), "M")));
    EXPECT_EQ(StartGame(script, {}, runner).outcome, LaunchResult::Outcome::Started);
    ASSERT_EQ(runner.detached.size(), 1);
    EXPECT_EQ(runner.detached[0], (ProcessCommand{script, {}, folder.path()}));
}

TEST_F(StartGameTest, FailuresAreReportedAndNothingIsStartedForAMissingPath)
{
    EXPECT_EQ(StartGame({}, {}, runner).outcome, LaunchResult::Outcome::NoExecutable);

    const QString missing = folder.filePath(QStringLiteral("age2_x1.exe"));
    const LaunchResult gone = StartGame(missing, {}, runner);
    EXPECT_EQ(gone.outcome, LaunchResult::Outcome::Missing);
    EXPECT_EQ(gone.statusText, QStringLiteral("找不到帝国时代程序：") + missing);
    // A folder is no executable either.
    EXPECT_EQ(StartGame(folder.path(), {}, runner).outcome, LaunchResult::Outcome::Missing);
    EXPECT_TRUE(runner.detached.isEmpty());

    runner.startResult = false;
    const QString exe = WriteFile(QStringLiteral("age2_x1.exe"), "MZ");
    const LaunchResult failed = StartGame(exe, {}, runner);
    EXPECT_EQ(failed.outcome, LaunchResult::Outcome::StartFailed);
    EXPECT_EQ(failed.statusText, QStringLiteral("无法通过wine启动帝国时代程序：") + exe);
    const QString native = WriteFile(QStringLiteral("game"), "#!");
    EXPECT_EQ(StartGame(native, {}, runner).statusText, QStringLiteral("无法启动帝国时代程序：") + native);
}
