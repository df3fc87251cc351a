// Records of the later HD releases (save versions 12.20 to 12.50) built with the writer and read
// back: every release, including those between the shared samples, with UTF-8 names, the
// civilisations of the expansions, the map named where the release names it, chat, age-ups and a
// resignation, object marks, computer players, and damaged copies.
#include "TemporaryRecord.h"
#include "WalkedHeader.h"

#include "HeaderBlockWriter.h"
#include "LateHdHeader.h"
#include "MarkCode.h"
#include "RecordBlueprint.h"
#include "RecordError.h"
#include "RecordFormat.h"
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

const std::string Feudal = "\xBF\xAA\xCA\xBC\xC9\xFD\xBC\xB6\xB7\xE2\xBD\xA8\xCA\xB1\xB4\xFA"; // the reader's own GBK wording
const std::string Resigned = "\xCD\xB6\xBD\xB5";

bool SettingsBlock(float saveVersion) { return ChapterFormat("VER 9.4", saveVersion).HasHdSettingsBlock(); }

// The map id as the release stores or names it: 12.20 in the lobby, 12.31 and 12.34 nowhere (the
// lobby's 0 stays), HD 4.6 and later in the settings block.
std::int32_t ExpectedMapId(float saveVersion, std::int32_t mapId)
{
    if (SettingsBlock(saveVersion))
        return mapId;
    return ChapterFormat("VER 9.4", saveVersion).IsHdFrom(1231) ? 0 : mapId;
}

RecordBlueprint TwoTeamsRecord(float saveVersion)
{
    LateHdGame game = LateHdTeamGame(saveVersion, 2, LobbyTeams::Written);
    game.mapId = 29;
    game.mapName = "Arabia";
    game.gameSpeed = 170;
    game.populationLimit = 300;
    game.players[3].civilization = 31;
    RecordBlueprint record;
    record.header = LateHdHeader(game);
    record.header.pregameChat = {"@#1甄子毅: 你好", "ab"};
    record.body.operations = {TimeStep{1000}, ChatOperation{"@#2Θεόδωρος: gl hf"}, ResearchCommand(1, AgeTechnology::Feudal),
                              TimeStep{2000}, ResignCommand(3, 3), TimeStep{500}};
    return record;
}

std::uint8_t MarkAt(const ChapterInfo& chapter, std::uint32_t column, std::uint32_t row)
{
    return chapter.objectMarks.at(std::size_t{row} * chapter.mapWidth + column);
}

class LateHdRelease : public ::testing::TestWithParam<float> {};

TEST_P(LateHdRelease, ReadsBackWhatTheWriterStored)
{
    const float saveVersion = GetParam();
    const RecordBlueprint record = TwoTeamsRecord(saveVersion);
    const WalkedHeader walked = WalkWrittenHeader(record.header);
    EXPECT_EQ(walked.endPosition, walked.tailStart) << "the walk leaves the header where the writer's tail begins";

    const ChapterInfo c = ReadBack(record);
    EXPECT_EQ(ChapterFormat(c.versionText, c.saveVersion).hdRelease, HdReleaseOf(saveVersion));
    EXPECT_EQ(c.logVersion, 4);
    EXPECT_TRUE(c.utf8Names);
    ASSERT_EQ(c.playerCount, 5);
    EXPECT_EQ(c.players[0].name, c.saveVersion > 12.495f ? "Gaia" : "GAIA");
    EXPECT_EQ(c.players[0].kind, PlayerKind::Nature);
    const char* names[] = {"甄子毅", "Θεόδωρος", "Ádám", "robo_boro"};
    const std::uint8_t civilisations[] = {19, 20, 21, 31};
    for (int p = 1; p <= 4; ++p) {
        SCOPED_TRACE(p);
        EXPECT_EQ(c.players[p].name, names[p - 1]);
        EXPECT_EQ(c.players[p].civilization, civilisations[p - 1]);
        EXPECT_EQ(c.players[p].colour, p - 1);
        EXPECT_EQ(c.players[p].kind, PlayerKind::Human);
        EXPECT_EQ(c.slots[p].name, names[p - 1]);
        EXPECT_EQ(c.slots[p].playerNumber, p);
        EXPECT_EQ(c.slots[p].team, p % 2 == 1 ? 2 : 3);
        EXPECT_EQ(MarkAt(c, 2 * p - 1, 4), MarkCode::FirstPlayer + p - 1) << "each town centre in its owner's colour";
    }
    EXPECT_EQ(MarkAt(c, 2, 10), MarkCode::Gold);
    EXPECT_EQ(MarkAt(c, 6, 10), MarkCode::Relic);
    EXPECT_EQ(c.mapId, ExpectedMapId(saveVersion, 29));
    EXPECT_EQ(c.mapName, "Arabia");
    EXPECT_EQ(c.gameSpeed, 170);
    EXPECT_EQ(c.populationLimit, 300);
    EXPECT_EQ(c.settingsVersion, SettingsBlock(saveVersion) ? static_cast<int>(record.header.hdSettings.version) : 0);
    ASSERT_EQ(c.pregameChat.size(), 1u);
    EXPECT_EQ(c.pregameChat[0].text, "@#1甄子毅: 你好");

    EXPECT_EQ(c.gameTime, 3500);
    ASSERT_EQ(c.ingameChat.size(), 3u);
    EXPECT_EQ(c.ingameChat[0].text, "@#2Θεόδωρος: gl hf");
    EXPECT_EQ(c.ingameChat[1].text, "@#0 甄子毅 " + Feudal);
    EXPECT_EQ(c.ingameChat[1].time, 1000);
    EXPECT_EQ(c.ingameChat[2].text, "@#3 Ádám " + Resigned);
    EXPECT_EQ(c.ingameChat[2].time, 3000);
}

