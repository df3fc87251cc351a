#include "ChapterText.h"
#include "QtPrinters.h"

#include "DecodeGbk.h"
#include "InfoText.h"
#include "TextCodePage.h"

#include <gtest/gtest.h>

#include <limits>

using korvale::test::Gbk;

namespace {

QString Map(int gameType, int mapId, const Mgx::GbkText& scenario = std::nullopt)
{
    return ChooseMap(gameType, mapId, scenario).label;
}

QString MapType(int gameType, int mapId) { return MapTypeLabel(ChooseMap(gameType, mapId, std::nullopt).mapType); }

} // namespace

TEST(FormatGameTime, PrintsHoursMinutesSecondsWithoutWrappingHours)
{
    EXPECT_EQ(FormatGameTime(0), "00:00:00");
    EXPECT_EQ(FormatGameTime(999), "00:00:00");
    EXPECT_EQ(FormatGameTime(3599999), "00:59:59");
    EXPECT_EQ(FormatGameTime(3600000), "01:00:00");
    EXPECT_EQ(FormatGameTime(3235875), "00:53:55");
    EXPECT_EQ(FormatGameTime(360000000), "100:00:00");
    EXPECT_EQ(FormatGameTime(std::numeric_limits<std::uint32_t>::max()), "1193:02:47");
}

TEST(SettingsLabels, GameTypeNamesEveryTypeAndAFallback)
{
    EXPECT_EQ(GameTypeLabel(0), "游戏类型：随机地图");
    EXPECT_EQ(GameTypeLabel(1), "游戏类型：弑君");
    EXPECT_EQ(GameTypeLabel(8), "游戏类型：加速随机地图");
    EXPECT_EQ(GameTypeLabel(9), "游戏类型：未知");
}

TEST(SettingsLabels, MapByIdWithItsType)
{
    EXPECT_EQ(Map(0, 9), "地图：阿拉伯");
    EXPECT_EQ(MapType(0, 9), "地图类型：标准");
    EXPECT_EQ(Map(0, 32), "地图：幽灵湖");
    EXPECT_EQ(Map(0, 34), "地图：伊比利亚");
    EXPECT_EQ(MapType(0, 43), "地图类型：真实世界");
    // Two ids in the standard range have no name of their own but stay standard maps.
    EXPECT_EQ(Map(0, 24), "地图：未知");
    EXPECT_EQ(MapType(0, 24), "地图类型：标准");
    EXPECT_EQ(Map(0, 30), "地图：未知");
    EXPECT_EQ(MapType(0, 30), "地图类型：标准");
}

TEST(SettingsLabels, MapIdsOutsideTheTablesAreUnknownOrCustom)
{
    for (int mapId : {0, 8, 33, 45, 1000, -1}) {
        EXPECT_EQ(Map(0, mapId), "地图：未知") << mapId;
        EXPECT_EQ(MapType(0, mapId), "地图类型：定制") << mapId;
    }
    EXPECT_EQ(Map(0, 44), "地图：定制");
    EXPECT_EQ(MapType(0, 44), "地图类型：定制");
}

TEST(SettingsLabels, ScenarioAndCampaignShowTheScenarioFile)
{
    const Mgx::GbkText scenario = Gbk(QStringLiteral("王者之战.scx"));
    EXPECT_EQ(Map(3, 9, scenario), "地图：王者之战.scx");
    EXPECT_EQ(MapTypeLabel(ChooseMap(3, 9, scenario).mapType), "地图类型：定制");
    EXPECT_EQ(Map(4, 34, scenario), "地图：王者之战.scx");
    EXPECT_EQ(Map(3, 9, std::nullopt), "地图：");
}

TEST(SettingsLabels, UnnamedGameTypeLeavesTheMapAtItsCaption)
{
    EXPECT_EQ(Map(9, 9), "地图：");
    EXPECT_EQ(MapType(9, 34), "地图类型：定制");
    EXPECT_EQ(Map(255, 44), "地图：");
}

