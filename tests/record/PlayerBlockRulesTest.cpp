// The player data block's branches, its object type table, object records and object marks.

#include "ByteBuilder.h"
#include "HeaderBlockWriter.h"
#include "MarkCode.h"
#include "RecordError.h"
#include "WalkedHeader.h"

#include "HeaderWalk.h"
#include "MemoryStream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace korvale::test;
using namespace Mgx;

namespace {

constexpr std::uint32_t MapSize = 16;

ObjectRecordBlueprint Nature(float x, float y, std::int16_t type, std::int16_t resourceKind, std::uint8_t recordKind = 10)
{
    return ObjectRecordBlueprint::At(recordKind, 0, type, x, y, resourceKind);
}

// Player 1 is the block under test; player 2 follows it with a name and an object of its own,
// which the walk only finds when it left block 1 exactly at its end.
HeaderBlueprint AroundBlock(const PlayerBlueprint& tested)
{
    HeaderBlueprint header;
    header.players[1] = tested;
    PlayerBlueprint& after = header.players[2];
    after.name = "After";
    after.colour = 5;
    after.groups = {ObjectGroup{0, {ObjectRecordBlueprint::At(70, 2, 83, 7.5f, 8.5f)}}};
    return header;
}

std::uint8_t MarkAt(const Mgx::ChapterInfo& chapter, std::uint32_t column, std::uint32_t row)
{
    return chapter.objectMarks.at(std::size_t{row} * chapter.mapWidth + column);
}

void ExpectBlockWalkedExactly(const PlayerBlueprint& tested)
{
    const WalkedHeader walked = WalkWrittenHeader(AroundBlock(tested));
    EXPECT_EQ(walked.chapter.players[1].name, tested.name);
    EXPECT_EQ(walked.chapter.players[1].civilization, tested.civilization);
    EXPECT_EQ(walked.chapter.players[1].colour, tested.colour);
    EXPECT_EQ(walked.chapter.players[1].kind, tested.kind);
    EXPECT_EQ(walked.chapter.players[2].name, "After");
    EXPECT_EQ(MarkAt(walked.chapter, 7, 8), 6);
    EXPECT_EQ(walked.endPosition, walked.tailStart);
}

PlayerBlueprint Tested(std::uint8_t kind = PlayerKind::Human)
{
    PlayerBlueprint player;
    player.name = "Tested";
    player.civilization = 13;
    player.colour = 3;
    player.kind = kind;
    return player;
}

WalkedHeader WalkNatureObjects(const std::vector<ObjectRecordBlueprint>& objects)
{
    HeaderBlueprint header;
    header.mapWidth = header.mapHeight = MapSize;
    header.players[0].groups = {ObjectGroup{0, objects}};
    return WalkWrittenHeader(header);
}

} // namespace

TEST(PlayerBlockIdentity, FlagsAndStateCountsSelectTheirStretches)
{
    for (std::int32_t flag : {0, 1, -1, 77})
        for (std::int32_t wide : {0, 1, -1})
            for (std::int32_t entries : {0, 3}) {
                SCOPED_TRACE("flag " + std::to_string(flag) + " wide " + std::to_string(wide) + " entries " + std::to_string(entries));
                PlayerBlueprint player = Tested();
                player.resourceExtraFlag = flag;
                player.wideFlag = wide;
                player.stateEntries = entries;
                ExpectBlockWalkedExactly(player);
            }
}

TEST(PlayerBlockCounts, TwoC0EntriesPassTheirCountBytes)
{
    PlayerBlueprint player = Tested();
    player.firstList.entries = {CountTripleEntry{{1, 0, 2}}, CountTripleEntry{{0, 5, 0}}};
    ExpectBlockWalkedExactly(player);
}

TEST(PlayerBlockCounts, EachListWithItsInnerCounts)
{
    PlayerBlueprint player = Tested();
    player.firstList.entries = {CountTripleEntry{{3, 0, 0}}};
    player.secondList.entries = {CountTripleEntry{{0, 0, 0}}, CountTripleEntry{{1, 2, 3}}, CountTripleEntry{{0, 4, 0}}};
    player.thirdList.entries = {FlaggedEntry{1}, FlaggedEntry{0}, FlaggedEntry{-4}, FlaggedEntry{100}};
    player.fourthList.entries = {CountTripleEntry{{2, 2, 2}}};
    ExpectBlockWalkedExactly(player);
}

TEST(PlayerBlockCounts, CountBytesOf0x80AndAboveRunNoEntries)
{
    for (std::uint8_t byte : {0x80, 0xC3, 0xFF}) {
        SCOPED_TRACE(int(byte));
        PlayerBlueprint player = Tested();
        player.firstList.countByte = byte;
        player.secondList.countByte = byte;
        player.thirdList.countByte = byte;
        player.fourthList.countByte = byte;
        ExpectBlockWalkedExactly(player);
    }
}