// The AI state the game writes for a computer player, in small: near misses of the marker that
// ends it (the table count The Conquerors search by, and a byte 11 before a count one off),
// then the two bytes before the object type table.
std::vector<std::uint8_t> AiState(std::int32_t typeCount)
{
    std::vector<std::uint8_t> state = {0x0B, 0x62, 0x03, 0x00, 0x00, 0x0B};
    const std::int32_t offByOne = typeCount + (1 << 24);
    state.resize(state.size() + 4);
    std::memcpy(state.data() + state.size() - 4, &offByOne, 4);
    state.insert(state.end(), {0x11, 0x22, 0x0B});
    return state;
}

TEST_P(LateHdRelease, ComputerPlayersAndTheAiBlockArePassed)
{
    const float saveVersion = GetParam();
    LateHdGame game = LateHdTeamGame(saveVersion, 1, LobbyTeams::Written);
    game.players[1].kind = PlayerKind::Computer;
    game.players[1].name = "Earl of Warwick (AI)";
    RecordBlueprint record;
    record.header = LateHdHeader(game);
    HeaderBlueprint& header = record.header;
    header.aiFlag = 1;
    header.aiStrings = {"Promi.ai", ""};
    header.aiRules[0] = {1, 2};
    header.aiRules[5] = {0, 7};
    PlayerBlueprint& computer = header.players[2];
    computer.computerEntries = 3;
    computer.computerStrings = {"Promi", "", "x"};
    computer.computerJunk = AiState(static_cast<std::int32_t>(header.players[0].objectTypes.size()));
    header.instructions += "after the blocks";

    const ChapterInfo c = ReadBack(record);
    EXPECT_EQ(c.players[2].name, "Earl of Warwick (AI)");
    EXPECT_EQ(c.players[2].kind, PlayerKind::Computer);
    EXPECT_EQ(c.players[2].civilization, 20);
    EXPECT_EQ(MarkAt(c, 3, 4), MarkCode::FirstPlayer + 1) << "the computer's objects are walked after the search";
    EXPECT_NE(c.instructions->find("after the blocks"), std::string::npos);
    EXPECT_EQ(c.slots[2].name, "Earl of Warwick (AI)");

    // Where the release searches right after the lists, the AI's state may be absent: four bytes,
    // then the marker.
    if (ChapterFormat("VER 9.4", saveVersion).IsHdFrom(LateHdBlockLayout::ComputerSearchAfterListsFrom)) {
        computer.computerJunk = {0x00, 0x00, 0x00, 0x00};
        EXPECT_EQ(ReadBack(record).slots[2].name, "Earl of Warwick (AI)");
    }
}

