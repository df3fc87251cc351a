#include "LaunchGame.h"
#include "RecordingProcessRunner.h"
#include "ScriptedPrompt.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(LaunchGame, AVersionWithoutAnExecutableIsRefusedWithAWarningTheOtherStarts)
{
    QTemporaryDir folder;
    const QString exe = folder.filePath(QStringLiteral("age2_x1.exe"));
    QFile file(exe);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("MZ");
    file.close();
    const GameSettings settings{{}, exe, {}, folder.path()};
    ScriptedPrompt prompt;
    RecordingProcessRunner runner;

    const LaunchResult refused = LaunchGame(GameVersion::V10c, settings, prompt, runner);
    EXPECT_EQ(refused.outcome, LaunchResult::Outcome::NoExecutable);
    EXPECT_TRUE(runner.detached.isEmpty());
    ASSERT_EQ(prompt.Messages().size(), 1);
    EXPECT_EQ(prompt.Messages()[0].kind, UserPrompt::MessageKind::Warning);
    EXPECT_EQ(prompt.Messages()[0].text, QStringLiteral("未设置此版本的帝国游戏路径，帝国时代程序无法启动！"));
    EXPECT_EQ(prompt.Messages()[0].title, QStringLiteral("提示"));

    EXPECT_EQ(LaunchGame(GameVersionOfLog(3), settings, prompt, runner).outcome, LaunchResult::Outcome::Started);
    ASSERT_EQ(runner.detached.size(), 1);
    EXPECT_EQ(runner.detached[0].workingFolder, folder.path());
    EXPECT_EQ(prompt.Messages().size(), 1);
}
