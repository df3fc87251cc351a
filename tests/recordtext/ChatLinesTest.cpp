#include "ChapterText.h"
#include "QtPrinters.h"

#include "RealRecords.h"

#include "ChatLines.h"
#include "RecordLoader.h"

#include <gtest/gtest.h>

#include <algorithm>

using korvale::test::Gbk;
using korvale::test::ReadChapter;

namespace {

Mgx::ChatInGame InGame(std::int32_t time, const QString& text) { return {time, Gbk(text)}; }

// A line the reader composed for an event: its wording after the name is the tail.
Mgx::ChatInGame Event(std::int32_t time, const QString& text, const QString& wording)
{
    return {time, Gbk(text), static_cast<std::uint16_t>(Gbk(wording).size())};
}

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

TEST(ChatListLines, OneResignationPerPlayerAndOneAgeUpPerSecond)
{
    Mgx::ChapterInfo first = ReadChapter();
    first.ingameChat = {
        Event(100000, QStringLiteral("@#0 甲 开始升级封建时代"), QStringLiteral("开始升级封建时代")),
        Event(100400, QStringLiteral("@#0 甲 开始升级封建时代"), QStringLiteral("开始升级封建时代")),
        Event(100900, QStringLiteral("@#0 乙 开始升级封建时代"), QStringLiteral("开始升级封建时代")),
        // A second later the same age again: a new start after a cancel.
        Event(101500, QStringLiteral("@#0 甲 开始升级封建时代"), QStringLiteral("开始升级封建时代")),
        Event(200000, QStringLiteral("@#1 甲 投降"), QStringLiteral("投降")),
        // Chat that reads like an event is the player's own words and always stays.
        InGame(200100, QStringLiteral("@#1 甲 投降")),
        Event(205000, QStringLiteral("@#1 甲 投降"), QStringLiteral("投降")),
    };
    Mgx::ChapterInfo second = ReadChapter();
    second.ingameChat = {Event(300000, QStringLiteral("@#1 甲 投降"), QStringLiteral("投降")),
                         Event(300000, QStringLiteral("@#2 乙 投降"), QStringLiteral("投降"))};
    Mgx::GameRecord record;
    record.chapters = {first, second};

    const QStringList expected = {
        QString(),
        GameStartSeparator(),
        QStringLiteral("[00:01:40] 甲 开始升级封建时代"),
        QStringLiteral("[00:01:40] 乙 开始升级封建时代"),
        QStringLiteral("[00:01:41] 甲 开始升级封建时代"),
        QStringLiteral("[00:03:20] 甲 投降"),
        QStringLiteral("[00:03:20] 甲 投降"),
        QString(),
        GameStartSeparator(),
        QStringLiteral("[00:05:00] 乙 投降"),
    };
    EXPECT_EQ(ChatListLines(record), expected);
    // The record keeps every copy it holds.
    EXPECT_EQ(record.chapters[0].ingameChat.size(), 7u);
}

TEST(ChatListLines, ARealRecordListsItsRepeatedResignationOnce)
{
    KORVALE_NEED_REAL_RECORDS();
    const Mgx::GameRecord record =
        Mgx::LoadRecordFile((korvale::test::RealRecordsDir() / "aoc10c_4v4_2chapters_gbk.mgx").string());
    const QString resignation = QStringLiteral("[00:52:59] ~我来自增城~ 投降");
    const QStringList lines = ChatListLines(record);
    EXPECT_EQ(lines.count(resignation), 1) << lines.join(QLatin1Char('\n')).toStdString();
    std::size_t held = 0;
    for (const Mgx::ChapterInfo& chapter : record.chapters)
        held += std::count_if(chapter.ingameChat.begin(), chapter.ingameChat.end(),
                              [](const Mgx::ChatInGame& chat) { return chat.text.ends_with("\xCD\xB6\xBD\xB5"); });
    EXPECT_GT(held, 1u);
    for (const QString& line : lines) {
        if (line.startsWith(QLatin1Char('[')) && line.contains(QStringLiteral("开始升级"))) {
            EXPECT_EQ(lines.count(line), 1) << line.toStdString();
        }
    }
}
