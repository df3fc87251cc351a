#include "SettingsCheck.h"
#include "QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(SettingsCheck, NamesTheFirstSettingThatPointsAtNothing)
{
    QTemporaryDir root;
    const QString folder = root.path();
    const QString exe = root.filePath(QStringLiteral("age2_x1.exe"));
    QFile file(exe);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    EXPECT_EQ(SettingsCheck::FirstProblem({folder, exe, exe, {}}), QString());
    EXPECT_EQ(SettingsCheck::FirstProblem({}), QString()) << "settings not set are no problem here";
    EXPECT_EQ(SettingsCheck::FirstProblem({root.filePath("gone"), exe, exe, {}}),
              "SaveGame目录不存在：" + root.filePath("gone"));
    EXPECT_EQ(SettingsCheck::FirstProblem({exe, exe, exe, {}}), "SaveGame目录不存在：" + exe) << "a file is no folder";
    EXPECT_EQ(SettingsCheck::FirstProblem({folder, root.filePath("a.exe"), root.filePath("c.exe"), {}}),
              "1.0A版帝国exe文件不存在：" + root.filePath("a.exe"));
    EXPECT_EQ(SettingsCheck::FirstProblem({folder, exe, folder, {}}), "1.0C版帝国exe文件不存在：" + folder)
        << "a folder is no executable";
}

TEST(SettingsCheck, SaysWhySaveGameCannotBeListed)
{
    QTemporaryDir root;
    EXPECT_EQ(SettingsCheck::SaveGameFolderProblem(root.path()), QString());
    EXPECT_EQ(SettingsCheck::SaveGameFolderProblem(QString()), QStringLiteral("尚未设置SaveGame目录，请在“设置 → 选项”中设置。"));
    EXPECT_EQ(SettingsCheck::SaveGameFolderProblem(root.filePath("gone")),
              "SaveGame目录不存在：" + root.filePath("gone") + "\n请在“设置 → 选项”中重新设置。");
}