TEST(SettingsLabels, VersionSpeedDifficultyVictoryPopulation)
{
    EXPECT_EQ(VersionLabel(3), "版本：1.0a");
    EXPECT_EQ(VersionLabel(4), "版本：1.0c");
    EXPECT_EQ(VersionLabel(5), "版本：其他");
    EXPECT_EQ(VersionLabel(0), "版本：其他");

    EXPECT_EQ(SpeedLabel(100), "游戏速度：慢速");
    EXPECT_EQ(SpeedLabel(150), "游戏速度：标准");
    EXPECT_EQ(SpeedLabel(200), "游戏速度：快速");
    EXPECT_EQ(SpeedLabel(175), "游戏速度：未知");
    EXPECT_EQ(SpeedLabel(178), "游戏速度：标准"); // UserPatch 1.5's speeds
    EXPECT_EQ(SpeedLabel(237), "游戏速度：快速");

    EXPECT_EQ(DifficultyLabel(0), "难度：极难");
    EXPECT_EQ(DifficultyLabel(3), "难度：标准");
    EXPECT_EQ(DifficultyLabel(4), "难度：最易");
    EXPECT_EQ(DifficultyLabel(5), "难度：未知");
    EXPECT_EQ(DifficultyLabel(-1), "难度：未知");

    EXPECT_EQ(VictoryLabel(0), "胜利条件：标准");
    EXPECT_EQ(VictoryLabel(1), "胜利条件：征服");
    EXPECT_EQ(VictoryLabel(5), "胜利条件：圣物");
    EXPECT_EQ(VictoryLabel(6), "胜利条件：未知");

    // Later UserPatch releases offer up to 1000.
    for (int limit = 25; limit <= 1000; limit += 25)
        EXPECT_EQ(PopulationLabel(limit), "人口上限：" + QString::number(limit));
    EXPECT_EQ(PopulationLabel(1025), "人口上限：其他");
    EXPECT_EQ(PopulationLabel(310), "人口上限：其他");
    EXPECT_EQ(PopulationLabel(60), "人口上限：其他");
    EXPECT_EQ(PopulationLabel(0), "人口上限：其他");
}

TEST(InfoText, LaterPatchesAreNamedFromTheHeaderNotFromLogVersion)
{
    Mgx::ChapterInfo chapter;
    chapter.logVersion = 4;
    chapter.versionText = "VER 9.8";
    chapter.saveVersion = 11.76f;
    EXPECT_EQ(VersionLabel(chapter), "版本：UserPatch 1.2");
    chapter.versionText = "VER 9.4";
    chapter.saveVersion = 11.97f;
    EXPECT_EQ(VersionLabel(chapter), "版本：HD");
    chapter.saveVersion = 12.10f;
    EXPECT_EQ(VersionLabel(chapter), "版本：HD");
    chapter.saveVersion = 11.76f;
    for (const char* text : {"VER 9.A", "VER 9.B", "VER 9.C", "VER 9.D"}) {
        chapter.versionText = text;
        EXPECT_EQ(VersionLabel(chapter), "版本：UserPatch 1.4") << text;
    }
    for (const char* text : {"VER 9.E", "VER 9.F"}) {
        chapter.versionText = text;
        EXPECT_EQ(VersionName(chapter), "UserPatch 1.5") << text;
    }
    chapter.versionText = "VER 9.4";
    EXPECT_EQ(VersionLabel(chapter), "版本：1.0c");
    chapter.logVersion = 3;
    EXPECT_EQ(VersionLabel(chapter), "版本：1.0a");
}

TEST(InfoText, AUserPatchPanelShowsThePopulationTheGameUsed)
{
    Mgx::GameRecord record;
    record.chapters.emplace_back();
    Mgx::ChapterInfo& chapter = record.chapters.front();
    chapter.logVersion = 4;
    chapter.versionText = "VER 9.8";
    chapter.saveVersion = 11.76f;
    chapter.populationLimit = 8;
    EXPECT_EQ(ComposeInfoLabels(record).population, "人口上限：200");
    chapter.versionText = "VER 9.4"; // the same stored value in a 1.0c record is no limit the game offers
    EXPECT_EQ(ComposeInfoLabels(record).population, "人口上限：其他");
}

