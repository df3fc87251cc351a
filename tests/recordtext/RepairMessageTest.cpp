#include "RepairMessage.h"

#include <gtest/gtest.h>

namespace {

using Mgx::RepairCode;

TEST(RepairMessage, OneFixedTextPerOutcome)
{
    EXPECT_EQ(RepairMessage(RepairCode::Repaired, "/r/a.mgx.bak"), QStringLiteral("修复成功!原文件备份保存为:\r\n/r/a.mgx.bak"));
    EXPECT_EQ(RepairMessage(RepairCode::BackupFailed, "x"), QStringLiteral("修复失败!备份文件无法创建。"));
    EXPECT_EQ(RepairMessage(RepairCode::OpenFailed, "x"), QStringLiteral("修复失败!源文件无法打开。"));
    EXPECT_EQ(RepairMessage(RepairCode::ReadFailed, "x"), QStringLiteral("修复失败!文件无法读取。"));
    EXPECT_EQ(RepairMessage(RepairCode::NothingToRepair, "x"), QStringLiteral("修复失败!未找到可以修复的地方。"));
    EXPECT_EQ(RepairMessage(RepairCode::BodyNotFound, "x"), QStringLiteral("修复失败!未找到可以修复的地方。"));
    EXPECT_EQ(RepairMessage(RepairCode::WriteFailed, "x"), QStringLiteral("修复失败!文件无法写入。"));
}

} // namespace
