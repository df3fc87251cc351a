#include "RecordFileName.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

TEST(RecordFileName, RecordsAreNamedMgxInAnyAsciiCase)
{
    EXPECT_TRUE(IsRecordFileName(QStringLiteral("rec.20240101-1530.mgx")));
    EXPECT_TRUE(IsRecordFileName(QStringLiteral("对局.MgX")));
    EXPECT_FALSE(IsRecordFileName(QStringLiteral("rec.mgx.zip")));
    EXPECT_FALSE(IsRecordFileName(QStringLiteral("rec.mgxx")));
    EXPECT_FALSE(IsRecordFileName(QStringLiteral("mgx")));
    // Full-width letters look alike but fold to nothing here.
    EXPECT_FALSE(IsRecordFileName(QStringLiteral("rec.ｍｇｘ")));
}

TEST(RecordFileName, ListedExtensionIsTheLowerCaseTextAfterTheLastDotUpToTenLetters)
{
    EXPECT_EQ(ListedExtension(QStringLiteral("a.b.ZIP")), QStringLiteral("zip"));
    EXPECT_EQ(ListedExtension(QStringLiteral("archive.Rar")), QStringLiteral("rar"));
    EXPECT_EQ(ListedExtension(QStringLiteral("game.AOE2RECORD")), QStringLiteral("aoe2record"));
    EXPECT_EQ(ListedExtension(QStringLiteral("notes.md")), QStringLiteral("md"));
    EXPECT_EQ(ListedExtension(QStringLiteral("x.aoe2records")), QString()) << "longer than any kind listed";
    EXPECT_EQ(ListedExtension(QStringLiteral("trailing.")), QString());
    EXPECT_EQ(ListedExtension(QStringLiteral("no extension")), QString());
}

TEST(RecordFileName, EveryRecordKindOfTheGameIsARecordAndNothingThatMerelyStartsLikeOne)
{
    for (const char* name : {"a.mgx", "b.MGZ", "c.mgx2", "d.msx", "e.aoe2record", "f.mgl"})
        EXPECT_TRUE(IsRecordFileName(QString::fromLatin1(name))) << name;
    for (const char* name : {"a.mgx3", "b.mg", "c.zip", "mgx", "d.mgx.bak", "e.aoe2"})
        EXPECT_FALSE(IsRecordFileName(QString::fromLatin1(name))) << name;
}
