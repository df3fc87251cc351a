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

TEST(RecordFileName, ListedExtensionIsThreeLettersAfterTheLastDot)
{
    EXPECT_EQ(ListedExtension(QStringLiteral("a.b.ZIP")), QStringLiteral("zip"));
    EXPECT_EQ(ListedExtension(QStringLiteral("archive.Rar")), QStringLiteral("rar"));
    EXPECT_EQ(ListedExtension(QStringLiteral("notes.md")), QString());
    EXPECT_EQ(ListedExtension(QStringLiteral("no extension")), QString());
}