TEST(PlayerBlockCounts, NegativeInnerCountsMoveTheWalkBack)
{
    // 4 × k with k < 0 is a backward skip; the writer moves back the same way.
    PlayerBlueprint player = Tested();
    player.firstList.entries = {CountTripleEntry{{0, -1, 2}}};
    ExpectBlockWalkedExactly(player);
}

TEST(PlayerBlockKinds, NatureAndHumanBlocksDifferBy452Bytes)
{
    const std::size_t human = HeaderBlockWriter::Write(AroundBlock(Tested(PlayerKind::Human))).size();
    const std::size_t nature = HeaderBlockWriter::Write(AroundBlock(Tested(PlayerKind::Nature))).size();
    EXPECT_EQ(nature - human, 452u);
    ExpectBlockWalkedExactly(Tested(PlayerKind::Nature));
}

TEST(PlayerBlockKinds, AComputerBlockIsFoundAgainByItsTypeCount)
{
    PlayerBlueprint computer = Tested(PlayerKind::Computer);
    computer.computerEntries = 5;
    computer.computerStrings = {"Promi", "", "x"};
    computer.objectTypes = {{0}, {1, 70, 1, 1}, {1, 80}};
    computer.groups = {ObjectGroup{0, {ObjectRecordBlueprint::At(80, 1, 109, 3.5f, 4.5f)}}};
    const WalkedHeader walked = WalkWrittenHeader(AroundBlock(computer));
    ExpectBlockWalkedExactly(computer);
    EXPECT_EQ(MarkAt(walked.chapter, 3, 4), 4);
}

TEST(PlayerBlockKinds, TheSearchSurvivesBrokenPartialMatches)
{
    // Partial patterns in the junk, and the byte before the real occurrence is itself a 0x0B.
    for (const std::vector<std::uint8_t>& junk :
         {std::vector<std::uint8_t>{}, {0x0B}, {0x0B, 0x62, 0x03, 0x00, 0x01}, {0x0B, 0x0B, 0x62, 0x0B, 0x62, 0x03}}) {
        SCOPED_TRACE(junk.size());
        PlayerBlueprint computer = Tested(PlayerKind::Computer);
        computer.computerJunk = junk;
        ExpectBlockWalkedExactly(computer);
    }
}

TEST(PlayerBlockKinds, AComputerBlockWithoutThePatternFailsTheWalk)
{
    std::vector<std::uint8_t> block = HeaderBlockWriter::Write(AroundBlock(Tested(PlayerKind::Computer)));
    const std::uint8_t pattern[] = {0x0B, 0x62, 0x03, 0x00, 0x00};
    auto at = std::search(block.begin(), block.end(), std::begin(pattern), std::end(pattern));
    ASSERT_NE(at, block.end());
    for (; at != block.end(); at = std::search(at, block.end(), std::begin(pattern), std::end(pattern)))
        *at = 0x0C;
    MemoryStream stream(block);
    Mgx::ChapterInfo chapter;
    EXPECT_THROW(Mgx::WalkHeader(stream, chapter), Mgx::RecordError);
}

TEST(PlayerBlockTypeTable, EveryTableKindWithItsCounts)
{
    PlayerBlueprint player = Tested();
    player.objectTypes = {{1, 10}, {1, 20}, {-1, 25}, {1, 30}, {1, 60, 2, 0}, {1, 70, 0, 3}, {9, 80, 1, 1}, {1, 80, 0, 0}};
    ExpectBlockWalkedExactly(player);
}

TEST(PlayerBlockTypeTable, AbsentEntriesStoreNothingButTheirPresence)
{
    PlayerBlueprint player = Tested();
    player.objectTypes = {{0}, {0}, {1, 70, 2, 2}, {0}, {0}, {1, 30}, {0}};
    ExpectBlockWalkedExactly(player);
}

TEST(PlayerBlockTypeTable, AnUnknownKindAbandonsTheRestOfTheTable)
{
    for (std::uint8_t unknown : {40, 0, 255, 11}) {
        SCOPED_TRACE(int(unknown));
        PlayerBlueprint player = Tested();
        // The entries after the unknown kind are present but never written: a walk that goes on
        // reads the unit counts as a table entry.
        player.objectTypes = {{1, 70, 1, 0}, {1, unknown}, {1, 80, 4, 4}, {1, 60}};
        player.gridRows = 2;
        player.gridColumns = 9;
        player.unitCounts = {1, 2};
        ExpectBlockWalkedExactly(player);
    }
}