TEST(InfoText, ARestoredGameLastsFromItsStartAndSaysWhereTheRecordingBegins)
{
    Mgx::GameRecord record;
    record.chapters.emplace_back();
    Mgx::ChapterInfo& chapter = record.chapters.front();
    chapter.versionText = "VER 9.A";
    chapter.saveVersion = 11.76f;
    chapter.restoreTime = 1015000;
    chapter.gameTime = 1536660;
    EXPECT_EQ(TotalGameTime(record), 2551660u);
    EXPECT_EQ(ComposeInfoLabels(record).duration, "时长：00:42:31（中途开始）");
    chapter.restoreTime = 0;
    chapter.bodyDamaged = true;
    EXPECT_EQ(ComposeInfoLabels(record).duration, "时长：00:25:36（已损坏）");
}

TEST(InfoText, TextInAnotherCodePageIsDecodedInItAndTheReadersWordingStaysGbk)
{
    Mgx::GameRecord record;
    record.chapters.emplace_back();
    Mgx::ChapterInfo& chapter = record.chapters.front();
    chapter.codePage = 1252;
    chapter.instructions = std::string("Poblaci\xF3n: 300\0Semilla: 7\0Arabia.rms", 36);
    EXPECT_EQ(ObjectivesText("a.mgz", chapter.instructions, chapter.codePage), "a.mgz\r\n\r\nPoblación: 300");
    const Mgx::ChatInGame ageUp{1000, "@#0 Jos\xE9" + Gbk(QStringLiteral(" 开始升级封建时代")), 17};
    EXPECT_EQ(DecodeChatLine(ageUp, chapter.codePage), "@#0 José 开始升级封建时代");
    EXPECT_EQ(DecodeChatLine(Mgx::ChatInGame{0, "@#1Jos\xE9: hola", 0}, 1252), "@#1José: hola");
    EXPECT_EQ(DecodeRecordText(std::string("\xB1\xDE"), 932), "ｱﾞ");
}

TEST(InfoText, AnEventLineNamesTheSlotInTheNamesCodePageAndChatStaysInItsOwn)
{
    // Releases before HD 4.6 store names in UTF-8 and chat in the game's code page (GBK here).
    const std::string wording = Gbk(QStringLiteral(" 开始升级封建时代"));
    const Mgx::ChatInGame ageUp{1000, "@#0 \xE7\x94\x84\xE5\xAD\x90\xE6\xAF\x85" + wording, static_cast<std::uint16_t>(wording.size())};
    EXPECT_EQ(DecodeChatLine(ageUp, Mgx::CodePage::Gbk, Mgx::CodePage::Utf8), QStringLiteral("@#0 甄子毅 开始升级封建时代"));
    const Mgx::ChatInGame chat{2000, "@#1" + Gbk(QStringLiteral("你好")), 0};
    EXPECT_EQ(DecodeChatLine(chat, Mgx::CodePage::Gbk, Mgx::CodePage::Utf8), QStringLiteral("@#1你好"));
}

TEST(InfoText, HdMapIdsAndCivilisationsBeyondTheConquerorsFallBack)
{
    Mgx::GameRecord record;
    record.chapters.emplace_back();
    Mgx::ChapterInfo& chapter = record.chapters.front();
    chapter.versionText = "VER 9.4";
    chapter.saveVersion = 11.97f;
    chapter.mapId = 60; // stored by HD for maps 1.0c does not know
    const InfoLabels labels = ComposeInfoLabels(record);
    EXPECT_TRUE(labels.map.endsWith(QStringLiteral("未知"))) << labels.map.toStdString();
}

TEST(SettingsLabels, MapSizeIsUnsigned)
{
    EXPECT_EQ(MapSizeLabel(200, 200), "地图大小：200x200");
    EXPECT_EQ(MapSizeLabel(4294967295u, 1), "地图大小：4294967295x1");
}

