#include "RecordLoad.h"
#include "QtPrinters.h"

#include "RecordError.h"
#include "RecordReader.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(RecordLoad, FileThatCannotBeOpenedGivesTheFixedMessage)
{
    QTemporaryDir folder;
    Mgx::RecordReader reader;
    const RecordLoad load = LoadRecordForList(reader, folder.path() + "/absent.mgx");
    EXPECT_EQ(load.record, nullptr);
    EXPECT_EQ(load.errorText, QStringLiteral("无法打开文件！"));
}

TEST(RecordLoad, ALaterFormatIsNamedInTheUsersWords)
{
    const Mgx::UnsupportedFormatError error("VER 9.4", 12.97f, Mgx::UnsupportedFormatKind::DefinitiveEdition);
    EXPECT_EQ(RecordLoadErrorText(error), QStringLiteral("此录像来自决定版（保存版本 12.97），暂不支持"));
    const Mgx::UnsupportedFormatError aok("VER 9.3", 11.76f, Mgx::UnsupportedFormatKind::AgeOfKings);
    EXPECT_EQ(RecordLoadErrorText(aok), QStringLiteral("此录像来自帝王时代（VER 9.3），暂不支持"));
    const Mgx::UnsupportedFormatError up("VER 9.A", 11.76f, Mgx::UnsupportedFormatKind::LaterUserPatch);
    EXPECT_EQ(RecordLoadErrorText(up), QStringLiteral("此录像来自UserPatch 1.3 或更高版本（VER 9.A），暂不支持"));
    const Mgx::UnsupportedFormatError hd("VER 9.4", 12.50f, Mgx::UnsupportedFormatKind::HdWithSettingsBlock);
    EXPECT_EQ(RecordLoadErrorText(hd), QStringLiteral("此录像来自更新版本的游戏（保存版本 12.50），暂不支持"));
}


TEST(RecordLoad, ADamagedRecordIsOneChineseSentenceWithoutTheReadersDetail)
{
    const Mgx::InflateError inflate(-3, "invalid block type");
    const Mgx::HeaderError header("player count 200 exceeds 8", 4711);
    const Mgx::ContainerError container("header end before its own fields", 4);
    EXPECT_EQ(RecordLoadErrorText(inflate), QStringLiteral("录像文件已损坏：文件头无法解压，无法显示。"));
    EXPECT_EQ(RecordLoadErrorText(header), QStringLiteral("录像文件已损坏：文件头内容有误，无法显示。"));
    EXPECT_EQ(RecordLoadErrorText(container), QStringLiteral("录像文件已损坏，无法显示。"));
}
