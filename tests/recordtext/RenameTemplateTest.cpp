#include "RenameTemplate.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

// 白马 in GBK.
const std::string WhiteHorseGbk = "\xB0\xD7\xC2\xED";

void Seat(Mgx::ChapterInfo& chapter, int slot, const std::string& name, int team)
{
    chapter.slots[static_cast<std::size_t>(slot)].playerNumber = slot;
    chapter.slots[static_cast<std::size_t>(slot)].name = name;
    chapter.slots[static_cast<std::size_t>(slot)].team = static_cast<std::uint8_t>(team);
}

// A 2 v 2 on Arabia, written by 1.0c, 38 min 12 s over two chapters, recorded by slot 3.
Mgx::GameRecord TwoVersusTwo()
{
    Mgx::ChapterInfo chapter;
    chapter.gameType = 0;
    chapter.mapId = 9;
    chapter.logVersion = 4;
    chapter.gameTime = 1000 * 60 * 30;
    chapter.recorderNumber = 3;
    Seat(chapter, 1, WhiteHorseGbk, 2);
    Seat(chapter, 2, "Bob", 3);
    Seat(chapter, 3, "Cid", 2);
    Seat(chapter, 4, "Dan", 3);
    Mgx::ChapterInfo second = chapter;
    second.gameTime = 1000 * (8 * 60 + 12);
    Mgx::GameRecord record;
    record.chapters = {chapter, second};
    record.fileName = "rec.20261208-213001.mgx";
    return record;
}

QDateTime FileTime() { return QDateTime(QDate(2026, 12, 8), QTime(21, 30, 59)); }

} // namespace

TEST(RenameTemplate, EveryFieldExpandsFromTheRecordAndTheFile)
{
    const Mgx::GameRecord record = TwoVersusTwo();
    const RenameFields fields = RenameFieldsOf(&record, QStringLiteral("rec.20261208-213001.mgx"), FileTime());
    EXPECT_TRUE(fields.hasRecord);
    EXPECT_EQ(fields.date, QStringLiteral("2026-12-08_2130"));
    EXPECT_EQ(fields.map, QStringLiteral("阿拉伯"));
    EXPECT_EQ(fields.players, QStringLiteral("白马, Cid vs Bob, Dan"));
    EXPECT_EQ(fields.version, QStringLiteral("1.0c"));
    EXPECT_EQ(fields.duration, QStringLiteral("00-38-12")) << "both chapters, no ':' in a file name";
    EXPECT_EQ(fields.recorder, QStringLiteral("Cid"));
    EXPECT_EQ(fields.original, QStringLiteral("rec.20261208-213001"));

    const ExpandedName all = ExpandRenameTemplate(
        QStringLiteral("{日期} {地图} {玩家} {版本} {时长} {录制者} {原名}"), fields, QStringLiteral("rec.20261208-213001.mgx"));
    EXPECT_EQ(all.name, QStringLiteral("2026-12-08_2130 阿拉伯 白马, Cid vs Bob, Dan 1.0c 00-38-12 Cid rec.20261208-213001.mgx"));
    EXPECT_TRUE(all.usesRecord);
}

TEST(RenameTemplate, ExtensionUnknownBracesAndFileOnlyFields)
{
    RenameFields fields = RenameFieldsOf(nullptr, QStringLiteral("Game.MGX"), FileTime());
    EXPECT_FALSE(fields.hasRecord);
    EXPECT_TRUE(fields.map.isEmpty());
    EXPECT_EQ(fields.original, QStringLiteral("Game"));

    const ExpandedName fileOnly = ExpandRenameTemplate(QStringLiteral("{原名}_{日期}"), fields, QStringLiteral("Game.MGX"));
    EXPECT_EQ(fileOnly.name, QStringLiteral("Game_2026-12-08_2130.MGX")) << "the old extension is kept as written";
    EXPECT_FALSE(fileOnly.usesRecord);

    EXPECT_EQ(ExpandRenameTemplate(QStringLiteral("{x}{原名}{"), fields, QStringLiteral("Game.MGX")).name,
              QStringLiteral("{x}Game{.MGX"));
    EXPECT_TRUE(ExpandRenameTemplate(QStringLiteral("{地图}"), fields, QStringLiteral("Game.MGX")).usesRecord);
    EXPECT_EQ(ExpandRenameTemplate(QString(), fields, QStringLiteral("Game.MGX")).name, QStringLiteral(".MGX"));
    // A UserPatch 1.4 or 1.5 record keeps .mgz.
    EXPECT_EQ(ExpandRenameTemplate(QStringLiteral("{原名}_{日期}"), fields, QStringLiteral("up.mgz")).name,
              QStringLiteral("Game_2026-12-08_2130.mgz"));
    EXPECT_EQ(RenameFieldsOf(nullptr, QStringLiteral("up.MGZ"), FileTime()).original, QStringLiteral("up"));

    Mgx::GameRecord empty; // an empty file: no chapter
    EXPECT_FALSE(RenameFieldsOf(&empty, QStringLiteral("e.mgx"), FileTime()).hasRecord);
}

TEST(RenameTemplate, PlayersGroupByTeamAndLonePlayersStandAlone)
{
    Mgx::ChapterInfo chapter;
    Seat(chapter, 1, "Ann", 0);
    Seat(chapter, 2, "Ben", 1);
    EXPECT_EQ(PlayersByTeam(chapter), QStringLiteral("Ann vs Ben"));

    Seat(chapter, 3, "Cal", 4);
    Seat(chapter, 5, "Eve", 4);
    chapter.slots[4].playerNumber = 0; // an empty slot between them
    chapter.slots[4].name = std::string("Ghost");
    EXPECT_EQ(PlayersByTeam(chapter), QStringLiteral("Ann vs Ben vs Cal, Eve"));

    chapter.slots[6].playerNumber = 12; // a number no player block has is not a player
    chapter.slots[6].name = std::string("Bad");
    EXPECT_EQ(PlayersByTeam(chapter), QStringLiteral("Ann vs Ben vs Cal, Eve"));
}

TEST(RenameTemplate, VersionAndMapOfOtherRecords)
{
    Mgx::GameRecord record = TwoVersusTwo();
    record.chapters.resize(1);
    record.chapters[0].logVersion = 3;
    record.chapters[0].gameType = 3; // a scenario: the map is the scenario file
    record.chapters[0].scenarioFileName = std::string("Hunt.scx");
    record.chapters[0].recorderNumber = 0;
    const RenameFields fields = RenameFieldsOf(&record, QStringLiteral("a.mgx"), FileTime());
    EXPECT_EQ(fields.version, QStringLiteral("1.0a"));
    EXPECT_EQ(fields.map, QStringLiteral("Hunt.scx"));
    EXPECT_TRUE(fields.recorder.isEmpty()) << "no recorder slot";
    record.chapters[0].logVersion = 9;
    EXPECT_EQ(RenameFieldsOf(&record, QStringLiteral("a.mgx"), FileTime()).version, QStringLiteral("其他"));
}