TEST_P(LateHdRelease, CountsOfTheBlocksAndTheMapArePassedAsStored)
{
    RecordBlueprint record = TwoTeamsRecord(GetParam());
    HeaderBlueprint& header = record.header;
    header.zones = {3};
    header.triggers = {TriggerEntry{"trigger", "", {TriggerItem{2, "effect", ""}}, 2}};
    PlayerBlueprint& block = header.players[2];
    block.valueCount = 209; // a block with the expansions' data among blocks without
    block.resourceExtraFlag = 3; // saved views
    block.firstList.entries.assign(132, CountTripleEntry{{1, 0, 2}}); // counts above 127 are unsigned
    block.thirdList.entries.assign(130, FlaggedEntry{1});
    block.stateEntries = 2;
    block.unitCounts = {2, 0, 1};
    block.gridRows = 3;
    block.gridColumns = 2;
    block.trailing = {1};

    const WalkedHeader walked = WalkWrittenHeader(header);
    EXPECT_EQ(walked.endPosition, walked.tailStart);
    const ChapterInfo c = ReadBack(record);
    EXPECT_EQ(c.players[2].civilization, 20);
    EXPECT_EQ(c.players[3].name, "Ádám") << "the next block starts where this one ends";
    EXPECT_EQ(MarkAt(c, 3, 4), MarkCode::FirstPlayer + 1);
    EXPECT_EQ(c.gameSpeed, 170);
}

// A copy of the file whose header block is cut or holds a count one too large.
std::vector<std::uint8_t> WithHeaderBlock(const RecordWriter& writer, const std::vector<std::uint8_t>& block)
{
    RecordBlueprint damaged;
    damaged.headerBlock = block;
    damaged.rawBody = writer.Body();
    return RecordWriter(damaged).FileBytes();
}

void ExpectRefused(const std::vector<std::uint8_t>& file, const char* what)
{
    SCOPED_TRACE(what);
    RecordReader reader;
    EXPECT_THROW(reader.LoadBytes(file, "damaged.aoe2record"), HeaderError);
}

// Where the text first occurs; the block's size when it does not.
std::size_t Find(const std::vector<std::uint8_t>& block, const std::string& text)
{
    const std::vector<std::uint8_t> bytes(text.begin(), text.end());
    return static_cast<std::size_t>(std::search(block.begin(), block.end(), bytes.begin(), bytes.end()) - block.begin());
}

void AddToInt32(std::vector<std::uint8_t>& block, std::size_t at, std::int32_t amount)
{
    ASSERT_LE(at + 4, block.size());
    std::int32_t value = 0;
    std::memcpy(&value, block.data() + at, 4);
    value += amount;
    std::memcpy(block.data() + at, &value, 4);
}

TEST_P(LateHdRelease, ACutOrAMiscountedHeaderIsRefusedWithAHeaderError)
{
    const RecordBlueprint record = TwoTeamsRecord(GetParam());
    const RecordWriter writer(record);
    const std::vector<std::uint8_t>& block = writer.HeaderBlock();

    // Cut in the settings block, inside player blocks, among the objects and before the map id.
    for (const std::size_t cut : {std::size_t{40}, std::size_t{400}, block.size() / 4, block.size() / 2, block.size() * 3 / 4}) {
        SCOPED_TRACE(cut);
        ExpectRefused(WithHeaderBlock(writer, std::vector<std::uint8_t>(block.begin(), block.begin() + cut)), "cut");
    }

    // The count of per-player values of the second player's block, right after its name.
    std::vector<std::uint8_t> miscounted = block;
    const std::string& name = record.header.players[2].name;
    const std::string lengthAndName = std::string{static_cast<char>(name.size()), '\0'} + name; // as the block stores it
    AddToInt32(miscounted, Find(miscounted, lengthAndName) + lengthAndName.size() + PlayerBlockLayout::BeforeValueCount, 1);
    ExpectRefused(WithHeaderBlock(writer, miscounted), "value count");
}

INSTANTIATE_TEST_SUITE_P(SavedAndBetween, LateHdRelease, ::testing::Values(12.20f, 12.26f, 12.31f, 12.34f, 12.36f, 12.44f, 12.49f, 12.50f),
                         [](const ::testing::TestParamInfo<float>& info) {
                             return "Save" + std::to_string(static_cast<int>(info.param * 100 + 0.5f));
                         });

} // namespace