TEST(PlayerBlockUnits, GridUnitCountsGroupsAndTrailingList)
{
    PlayerBlueprint player = Tested();
    player.gridRows = 6;
    player.gridColumns = 7;
    player.unitCounts = {3, 0, -2, 1};
    player.groups = {ObjectGroup{0, {}}, ObjectGroup{1, {ObjectRecordBlueprint::At(70, 1, 83, 1.5f, 1.5f)}},
                     ObjectGroup{-9, {ObjectRecordBlueprint::At(80, 1, 70, 2.5f, 1.5f)}}};
    player.trailing = {1, 2, 255};
    ExpectBlockWalkedExactly(player);
    const WalkedHeader walked = WalkWrittenHeader(AroundBlock(player));
    EXPECT_EQ(MarkAt(walked.chapter, 1, 1), 4);
    EXPECT_EQ(MarkAt(walked.chapter, 2, 1), 4);
}

TEST(PlayerBlockUnits, ANegativeGridProductMovesTheWalkBack)
{
    PlayerBlueprint player = Tested();
    player.gridRows = -1;
    player.gridColumns = 4;
    player.unitCounts = {2};
    ExpectBlockWalkedExactly(player);
}

TEST(ObjectRecord, EveryKindAndBranchEndsWhereTheNextRecordBegins)
{
    std::vector<ObjectRecordBlueprint> variants;
    for (std::uint8_t kind : {10, 20, 30, 70, 80, 90, 255})
        for (std::int8_t u : {0, 1, 2, 3})
            for (std::int16_t v : {0, 256, 512, 1}) {
                ObjectRecordBlueprint object = ObjectRecordBlueprint::At(kind, 1, 83, 4.5f, 4.5f);
                object.motionStretch = u;
                object.pathStretch = v;
                object.waypoints = v == 1 ? 2 : 0;
                variants.push_back(object);
            }
    for (std::uint8_t kind : {70, 80, 91}) {
        for (std::int16_t type : {50, 276, 199, 83})
            for (std::int16_t w2 : {0, 1}) {
                ObjectRecordBlueprint object = ObjectRecordBlueprint::At(kind, 1, type, 4.5f, 4.5f);
                object.combatFlag = 1;
                object.combatExtraFlag = w2;
                variants.push_back(object);
            }
        for (std::uint8_t d1 : {70, 80, 5})
            for (std::int8_t d3 : {3, 4, 0}) {
                ObjectRecordBlueprint object = ObjectRecordBlueprint::At(kind, 1, 50, 4.5f, 4.5f);
                object.combatTailFlag = 1;
                object.actionFlag = 1;
                object.actionKind = d1;
                object.actionLength = d3 == 0 ? -40 : 12;
                object.actionTailKind = d3;
                object.firstActionValues = 2;
                object.secondActionValues = 3;
                variants.push_back(object);
            }
        for (std::int32_t k2 : {0, 1}) {
            ObjectRecordBlueprint object = ObjectRecordBlueprint::At(kind, 1, 83, 4.5f, 4.5f);
            object.tailFlag = 1;
            object.tailExtraFlag = k2;
            object.waypoints = -1; // 44 × n + 24 = -20: a step back
            variants.push_back(object);
        }
    }
    for (const ObjectRecordBlueprint& object : variants) {
        SCOPED_TRACE("kind " + std::to_string(object.recordKind) + " type " + std::to_string(object.objectTypeId) + " u " +
                     std::to_string(object.motionStretch) + " v " + std::to_string(object.pathStretch) + " w2 " + std::to_string(object.combatExtraFlag) +
                     " d1 " + std::to_string(object.actionKind) + " d3 " + std::to_string(object.actionTailKind) + " k2 " + std::to_string(object.tailExtraFlag));
        PlayerBlueprint player = Tested();
        player.groups = {ObjectGroup{0, {object, ObjectRecordBlueprint::At(10, 1, 83, 9.5f, 2.5f)}}};
        ExpectBlockWalkedExactly(player);
        const WalkedHeader walked = WalkWrittenHeader(AroundBlock(player));
        EXPECT_EQ(MarkAt(walked.chapter, 4, 4), 4);
        EXPECT_EQ(MarkAt(walked.chapter, 9, 2), 4);
    }
}

