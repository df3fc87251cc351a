// The header walk's branches for settings, map and scenario data, each taken on a block written for it.

#include "HeaderBlockWriter.h"
#include "RecordError.h"
#include "WalkedHeader.h"

#include "HeaderWalk.h"
#include "MemoryStream.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace korvale::test;
using namespace Mgx;

namespace {

// Values after every branch, so a walk that takes a branch wrongly reads them from the wrong bytes.
HeaderBlueprint WithDistinctSettings()
{
    HeaderBlueprint header;
    header.gameSpeed = 200;
    header.recorderNumber = 2;
    header.mapId = 29;
    header.difficulty = 4;
    header.scenarioFileName = "after.scx";
    header.instructions = "read me";
    header.slots[2].name = "Bravo";
    header.victoryType = 3;
    header.populationLimit = 75;
    header.gameType = 6;
    header.lockFlag = 1;
    header.pregameChat = {"last line"};
    return header;
}

void ExpectSettingsOf(const WalkedHeader& walked, const HeaderBlueprint& header)
{
    const Mgx::ChapterInfo& chapter = walked.chapter;
    EXPECT_EQ(walked.endPosition, walked.tailStart);
    EXPECT_EQ(chapter.gameSpeed, header.gameSpeed);
    EXPECT_EQ(chapter.recorderNumber, header.recorderNumber);
    EXPECT_EQ(chapter.mapId, header.mapId);
    EXPECT_EQ(chapter.difficulty, header.difficulty);
    EXPECT_EQ(chapter.scenarioFileName, header.scenarioFileName);
    EXPECT_EQ(chapter.instructions, header.instructions);
    EXPECT_EQ(chapter.slots[2].name, header.slots[2].name);
    EXPECT_EQ(chapter.victoryType, header.victoryType);
    EXPECT_EQ(chapter.populationLimit, header.populationLimit);
    EXPECT_EQ(chapter.gameType, header.gameType);
    EXPECT_EQ(chapter.lockFlag, header.lockFlag);
    ASSERT_FALSE(chapter.pregameChat.empty());
    EXPECT_EQ(chapter.pregameChat.back().text, header.pregameChat.back());
}

} // namespace

TEST(HeaderWalkAiBlock, AFlagOfZeroPassesNoAiBlock)
{
    HeaderBlueprint header = WithDistinctSettings();
    header.aiFlag = 0;
    header.aiStrings = {"never written"};
    header.aiRules[0] = {1, 50};
    ExpectSettingsOf(WalkWrittenHeader(header), header);
}

TEST(HeaderWalkAiBlock, AnyNonZeroFlagWalksStringsAndRules)
{
    for (std::int32_t flag : {1, -1, 0x100}) {
        SCOPED_TRACE(flag);
        HeaderBlueprint header = WithDistinctSettings();
        header.aiFlag = flag;
        header.aiStrings = {"Promi", "", std::string(300, 'x')};
        header.aiRules[0] = {1, 3};
        header.aiRules[4] = {-7, 1};
        ExpectSettingsOf(WalkWrittenHeader(header), header);
    }
}

TEST(HeaderWalkAiBlock, ARuleFlagOfZeroReadsItsCountButSkipsNoRules)
{
    HeaderBlueprint header = WithDistinctSettings();
    header.aiFlag = 1;
    for (AiRuleEntry& rule : header.aiRules)
        rule = {0, 9}; // 9 × 400 bytes each, were the count obeyed
    ExpectSettingsOf(WalkWrittenHeader(header), header);
}

TEST(HeaderWalkPlayers, TheScenarioSkipGrowsWithEveryBlockAfterTheFirst)
{
    for (std::size_t count : {1u, 3u, 9u}) {
        SCOPED_TRACE(count);
        HeaderBlueprint header = WithDistinctSettings();
        header.players.resize(count);
        for (std::size_t p = 1; p < count; ++p) {
            header.players[p].name = "P" + std::to_string(p);
            header.players[p].colour = static_cast<std::uint8_t>(p - 1);
        }
        const WalkedHeader walked = WalkWrittenHeader(header);
        ExpectSettingsOf(walked, header);
        EXPECT_EQ(walked.chapter.playerCount, count);
        EXPECT_EQ(walked.chapter.players[count - 1].name, header.players[count - 1].name);
        if (count < 9) {
            EXPECT_FALSE(walked.chapter.players[count].Filled());
        }
    }
}

TEST(HeaderWalkMap, ZonesEntriesAndGridsArePassedByTheirCounts)
{
    HeaderBlueprint header = WithDistinctSettings();
    header.mapWidth = 13;
    header.mapHeight = 7;
    header.zones = {0, 5, 1};
    header.mapEntries = {0, 4, 2, 0};
    header.mapGridRows = 3;
    header.mapGridColumns = 11;
    const WalkedHeader walked = WalkWrittenHeader(header);
    ExpectSettingsOf(walked, header);
    EXPECT_EQ(walked.chapter.mapWidth, 13u);
    EXPECT_EQ(walked.chapter.mapHeight, 7u);
    EXPECT_EQ(walked.chapter.terrain, HeaderBlockWriter::TerrainOf(header));
}

