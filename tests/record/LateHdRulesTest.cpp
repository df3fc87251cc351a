// Rules of the later HD releases that none of the shared records exercises, each on a record the
// writer builds for it: the settings block's layouts (1000, 1004, 1005, 1006 with and without
// ratings), the map id and name where the lobby holds 0, the scenario flag 3 without a picture,
// 12.50's empty sprite lists, and the stances a two-team game's blocks carry.
#include "TemporaryRecord.h"
#include "WalkedHeader.h"

#include "HeaderBlockWriter.h"
#include "LateHdHeader.h"
#include "MarkCode.h"
#include "RecordBlueprint.h"
#include "RecordError.h"
#include "RecordLayout.h"
#include "RecordReader.h"
#include "RecordWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using namespace korvale::test;
using namespace Mgx;

namespace {

struct SettingsCase {
    float saveVersion;
    float settingsVersion;
    bool ratings;
};

RecordBlueprint RecordWithSettings(const SettingsCase& settings)
{
    LateHdGame game = LateHdTeamGame(settings.saveVersion, 2, LobbyTeams::Zero);
    game.players[2].kind = PlayerKind::Computer;
    RecordBlueprint record;
    record.header = LateHdHeader(game);
    HdSettingsBlueprint& block = record.header.hdSettings;
    block.version = settings.settingsVersion;
    block.ratings = settings.ratings;
    block.gameMode = 7;
    block.lastText = "korvale";
    block.dlcIds = {2, 3, 4, 5};
    return record;
}

std::uint8_t MarkAt(const ChapterInfo& chapter, std::uint32_t column, std::uint32_t row)
{
    return chapter.objectMarks.at(std::size_t{row} * chapter.mapWidth + column);
}

class HdSettingsLayouts : public ::testing::TestWithParam<SettingsCase> {};

TEST_P(HdSettingsLayouts, EndWhereTheAiFlagFollows)
{
    const RecordBlueprint record = RecordWithSettings(GetParam());
    const WalkedHeader walked = WalkWrittenHeader(record.header);
    EXPECT_EQ(walked.endPosition, walked.tailStart);
    const ChapterInfo c = ReadBack(record);
    EXPECT_EQ(c.settingsVersion, static_cast<int>(GetParam().settingsVersion));
    EXPECT_EQ(c.mapId, 9) << "the lobby's 0 gives way to the settings block's map";
    EXPECT_EQ(c.players[3].name, "Ádám");
    EXPECT_EQ(c.players[3].kind, PlayerKind::Computer);
    EXPECT_EQ(c.slots[4].name, "robo_boro");
    EXPECT_EQ(MarkAt(c, 7, 4), MarkCode::FirstPlayer + 3);
}

TEST_P(HdSettingsLayouts, RefuseATextOrACountThatDoesNotFit)
{
    const RecordBlueprint record = RecordWithSettings(GetParam());
    const std::vector<std::uint8_t> block = RecordWriter(record).HeaderBlock();
    // The settings version, 8 bytes, then the count of DLC ids: one more puts the separator off.
    std::vector<std::uint8_t> miscounted = block;
    miscounted.at(12 + 4 + HdSettingsLayout::AfterVersion) += 1;
    RecordBlueprint damaged = record;
    damaged.headerBlock = miscounted;
    EXPECT_THROW(ReadBack(damaged), HeaderError);

    // A text one byte longer than stored (the lobby's name; the oldest layout has none, so its map
    // name): the next text's mark is not where it should be.
    const HdSettingsBlueprint& settings = record.header.hdSettings;
    const std::string lobby = settings.version == HdSettingsLayout::Version46 ? settings.mapName : settings.lobbyName;
    const auto at = std::search(block.begin(), block.end(), lobby.begin(), lobby.end());
    ASSERT_NE(at, block.end());
    std::vector<std::uint8_t> longer = block;
    longer.at(static_cast<std::size_t>(at - block.begin()) - 4) += 1;
    damaged.headerBlock = longer;
    EXPECT_THROW(ReadBack(damaged), HeaderError);
}

INSTANTIATE_TEST_SUITE_P(Versions, HdSettingsLayouts,
                         ::testing::Values(SettingsCase{12.36f, 1000.0f, false}, SettingsCase{12.49f, 1004.0f, false},
                                           SettingsCase{12.50f, 1005.0f, false}, SettingsCase{12.50f, 1006.0f, false},
                                           SettingsCase{12.50f, 1006.0f, true}),
                         [](const ::testing::TestParamInfo<SettingsCase>& info) {
                             return std::to_string(static_cast<int>(info.param.settingsVersion))
                                    + (info.param.ratings ? "WithRatings" : "");
                         });

TEST(HdSettingsBlock, MapOfTheOldestLayoutIsNamedThereAndACustomMapIsTheSelectedOne)
{
    LateHdGame game = LateHdTeamGame(12.36f, 1, LobbyTeams::Written);
    game.mapName = "Arabia";
    RecordBlueprint record;
    record.header = LateHdHeader(game);
    record.header.hdSettings.mapName = "real_world_britain";
    record.header.hdSettings.selectedMapId = 44;
    record.header.hdSettings.resolvedMapId = 0; // a custom map the lobby did not resolve
    const ChapterInfo c = ReadBack(record);
    EXPECT_EQ(c.mapName, "real_world_britain") << "the settings block before the instructions";
    EXPECT_EQ(c.mapId, 44);

    record.header.hdSettings.resolvedMapId = 2;
    EXPECT_EQ(ReadBack(record).mapId, 2) << "the resolved map before the selected one";
    record.header.mapId = 33;
    EXPECT_EQ(ReadBack(record).mapId, 33) << "a lobby id that is not 0 stands";
}

TEST(HdSettingsBlock, RatingsAreToldFromTheRepeatedSlotHead)
{
    // The same record with and without ratings; read with the wrong choice, every slot after the
    // first would be 8 bytes off and the texts' marks would not be found.
    for (const bool ratings : {false, true}) {
        SCOPED_TRACE(ratings);
        RecordBlueprint record = RecordWithSettings({12.50f, 1006.0f, ratings});
        record.header.hdSettings.slotHead = 0x00010203;
        for (HdSettingsSlot& slot : record.header.hdSettings.slots)
            slot.rating = 0x00010204; // one off the head: only an exact repeat means "no ratings"
        EXPECT_EQ(ReadBack(record).slots[1].name, "甄子毅");
    }
}

// The scenario's block flag: 3 comes without a picture from 12.34 on, any other set flag with one.
class PicturelessFlag : public ::testing::TestWithParam<float> {};

TEST_P(PicturelessFlag, PassesExactlyWhatTheReleaseWrites)
{
    const float saveVersion = GetParam();
    for (const std::int32_t flag : {0, 1, 3}) {
        SCOPED_TRACE(flag);
        RecordBlueprint record;
        record.header = LateHdHeader(LateHdTeamGame(saveVersion, 1, LobbyTeams::Written));
        record.header.blockFlag = flag;
        record.header.blockValues = {7, 0, 0, 0, 0, 6, 0, 0, 2, 0}; // 2 × 4 and 6 bytes of picture
        record.header.difficulty = 4;
        record.header.pregameChat = {"@#1picture"};
        const WalkedHeader walked = WalkWrittenHeader(record.header);
        EXPECT_EQ(walked.endPosition, walked.tailStart);
        EXPECT_EQ(walked.chapter.difficulty, 4);
        ASSERT_EQ(walked.chapter.pregameChat.size(), 1u);
    }
    // The difference is real: 12.31 writes the ten values after a flag of 3, 12.34 does not.
    HeaderBlueprint header = LateHdHeader(LateHdTeamGame(saveVersion, 1, LobbyTeams::Written));
    header.blockFlag = 3;
    HeaderBlueprint withPicture = header;
    withPicture.blockFlag = 1;
    const bool picture = !ChapterFormat("VER 9.4", saveVersion).IsHdFrom(LateHdLayout::PicturelessFlagFrom);
    EXPECT_EQ(HeaderBlockWriter::Write(header).size() == HeaderBlockWriter::Write(withPicture).size(), picture);
}

INSTANTIATE_TEST_SUITE_P(Releases, PicturelessFlag, ::testing::Values(12.31f, 12.34f, 12.36f, 12.50f));

ObjectRecordBlueprint Building(std::uint8_t owner, std::int16_t type, float x, float y, std::int8_t spriteState, bool markedEmpty)
{
    ObjectRecordBlueprint object = ObjectRecordBlueprint::At(ObjectKind::Building, owner, type, x, y);
    object.motionStretch = spriteState;
    object.emptySpriteList = markedEmpty;
    object.pathStretch = ObjectRecordLayout::SpriteEndTwoKey; // the longest stretch, so that a wrong reading shows
    object.waypoints = 1;
    return object;
}

TEST(HdEmptySpriteList, OnlyAMarkedEmptyListLacksItsEndFrom1250)
{
    for (const float saveVersion : {12.49f, 12.50f}) {
        SCOPED_TRACE(saveVersion);
        RecordBlueprint record;
        record.header = LateHdHeader(LateHdTeamGame(saveVersion, 1, LobbyTeams::Written));
        // Each kind of sprite list once, then an object whose mark the walk reaches only when every
        // record before it ended where it should.
        record.header.players[1].groups = {ObjectGroup{
            0, {Building(1, 888, 1.5f, 1.5f, 0, true), Building(1, 890, 3.5f, 1.5f, 0, false), Building(1, 109, 5.5f, 1.5f, 1, true),
                ObjectRecordBlueprint::At(ObjectKind::Living, 1, 83, 7.5f, 1.5f)}}};
        record.header.players[2].groups = {ObjectGroup{0, {Building(2, 888, 9.5f, 9.5f, 0, true)}}};
        const ChapterInfo c = ReadBack(record);
        for (const std::uint32_t column : {1u, 3u, 5u, 7u})
            EXPECT_EQ(MarkAt(c, column, 1), MarkCode::FirstPlayer) << column;
        EXPECT_EQ(MarkAt(c, 9, 9), MarkCode::FirstPlayer + 1);
    }
}

TEST(HdEmptySpriteList, WithoutTheRuleTheNextRecordIsReadFromTheWrongBytes)
{
    RecordBlueprint record;
    record.header = LateHdHeader(LateHdTeamGame(12.50f, 1, LobbyTeams::Written));
    record.header.players[1].groups = {ObjectGroup{0, {Building(1, 888, 1.5f, 1.5f, 0, true), Building(1, 109, 5.5f, 1.5f, 0, false)}}};
    std::vector<std::uint8_t> block = HeaderBlockWriter::Write(record.header);
    // The helper's placement ends with the mark 1; clearing it makes the reader look for the list's end.
    std::vector<std::uint8_t> unmarked = block;
    const std::uint8_t helperPlacement[] = {ObjectKind::Building, 1, 0x78, 0x03}; // kind, owner, type 888
    const auto at = std::search(unmarked.begin(), unmarked.end(), std::begin(helperPlacement), std::end(helperPlacement));
    ASSERT_NE(at, unmarked.end());
    const std::size_t markAt = static_cast<std::size_t>(at - unmarked.begin()) + 4 + ObjectRecordLayout::BeforePosition + 8
                               + ObjectRecordLayout::BeforeResourceKind + 2 + LateHdBlockLayout::LongerAfterResourceKind - 1;
    ASSERT_EQ(unmarked.at(markAt), LateHdBlockLayout::EmptySpriteListMark);
    unmarked[markAt] = 0;
    record.headerBlock = unmarked;
    bool sameResult = false;
    try {
        const ChapterInfo c = ReadBack(record);
        sameResult = MarkAt(c, 5, 1) == MarkCode::FirstPlayer && c.players[2].name == "Θεόδωρος";
    } catch (const RecordError&) {
    }
    EXPECT_FALSE(sameResult);
}

// Where a block stores the stance towards player p: after the block's first byte.
std::vector<std::uint8_t> StancesInBlock(const std::vector<std::uint8_t>& block, const std::string& name, std::size_t playerCount)
{
    const std::string stored = std::string{static_cast<char>(name.size()), '\0'} + name;
    const auto at = std::search(block.begin(), block.end(), stored.begin(), stored.end(),
                                [](std::uint8_t a, char b) { return a == static_cast<std::uint8_t>(b); });
    EXPECT_NE(at, block.end()) << name;
    const auto start = at - static_cast<std::ptrdiff_t>(playerCount + PlayerBlockLayout::AfterDiplomacyStances);
    return std::vector<std::uint8_t>(start + 1, start + 1 + static_cast<std::ptrdiff_t>(playerCount));
}

TEST(LateHdTeams, TwoTeamGamesCarryTheirAlliancesInTheStancesWhateverTheLobbyStores)
{
    for (const int teamSize : {2, 4}) {
        SCOPED_TRACE(teamSize);
        const LateHdGame game = LateHdTeamGame(12.50f, teamSize, LobbyTeams::Zero);
        const HeaderBlueprint header = LateHdHeader(game);
        const std::vector<std::uint8_t> block = HeaderBlockWriter::Write(header);
        const std::size_t playerCount = header.players.size();
        for (std::size_t from = 0; from < playerCount; ++from) {
            const std::vector<std::uint8_t> stances = StancesInBlock(block, header.players[from].name, playerCount);
            for (std::size_t to = 0; to < playerCount; ++to) {
                const bool allied = from == to || (from != 0 && to != 0 && from % 2 == to % 2);
                EXPECT_EQ(stances[to], allied ? 0 : 3) << from << " towards " << to;
            }
        }
        RecordBlueprint record;
        record.header = header;
        const ChapterInfo c = ReadBack(record);
        EXPECT_EQ(c.playerCount, playerCount);
        for (std::size_t slot = 1; slot < playerCount; ++slot)
            EXPECT_EQ(c.slots[slot].name, game.players[slot - 1].name);
    }
}

// With every lobby team byte 0 the reader takes the teams from the stances: the team of player 1
// comes first (2), the other second (3); a lobby that wrote its teams keeps them.
TEST(LateHdTeams, ALobbyWithoutTeamBytesShowsTheTeamsTheStancesForm)
{
    for (const float saveVersion : {12.34f, 12.36f, 12.50f}) {
        for (const int teamSize : {2, 4}) {
            SCOPED_TRACE(testing::Message() << saveVersion << " " << teamSize << "v" << teamSize);
            RecordBlueprint record;
            record.header = LateHdHeader(LateHdTeamGame(saveVersion, teamSize, LobbyTeams::Zero));
            const ChapterInfo zero = ReadBack(record);
            EXPECT_TRUE(zero.teamsFromStances);
            record.header = LateHdHeader(LateHdTeamGame(saveVersion, teamSize, LobbyTeams::Written));
            const ChapterInfo written = ReadBack(record);
            EXPECT_FALSE(written.teamsFromStances);
            for (std::size_t slot = 1; slot <= static_cast<std::size_t>(2 * teamSize); ++slot) {
                EXPECT_EQ(zero.slots[slot].team, slot % 2 == 1 ? 2 : 3) << "slot " << slot;
                EXPECT_EQ(written.slots[slot].team, zero.slots[slot].team) << "slot " << slot;
            }
        }
    }
}

} // namespace