TEST(ObjectMarks, NatureObjectsAreMarkedByResourceKindThenType)
{
    const WalkedHeader walked = WalkNatureObjects({
        Nature(10.9f, 3.2f, 66, 3),  // gold
        Nature(1.5f, 1.5f, 102, 2),  // stone
        Nature(2.5f, 1.5f, 59, 0),   // food
        Nature(3.5f, 1.5f, 96, 0),   // food by kind, but type 96 leaves no mark
        Nature(4.5f, 1.5f, 411, 1),  // wood: no mark
        Nature(5.5f, 1.5f, 285, -1), // relic
        Nature(6.5f, 1.5f, 264, 7),  // cliff
        Nature(7.5f, 1.5f, 285, 1),  // relic whatever its kind other than 0, 2, 3
        Nature(8.5f, 1.5f, 285, 2),  // the resource kind decides first: stone
        Nature(9.5f, 1.5f, 264, 0),  // likewise: food
    });
    const Mgx::ChapterInfo& chapter = walked.chapter;
    EXPECT_EQ(MarkAt(chapter, 10, 3), Mgx::MarkCode::Gold);
    EXPECT_EQ(MarkAt(chapter, 1, 1), Mgx::MarkCode::Stone);
    EXPECT_EQ(MarkAt(chapter, 2, 1), Mgx::MarkCode::Food);
    EXPECT_EQ(MarkAt(chapter, 3, 1), Mgx::MarkCode::None);
    EXPECT_EQ(MarkAt(chapter, 4, 1), Mgx::MarkCode::None);
    EXPECT_EQ(MarkAt(chapter, 5, 1), Mgx::MarkCode::Relic);
    EXPECT_EQ(MarkAt(chapter, 6, 1), Mgx::MarkCode::Cliff);
    EXPECT_EQ(MarkAt(chapter, 7, 1), Mgx::MarkCode::Relic);
    EXPECT_EQ(MarkAt(chapter, 8, 1), Mgx::MarkCode::Stone);
    EXPECT_EQ(MarkAt(chapter, 9, 1), Mgx::MarkCode::Food);
    EXPECT_EQ(std::count(chapter.objectMarks.begin(), chapter.objectMarks.end(), 0), MapSize * MapSize - 8);
}

TEST(ObjectMarks, CoordinatesAreTruncatedAbsoluteValuesClampedToTheMap)
{
    const WalkedHeader walked = WalkNatureObjects({
        Nature(-4.0f, 2.5f, 66, 3),    // column 4
        Nature(5.99f, -6.7f, 66, 3),   // row 6
        Nature(16.0f, 9.5f, 102, 2),   // at the width: last column
        Nature(250.0f, 10.5f, 102, 2), // far beyond: last column
        Nature(3.5f, 16.0f, 59, 0),    // at the height: last row
        Nature(-40.0f, -40.0f, 59, 0), // both beyond: the last tile
    });
    const Mgx::ChapterInfo& chapter = walked.chapter;
    EXPECT_EQ(MarkAt(chapter, 4, 2), Mgx::MarkCode::Gold);
    EXPECT_EQ(MarkAt(chapter, 5, 6), Mgx::MarkCode::Gold);
    EXPECT_EQ(MarkAt(chapter, 15, 9), Mgx::MarkCode::Stone);
    EXPECT_EQ(MarkAt(chapter, 15, 10), Mgx::MarkCode::Stone);
    EXPECT_EQ(MarkAt(chapter, 3, 15), Mgx::MarkCode::Food);
    EXPECT_EQ(MarkAt(chapter, 15, 15), Mgx::MarkCode::Food);
}

TEST(ObjectMarks, AnOwnedObjectIsMarkedWithItsOwnersColourPlusOne)
{
    HeaderBlueprint header;
    header.players[1].colour = 0;
    header.players[2].colour = 5;
    header.players[1].groups = {ObjectGroup{0, {ObjectRecordBlueprint::At(80, 1, 109, 2.5f, 2.5f)}}};
    header.players[2].groups = {ObjectGroup{0, {ObjectRecordBlueprint::At(70, 2, 83, 12.5f, 7.5f)}}};
    const WalkedHeader walked = WalkWrittenHeader(header);
    EXPECT_EQ(MarkAt(walked.chapter, 2, 2), 1);
    EXPECT_EQ(MarkAt(walked.chapter, 12, 7), 6);
}

TEST(ObjectMarks, TheLastObjectOnATileDecidesAndUnmarkedObjectsLeaveIt)
{
    HeaderBlueprint header;
    header.players[0].groups = {ObjectGroup{0, {Nature(5.5f, 5.5f, 66, 3), Nature(5.2f, 5.8f, 102, 2), Nature(5.9f, 5.1f, 96, 0)}},
                                ObjectGroup{1, {Nature(6.5f, 6.5f, 66, 3)}}};
    // Blocks are walked in order: player 2's object on tile (6, 6) comes after nature's gold there.
    header.players[2].colour = 7;
    header.players[2].groups = {ObjectGroup{0, {ObjectRecordBlueprint::At(70, 2, 83, 6.1f, 6.9f)}}};
    const WalkedHeader walked = WalkWrittenHeader(header);
    EXPECT_EQ(MarkAt(walked.chapter, 5, 5), Mgx::MarkCode::Stone);
    EXPECT_EQ(MarkAt(walked.chapter, 6, 6), 8);
}