TEST(HeaderWalkMap, A120By120MapHas28800TerrainBytesAnd14400EmptyMarks)
{
    HeaderBlueprint header;
    header.mapWidth = header.mapHeight = 120;
    header.terrain.resize(28800);
    for (std::size_t i = 0; i < header.terrain.size(); ++i)
        header.terrain[i] = static_cast<std::uint8_t>(i * 7 + i / 240);
    const WalkedHeader walked = WalkWrittenHeader(header);
    EXPECT_EQ(walked.endPosition, walked.tailStart);
    EXPECT_EQ(walked.chapter.terrain, header.terrain);
    ASSERT_EQ(walked.chapter.objectMarks.size(), 14400u);
    EXPECT_TRUE(std::all_of(walked.chapter.objectMarks.begin(), walked.chapter.objectMarks.end(),
                            [](std::uint8_t mark) { return mark == 0; }));
}

TEST(HeaderWalkScenario, ABlockFlagOfZeroPassesOnlyTheFlagAndTenBytes)
{
    HeaderBlueprint header = WithDistinctSettings();
    header.blockFlag = 0;
    header.blockValues = {9, 9, 9, 9, 9, 900, 9, 9, 900, 9}; // would add 4500 bytes if read
    ExpectSettingsOf(WalkWrittenHeader(header), header);
}

TEST(HeaderWalkScenario, ANonZeroBlockFlagSkipsFourTimesTheNinthValueAndTheSixth)
{
    for (std::int32_t flag : {1, -3}) {
        SCOPED_TRACE(flag);
        HeaderBlueprint header = WithDistinctSettings();
        header.blockFlag = flag;
        header.blockValues = {-1, -1, -1, -1, -1, 37, -1, -1, 21, -1};
        ExpectSettingsOf(WalkWrittenHeader(header), header);
    }
}

TEST(HeaderWalkScenario, NotKeptStringsAndBlobsArePassedByTheirLengths)
{
    HeaderBlueprint header = WithDistinctSettings();
    header.scenarioTexts = {"hints", "", "victory", "loss", "history", "", "", "scout", std::string(1000, 'h')};
    for (std::size_t i = 0; i < 16; ++i) {
        header.scenarioNames[i] = std::string(i, 'n');
        header.scenarioBlobs[i] = std::string(i * 3, 'b');
    }
    header.lobbyEntries = {0, 3, 1};
    ExpectSettingsOf(WalkWrittenHeader(header), header);
}

TEST(HeaderWalkTriggers, AnEmptyListHasNoTrailingSkip)
{
    HeaderBlueprint header = WithDistinctSettings();
    header.triggers.clear();
    ExpectSettingsOf(WalkWrittenHeader(header), header);
}

TEST(HeaderWalkTriggers, EntriesWithAndWithoutItemsAndTheTrailingSkip)
{
    HeaderBlueprint header = WithDistinctSettings();
    header.triggers = {TriggerEntry{"no items", "", {}, 0},
                       TriggerEntry{"items", "text", {TriggerItem{4, "a", ""}, TriggerItem{0, "", "b"}, TriggerItem{-5, "c", "d"}}, 3},
                       TriggerEntry{"", "", {}, 1}};
    ExpectSettingsOf(WalkWrittenHeader(header), header);
}

TEST(HeaderWalkLobby, SlotsKeepNumberTypeNameAndTeamButSlotZeroHasNoTeam)
{
    HeaderBlueprint header = WithDistinctSettings();
    header.slots[0] = SlotBlueprint{0, 1, "", 9};
    header.slots[1] = SlotBlueprint{1, 2, "Alpha", 2};
    header.slots[4] = SlotBlueprint{1, 5, "Observer", 5};
    header.slots[8] = SlotBlueprint{2, 3, "Last", 3};
    const WalkedHeader walked = WalkWrittenHeader(header);
    ExpectSettingsOf(walked, header);
    const auto& slots = walked.chapter.slots;
    EXPECT_EQ(slots[0].team, 0);
    EXPECT_EQ(slots[0].slotType, 1);
    EXPECT_EQ(slots[1].team, 2);
    EXPECT_EQ(slots[4].playerNumber, 1);
    EXPECT_EQ(slots[4].slotType, 5);
    EXPECT_EQ(slots[4].name, "Observer");
    EXPECT_EQ(slots[4].team, 5);
    EXPECT_EQ(slots[8].name, "Last");
    EXPECT_EQ(slots[8].team, 3);
    EXPECT_EQ(slots[6].name, ""); // an empty slot still stores its empty name
}

TEST(HeaderWalkChat, EntriesOfThreeBytesOrFewerAreDropped)
{
    HeaderBlueprint header = WithDistinctSettings();
    header.pregameChat = {"", "abc", "abcd", "@#1", "@#1x", "last line"};
    const WalkedHeader walked = WalkWrittenHeader(header);
    ExpectSettingsOf(walked, header);
    ASSERT_EQ(walked.chapter.pregameChat.size(), 3u);
    EXPECT_EQ(walked.chapter.pregameChat[0].text, "abcd");
    EXPECT_EQ(walked.chapter.pregameChat[1].text, "@#1x");
    EXPECT_EQ(walked.chapter.pregameChat[1].text.size(), 4u);
}

TEST(HeaderWalkFailure, ACountThatRunsPastTheBlockFailsTheWalk)
{
    // A zone count that the block does not hold: the walk must stop, not read beyond the block.
    HeaderBlueprint header;
    header.zones = {0};
    std::vector<std::uint8_t> block = HeaderBlockWriter::Write(header);
    block.resize(200);
    MemoryStream stream(block);
    Mgx::ChapterInfo chapter;
    EXPECT_THROW(Mgx::WalkHeader(stream, chapter), Mgx::RecordError);
}
