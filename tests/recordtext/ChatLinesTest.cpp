#include "ChapterText.h"
#include "QtPrinters.h"

#include "ChatLines.h"

#include <gtest/gtest.h>

using korvale::test::Gbk;
using korvale::test::ReadChapter;

namespace {

Mgx::ChatInGame InGame(std::int32_t time, const QString& text) { return {time, Gbk(text)}; }

} // namespace

TEST(PregameChatLine, DropsThreeCharactersNotThreeBytes)
{
    EXPECT_EQ(PregameChatLine(QStringLiteral("@#2玩家: 你好")), "玩家: 你好");
    // Chinese characters take two bytes each in the record; the prefix is counted in characters.
    EXPECT_EQ(PregameChatLine(QStringLiteral("一二三四五")), "四五");
    EXPECT_EQ(PregameChatLine(QStringLiteral("@#")), "");
}

TEST(IngameChatLine, StampsTheGameTimeAndDropsTheSenderPrefix)
{
    EXPECT_EQ(IngameChatLine(725000, QStringLiteral("@#1player: hi")), "[00:12:05]player: hi");
    EXPECT_EQ(IngameChatLine(488880, QStringLiteral("@#0 D7-蒙古博 开始升级封建时代")),
              "[00:08:08] D7-蒙古博 开始升级封建时代");
}

TEST(IngameChatLine, SkipsLinesWithTwoHyphensAfterThePrefix)
{
    EXPECT_FALSE(IngameChatLine(190890, QStringLiteral("@#1--警告：你正被 _CNC_575_雨神~ 攻击！！！--")));
    EXPECT_FALSE(IngameChatLine(0, QStringLiteral("abc--")));
    // A single hyphen, or hyphens elsewhere, are ordinary chat.
    EXPECT_TRUE(IngameChatLine(0, QStringLiteral("@#1-x")));
    EXPECT_TRUE(IngameChatLine(0, QStringLiteral("@#--x")));
    EXPECT_TRUE(IngameChatLine(0, QStringLiteral("@#1x--")));
}

TEST(IngameChatLine, ShortLinesAreTheBareTimeStamp)
{
    EXPECT_EQ(IngameChatLine(61000, QStringLiteral("@#1")), "[00:01:01]");
    EXPECT_EQ(IngameChatLine(61000, QString()), "[00:01:01]");
    EXPECT_EQ(IngameChatLine(61000, QStringLiteral("@#1-")), "[00:01:01]-");
}

TEST(ChatListLines, NoChatGivesAnEmptyLineAndTheSeparator)
{
    Mgx::GameRecord record;
    record.chapters.push_back(ReadChapter());
    EXPECT_EQ(ChatListLines(record), QStringList({QString(), QStringLiteral("============游戏开始==========")}));
}

TEST(ChatListLines, NoChapterGivesNoLines)
{
    EXPECT_TRUE(ChatListLines(Mgx::GameRecord()).isEmpty());
}

TEST(ChatListLines, PregameThenSeparatorThenStampedLinesPerChapter)
{
    Mgx::ChapterInfo first = ReadChapter();
    first.pregameChat.push_back({Gbk(QStringLiteral("@#1甲: gl hf"))});
    first.ingameChat.push_back(InGame(5000, QStringLiteral("@#2乙: 好")));
    first.ingameChat.push_back(InGame(6000, QStringLiteral("@#2--警告--")));
    Mgx::ChapterInfo second = ReadChapter();
    second.ingameChat.push_back(InGame(3600000, QStringLiteral("@#0 乙 投降")));
    Mgx::GameRecord record;
    record.chapters = {first, second};

    const QStringList expected = {
        QStringLiteral("甲: gl hf"),
        QString(),
        GameStartSeparator(),
        QStringLiteral("[00:00:05]乙: 好"),
        QString(),
        GameStartSeparator(),
        QStringLiteral("[01:00:00] 乙 投降"),
    };
    EXPECT_EQ(ChatListLines(record), expected);
}

TEST(ChatListLines, StoredTextEndsAtItsFirstNul)
{
    Mgx::ChapterInfo chapter = ReadChapter();
    chapter.ingameChat.push_back({1000, Gbk(QStringLiteral("@#3丙: 哈")) + std::string("\0\x01\x02", 3)});
    Mgx::GameRecord record;
    record.chapters.push_back(chapter);
    EXPECT_EQ(ChatListLines(record).last(), "[00:00:01]丙: 哈");
}

TEST(ChatListLines, NegativeTimesPrintAsTheUnsignedCount)
{
    Mgx::ChapterInfo chapter = ReadChapter();
    chapter.ingameChat.push_back(InGame(-1, QStringLiteral("@#1x")));
    Mgx::GameRecord record;
    record.chapters.push_back(chapter);
    EXPECT_EQ(ChatListLines(record).last(), "[1193:02:47]x");
}