TEST(Objectives, FileNameEmptyLineThenInstructionsWithCrLf)
{
    EXPECT_EQ(ObjectivesText("a.mgx", std::string("one\ntwo")), "a.mgx\r\n\r\none\r\ntwo");
    // An existing CR LF gains a second CR, as the widening does not look behind.
    EXPECT_EQ(ObjectivesText("a.mgx", std::string("one\r\ntwo")), "a.mgx\r\n\r\none\r\r\ntwo");
    EXPECT_EQ(ObjectivesText("a.mgx", std::nullopt), "a.mgx\r\n\r\n");
}

TEST(Objectives, InstructionsAreGbkAndEndAtTheirFirstNul)
{
    const std::string stored = Gbk(QStringLiteral("征服所有敌人\n")) + std::string("\0junk", 5);
    EXPECT_EQ(ObjectivesText("录像.mgx", stored), "录像.mgx\r\n\r\n征服所有敌人\r\n");
}

TEST(ComposeInfoLabels, ReadsSettingsOfTheFirstChapterAndTimeOfAll)
{
    Mgx::GameRecord record;
    record.fileName = "game.mgx";
    Mgx::ChapterInfo first = korvale::test::ReadChapter();
    first.gameType = 0;
    first.mapId = 35;
    first.mapWidth = 144;
    first.mapHeight = 120;
    first.gameSpeed = 200;
    first.difficulty = 1;
    first.victoryType = 2;
    first.populationLimit = 75;
    first.logVersion = 4;
    first.gameTime = 61000;
    first.instructions = std::string("go");
    Mgx::ChapterInfo second = korvale::test::ReadChapter();
    second.mapId = 9;
    second.gameTime = 3600000;
    record.chapters.push_back(first);
    record.chapters.push_back(second);

    const InfoLabels labels = ComposeInfoLabels(record);
    EXPECT_EQ(labels.gameType, "游戏类型：随机地图");
    EXPECT_EQ(labels.map, "地图：不列颠");
    EXPECT_EQ(labels.mapType, "地图类型：真实世界");
    EXPECT_EQ(labels.mapSize, "地图大小：144x120");
    EXPECT_EQ(labels.speed, "游戏速度：快速");
    EXPECT_EQ(labels.difficulty, "难度：难");
    EXPECT_EQ(labels.victory, "胜利条件：时限");
    EXPECT_EQ(labels.population, "人口上限：75");
    EXPECT_EQ(labels.version, "版本：1.0c");
    EXPECT_EQ(labels.duration, "时长：01:01:01");
    EXPECT_EQ(labels.objectives, "game.mgx\r\n\r\ngo");
}

TEST(ComposeInfoLabels, TotalTimeWrapsLikeA32BitCount)
{
    Mgx::GameRecord record;
    for (int i = 0; i < 3; ++i) {
        Mgx::ChapterInfo chapter = korvale::test::ReadChapter();
        chapter.gameTime = std::numeric_limits<std::int32_t>::max();
        record.chapters.push_back(chapter);
    }
    // 3 x (2^31 - 1) = 2^32 + 2^31 - 3, wrapped to 2^31 - 3.
    EXPECT_EQ(TotalGameTime(record), 2147483645u);
}

TEST(DecodeGbk, ACharacterCutAtTheEndDoesNotSpillIntoTheNextText)
{
    EXPECT_EQ(DecodeGbk(std::string("ab\xb0")), "ab");
    // Read on its own, A2 C0 is one symbol; joined to the cut byte it would have read as "阿拉".
    EXPECT_EQ(DecodeGbk(std::string("\xa2\xc0\xad")), QString(QChar(0x2497)));
    EXPECT_EQ(DecodeGbk(std::string("\xb0\xa2\xc0\xad\xb2\xae")), "阿拉伯");
    EXPECT_EQ(DecodeGbk(Mgx::GbkText()), "");
}
