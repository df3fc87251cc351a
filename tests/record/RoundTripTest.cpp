// Records written from known values read back as exactly those values.

#include "ByteBuilder.h"
#include "HeaderBlockWriter.h"
#include "HeaderWalk.h"
#include "MarkCode.h"
#include "MemoryStream.h"
#include "RecordError.h"
#include "RecordWriter.h"
#include "SampleRecords.h"
#include "TemporaryRecord.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>

using namespace korvale::test;
using namespace Mgx;

namespace {

const std::string CastleLine = "\xBF\xAA\xCA\xBC\xC9\xFD\xBC\xB6\xB3\xC7\xB1\xA4\xCA\xB1\xB4\xFA"; // 开始升级城堡时代
const std::string Surrender = "\xCD\xB6\xBD\xB5";                                                  // 投降
const std::string ZhangSan = "\xD5\xC5\xC8\xFD";                                                   // 张三

// Every branch the header walk can take, each set to its less common side.
RecordBlueprint RichBlueprint()
{
    RecordBlueprint record;
    HeaderBlueprint& h = record.header;
    h.aiFlag = 1;
    h.aiStrings = {"Promi", "", "standard"};
    h.aiRules[0] = {1, 2};
    h.aiRules[3] = {0, 9};
    h.aiRules[7] = {5, 1};
    h.gameSpeed = 200;
    h.recorderNumber = 3;
    h.mapWidth = 24;
    h.mapHeight = 20;
    h.zones = {2, 0};
    h.mapEntries = {3, 0, 1};
    h.mapGridRows = 2;
    h.mapGridColumns = 3;

    PlayerBlueprint& nature = h.players[0];
    nature.objectTypes = {{1, 10}, {0}, {1, 80, 1, 2}};
    nature.groups = {ObjectGroup{0, {ObjectRecordBlueprint::At(10, 0, 66, 5.5f, 6.5f, 3),
                                     ObjectRecordBlueprint::At(30, 0, 102, 7.5f, 1.5f, 2),
                                     ObjectRecordBlueprint::At(70, 0, 285, 23.9f, 19.9f, -1)}}};
    PlayerBlueprint& alpha = h.players[1];
    alpha.name = ZhangSan;
    alpha.resourceExtraFlag = 4;
    alpha.stateEntries = 2;
    alpha.wideFlag = 1;
    alpha.firstList.entries = {CountTripleEntry{{1, 2, 0}}, CountTripleEntry{{0, 0, 3}}};
    alpha.secondList.entries = {CountTripleEntry{{1, 1, 1}}};
    alpha.thirdList.entries = {FlaggedEntry{2}, FlaggedEntry{-1}};
    alpha.fourthList.entries = {CountTripleEntry{{4, 0, 0}}};
    alpha.objectTypes = {{1, 20}, {2, 25}, {1, 30}, {1, 60, 2, 1}, {1, 70, 0, 2}, {1, 80, 3, 0}};
    alpha.gridRows = 3;
    alpha.gridColumns = 5;
    alpha.unitCounts = {2, -1, 3};
    ObjectRecordBlueprint walker = ObjectRecordBlueprint::At(80, 1, 50, 12.5f, 9.5f);
    walker.motionStretch = 2;
    walker.pathStretch = 512;
    walker.waypoints = 2;
    walker.combatFlag = 1;
    walker.combatExtraFlag = 1;
    walker.combatTailFlag = 1;
    walker.actionFlag = 1;
    walker.actionKind = 80;
    walker.actionLength = -30;
    walker.actionTailKind = 3;
    walker.firstActionValues = 2;
    walker.secondActionValues = 1;
    walker.tailFlag = 1;
    walker.tailExtraFlag = 1;
    alpha.groups = {ObjectGroup{0, {walker, ObjectRecordBlueprint::At(20, 1, 83, 2.5f, 2.5f)}},
                    ObjectGroup{7, {ObjectRecordBlueprint::At(90, 1, 83, 3.5f, 2.5f)}}};
    alpha.trailing = {1, 200};

    PlayerBlueprint computer;
    computer.name = "Computer";
    computer.civilization = 9;
    computer.colour = 4;
    computer.kind = Mgx::PlayerKind::Computer;
    computer.computerEntries = 3;
    computer.computerStrings = {"a", "bb", ""};
    computer.groups = {ObjectGroup{0, {ObjectRecordBlueprint::At(70, 3, 83, 20.5f, 15.5f)}}};
    h.players.push_back(computer);

    h.scenarioFileName = "rich.scx";
    h.instructions = "line one\r\nline two";
    h.scenarioTexts[4] = "victory";
    h.blockValues = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    h.scenarioNames[15] = "name";
    h.scenarioBlobs[0] = "blob";
    h.mapId = 44;
    h.difficulty = 1;
    h.slots[3] = SlotBlueprint{3, 4, "Computer", 4};
    h.slots[5] = SlotBlueprint{1, 6, "Onlooker", 0};
    h.lobbyEntries = {2, 0};
    h.victoryType = 7;
    h.victoryValue = -5;
    h.triggers = {TriggerEntry{"t", "desc", {TriggerItem{3, "x", "yy"}, TriggerItem{-2, "", "z"}}, 2},
                  TriggerEntry{"", "", {}, 0}};
    h.revealSetting = 1;
    h.populationLimit = 125;
    h.gameType = 2;
    h.lockFlag = 0;
    h.pregameChat = {"@#1a: hi", "abc", "@#3Computer: gl"};

    record.body.logVersion = 3;
    record.body.operations = {TimeStep{700}, ChatOperation{"@#1" + ZhangSan + ": hi"}, TimeStep{300, 2},
                              ResearchCommand(3, 102), TimeStep{1000}, ResignCommand(1, 1)};
    return record;
}

void ExpectSlot(const Mgx::PlayerSlot& slot, const SlotBlueprint& expected, std::uint8_t team)
{
    EXPECT_EQ(slot.playerNumber, expected.playerNumber);
    EXPECT_EQ(slot.slotType, expected.slotType);
    EXPECT_EQ(slot.name, expected.name);
    EXPECT_EQ(slot.team, team);
}

void ExpectHeaderFields(const Mgx::ChapterInfo& chapter, const HeaderBlueprint& h)
{
    EXPECT_EQ(chapter.gameSpeed, h.gameSpeed);
    EXPECT_EQ(chapter.recorderNumber, h.recorderNumber);
    EXPECT_EQ(chapter.playerCount, h.players.size());
    EXPECT_EQ(chapter.mapWidth, h.mapWidth);
    EXPECT_EQ(chapter.mapHeight, h.mapHeight);
    EXPECT_EQ(chapter.terrain, HeaderBlockWriter::TerrainOf(h));
    EXPECT_EQ(chapter.objectMarks.size(), std::size_t{h.mapWidth} * h.mapHeight);
    for (std::size_t p = 0; p < chapter.players.size(); ++p) {
        SCOPED_TRACE("player " + std::to_string(p));
        if (p >= h.players.size()) {
            EXPECT_FALSE(chapter.players[p].Filled());
            continue;
        }
        EXPECT_EQ(chapter.players[p].name, h.players[p].name);
        EXPECT_EQ(chapter.players[p].civilization, h.players[p].civilization);
        EXPECT_EQ(chapter.players[p].colour, h.players[p].colour);
        EXPECT_EQ(chapter.players[p].kind, h.players[p].kind);
    }
    EXPECT_EQ(chapter.scenarioFileName, h.scenarioFileName);
    EXPECT_EQ(chapter.instructions, h.instructions);
    EXPECT_EQ(chapter.mapId, h.mapId);
    EXPECT_EQ(chapter.difficulty, h.difficulty);
    for (std::size_t k = 0; k < chapter.slots.size(); ++k) {
        SCOPED_TRACE("slot " + std::to_string(k));
        ExpectSlot(chapter.slots[k], h.slots[k], k == 0 ? 0 : h.slots[k].team);
    }
    EXPECT_EQ(chapter.victoryType, h.victoryType);
    EXPECT_EQ(chapter.victoryValue, h.victoryValue);
    EXPECT_EQ(chapter.revealSetting, h.revealSetting);
    EXPECT_EQ(chapter.populationLimit, h.populationLimit);
    EXPECT_EQ(chapter.gameType, h.gameType);
    EXPECT_EQ(chapter.lockFlag, h.lockFlag);
}

std::map<std::uint8_t, int> MarkCounts(const Mgx::ChapterInfo& chapter)
{
    std::map<std::uint8_t, int> counts;
    for (std::uint8_t mark : chapter.objectMarks)
        if (mark != Mgx::MarkCode::None)
            ++counts[mark];
    return counts;
}

std::uint8_t MarkAt(const Mgx::ChapterInfo& chapter, std::uint32_t column, std::uint32_t row)
{
    return chapter.objectMarks.at(std::size_t{row} * chapter.mapWidth + column);
}

} // namespace

TEST(RoundTrip, DefaultBlueprintReadsBackAsItsValues)
{
    const RecordBlueprint record;
    const RecordWriter writer(record);
    const Mgx::ChapterInfo chapter = ReadBack(record);

    EXPECT_EQ(chapter.status, Mgx::ChapterInfo::Read);
    EXPECT_EQ(chapter.headerEnd, writer.BodyOffset());
    EXPECT_EQ(chapter.nextChapterPos, 0);
    ExpectHeaderFields(chapter, record.header);
    EXPECT_EQ(chapter.playerCount, 3);
    EXPECT_EQ(chapter.players[1].name, "Alpha");
    EXPECT_EQ(chapter.slots[2].name, "Bravo");
    EXPECT_EQ(chapter.scenarioFileName, "");
    EXPECT_TRUE(chapter.pregameChat.empty());
    EXPECT_EQ(MarkCounts(chapter).size(), 0u);
    EXPECT_EQ(chapter.logVersion, 4);
    EXPECT_EQ(chapter.gameTime, 0);
    EXPECT_TRUE(chapter.ingameChat.empty());
}

TEST(RoundTrip, EveryBranchOfTheHeaderReadsBackAsItsValues)
{
    const RecordBlueprint record = RichBlueprint();
    const Mgx::ChapterInfo chapter = ReadBack(record);

    ExpectHeaderFields(chapter, record.header);
    EXPECT_EQ(chapter.players[1].name, ZhangSan);
    EXPECT_EQ(chapter.players[3].kind, 3);
    ASSERT_EQ(chapter.pregameChat.size(), 2u);
    EXPECT_EQ(chapter.pregameChat[0].text, "@#1a: hi");
    EXPECT_EQ(chapter.pregameChat[1].text, "@#3Computer: gl");

    EXPECT_EQ(MarkAt(chapter, 5, 6), Mgx::MarkCode::Gold);
    EXPECT_EQ(MarkAt(chapter, 7, 1), Mgx::MarkCode::Stone);
    EXPECT_EQ(MarkAt(chapter, 23, 19), Mgx::MarkCode::Relic);
    EXPECT_EQ(MarkAt(chapter, 12, 9), 1); // player 1, colour 0
    EXPECT_EQ(MarkAt(chapter, 2, 2), 1);
    EXPECT_EQ(MarkAt(chapter, 3, 2), 1);
    EXPECT_EQ(MarkAt(chapter, 20, 15), 5); // the computer player, colour 4
    EXPECT_EQ((MarkCounts(chapter)), (std::map<std::uint8_t, int>{{1, 3}, {5, 1}, {10, 1}, {11, 1}, {12, 1}}));

    EXPECT_EQ(chapter.logVersion, 3);
    EXPECT_EQ(chapter.gameTime, 2000);
    ASSERT_EQ(chapter.ingameChat.size(), 3u);
    EXPECT_EQ(chapter.ingameChat[0].time, 700);
    EXPECT_EQ(chapter.ingameChat[0].text, "@#1" + ZhangSan + ": hi");
    EXPECT_EQ(chapter.ingameChat[1].time, 1000);
    EXPECT_EQ(chapter.ingameChat[1].text, "@#0 Computer " + CastleLine);
    EXPECT_EQ(chapter.ingameChat[2].time, 2000);
    EXPECT_EQ(chapter.ingameChat[2].text, "@#1 Alpha " + Surrender);
}

TEST(RoundTrip, TheWalkConsumesTheHeaderBlockUpToItsTail)
{
    // A walk that passes one byte too many or too few anywhere still ends in the wrong place.
    for (const RecordBlueprint& record : {RecordBlueprint{}, RichBlueprint()}) {
        const std::vector<std::uint8_t> block = RecordWriter(record).HeaderBlock();
        MemoryStream stream(block);
        Mgx::ChapterInfo chapter;
        Mgx::WalkHeader(stream, chapter);
        EXPECT_EQ(stream.Position(), static_cast<std::int64_t>(block.size() - record.header.tail.size()));
    }
}

TEST(RoundTrip, TheFileIsLaidOutAsHeaderEndThenNextChapterThenTheDeflatedBlock)
{
    const RecordWriter writer(RichBlueprint());
    const std::vector<std::uint8_t> bytes = writer.FileBytes();
    std::int32_t headerEnd = 0;
    std::memcpy(&headerEnd, bytes.data(), 4);
    EXPECT_EQ(headerEnd, 8 + static_cast<std::int64_t>(writer.CompressedHeader().size()));
    EXPECT_EQ(bytes.size(), headerEnd + writer.Body().size());
    EXPECT_TRUE(std::equal(writer.Body().begin(), writer.Body().end(), bytes.begin() + headerEnd));
}

TEST(RoundTripContainer, HeaderEndZeroGivesAnUnreadChapterWhateverFollows)
{
    RecordBlueprint record = RichBlueprint();
    record.headerEnd = 0;
    const Mgx::ChapterInfo chapter = ReadBack(record);
    EXPECT_EQ(chapter.status, Mgx::ChapterInfo::HeaderEndMissing);
    EXPECT_FALSE(chapter.instructions.has_value());
    EXPECT_FALSE(chapter.players[0].Filled());
    EXPECT_TRUE(chapter.terrain.empty());
    EXPECT_TRUE(chapter.ingameChat.empty());
    EXPECT_EQ(chapter.gameSpeed, 0);
    EXPECT_EQ(chapter.logVersion, 0);
}

TEST(RoundTripContainer, HeaderEndUpToEightOrNegativeFailsTheLoad)
{
    for (std::int32_t headerEnd : {1, 4, 8, -1, -300}) {
        SCOPED_TRACE(headerEnd);
        RecordBlueprint record;
        record.headerEnd = headerEnd;
        EXPECT_THROW(TemporaryRecord(record).Load(), Mgx::RecordError);
    }
}

TEST(RoundTripContainer, ACompressedBlockShorterThanEightBytesFailsTheLoad)
{
    RecordBlueprint record;
    record.headerBlock = std::vector<std::uint8_t>{};
    ASSERT_LT(RecordWriter(record).CompressedHeader().size(), 8u);
    EXPECT_THROW(TemporaryRecord(record).Load(), Mgx::RecordError);
}

TEST(RoundTripContainer, AnEmptyFileHasNoChapter)
{
    const TemporaryRecord empty(std::vector<std::uint8_t>{});
    const Mgx::GameRecord record = empty.Load();
    EXPECT_TRUE(record.chapters.empty());
    EXPECT_EQ(record.fileName, empty.Path().filename().string());
}

TEST(Samples, EverySampleLoads)
{
    for (const SampleRecord& sample : SampleRecords()) {
        SCOPED_TRACE(sample.fileName);
        const Mgx::GameRecord record = TemporaryRecord(sample.blueprint).Load();
        ASSERT_EQ(record.chapters.size(), 1u);
        const Mgx::ChapterInfo& chapter = record.chapters[0];
        if (sample.blueprint.headerEnd == 0) {
            EXPECT_EQ(chapter.status, Mgx::ChapterInfo::HeaderEndMissing);
            continue;
        }
        EXPECT_EQ(chapter.status, Mgx::ChapterInfo::Read);
        ExpectHeaderFields(chapter, sample.blueprint.header);
        for (const Mgx::ChatInGame& line : chapter.ingameChat)
            EXPECT_EQ(line.text.find("decoy"), std::string::npos);
    }
}

TEST(Samples, OneVersusOneShowsItsPlayersAgeUpsAndResignation)
{
    const Mgx::ChapterInfo chapter = ReadBack(SampleRecords().at(0).blueprint);
    EXPECT_EQ(chapter.mapWidth, 120u);
    EXPECT_EQ(chapter.players[2].name, "Viper_CN");
    EXPECT_EQ(chapter.gameTime, (33 * 60 + 20) * 1000);
    ASSERT_EQ(chapter.ingameChat.size(), 10u);
    EXPECT_EQ(chapter.ingameChat[2].time, (9 * 60 + 41) * 1000);
    EXPECT_EQ(chapter.ingameChat[2].text, "@#0 \xB7\xE7\xD4\xC6_\xB5\xB6\xBF\xCD \xBF\xAA\xCA\xBC\xC9\xFD\xBC\xB6\xB7\xE2\xBD\xA8\xCA\xB1\xB4\xFA");
    EXPECT_EQ(chapter.ingameChat[9].text, "@#2 Viper_CN " + Surrender);
    const std::map<std::uint8_t, int> marks = MarkCounts(chapter);
    for (std::uint8_t code : {1, 2, 9, 10, 11, 12, 13})
        EXPECT_GT(marks.count(code), 0u) << "mark " << int(code);
}

TEST(Samples, FourVersusFourCountsTimeAcrossItsSecondChapter)
{
    const SampleRecord sample = SampleRecords().at(1);
    const RecordWriter writer(sample.blueprint);
    ASSERT_EQ(writer.ChapterBoundaries().size(), 1u);
    EXPECT_EQ(writer.NextChapterPos(), writer.ChapterBoundaries()[0]);

    const Mgx::ChapterInfo chapter = ReadBack(sample.blueprint);
    EXPECT_EQ(chapter.gameTime, (38 * 60 + 12) * 1000);
    EXPECT_EQ(chapter.pregameChat.size(), 5u); // the empty and the two-byte entries are dropped
    EXPECT_EQ(chapter.slots[6].team, 3);
    const auto ageUps = std::count_if(chapter.ingameChat.begin(), chapter.ingameChat.end(),
                                      [](const Mgx::ChatInGame& line) { return line.text.rfind("@#0 ", 0) == 0; });
    EXPECT_EQ(ageUps, 16);
}

TEST(Samples, TheUnfinishedSampleKeepsTheBodyWhereTheRepairLooksForIt)
{
    const SampleRecord sample = SampleRecords().at(3);
    const RecordWriter writer(sample.blueprint);
    const std::vector<std::uint8_t> bytes = writer.FileBytes();
    const std::uint8_t pattern[] = {0xF4, 0x01, 0x00, 0x00};
    const auto found = std::search(bytes.begin() + 4, bytes.end(), std::begin(pattern), std::end(pattern));
    ASSERT_NE(found, bytes.end());
    EXPECT_EQ(found - bytes.begin(), writer.BodyOffset() + 4);
    EXPECT_EQ(writer.HeaderEnd(), 0);
}

namespace {

struct LaterPatch {
    const char* name;
    const char* versionText;
    float saveVersion;
};

const LaterPatch LaterPatches[] = {{"UserPatch 1.2", "VER 9.8", 11.76f}, {"HD 11.97", "VER 9.4", 11.97f},
                                   {"HD 12.10", "VER 9.4", 12.10f},       {"UserPatch 1.4", "VER 9.C", 11.76f},
                                   {"UserPatch 1.5", "VER 9.F", 11.76f}};

RecordBlueprint RichBlueprintOf(const LaterPatch& patch)
{
    RecordBlueprint record = RichBlueprint();
    record.header.prefix = HeaderBlueprint::VersionPrefix(patch.versionText, patch.saveVersion);
    return record;
}

} // namespace

TEST(RoundTripLaterPatches, EveryBranchReadsBackAsItsValuesInEachFormat)
{
    for (const LaterPatch& patch : LaterPatches) {
        SCOPED_TRACE(patch.name);
        const RecordBlueprint record = RichBlueprintOf(patch);
        const Mgx::ChapterInfo chapter = ReadBack(record);
        ExpectHeaderFields(chapter, record.header);
        EXPECT_EQ(chapter.versionText, patch.versionText);
        EXPECT_FLOAT_EQ(chapter.saveVersion, patch.saveVersion);
        EXPECT_EQ(chapter.players[1].name, ZhangSan);
        EXPECT_EQ(chapter.players[3].kind, Mgx::PlayerKind::Computer);
        EXPECT_EQ(chapter.pregameChat.size(), 2u);
        EXPECT_EQ((MarkCounts(chapter)), (std::map<std::uint8_t, int>{{1, 3}, {5, 1}, {10, 1}, {11, 1}, {12, 1}}));
        EXPECT_EQ(MarkAt(chapter, 20, 15), 5) << "the computer block was found again";
        EXPECT_EQ(chapter.gameTime, 2000);
        ASSERT_EQ(chapter.ingameChat.size(), 3u);
        EXPECT_EQ(chapter.ingameChat[1].text, "@#0 Computer " + CastleLine);
        EXPECT_EQ(chapter.ingameChat[2].text, "@#1 Alpha " + Surrender);
    }
}

TEST(RoundTripLaterPatches, TheWalkConsumesEachFormatsBlockAndOnlyItsOwnRulesFit)
{
    const std::vector<std::uint8_t> conquerors = RecordWriter(RichBlueprint()).HeaderBlock();
    for (const LaterPatch& patch : LaterPatches) {
        SCOPED_TRACE(patch.name);
        const RecordBlueprint record = RichBlueprintOf(patch);
        std::vector<std::uint8_t> block = RecordWriter(record).HeaderBlock();
        EXPECT_NE(block.size(), conquerors.size()) << "the format's own stretches were written";
        {
            MemoryStream stream(block);
            Mgx::ChapterInfo chapter;
            Mgx::WalkHeader(stream, chapter);
            EXPECT_EQ(stream.Position(), static_cast<std::int64_t>(block.size() - record.header.tail.size()));
        }
        // The same bytes under The Conquerors' version do not walk to the same end.
        const auto prefix = HeaderBlueprint::VersionPrefix("VER 9.4", 11.76f);
        std::copy(prefix.begin(), prefix.end(), block.begin());
        MemoryStream stream(block);
        Mgx::ChapterInfo chapter;
        bool sameEnd = false;
        try {
            Mgx::WalkHeader(stream, chapter);
            sameEnd = stream.Position() == static_cast<std::int64_t>(block.size() - record.header.tail.size())
                      && chapter.pregameChat.size() == 2u;
        } catch (const Mgx::RecordError&) {
        }
        EXPECT_FALSE(sameEnd);
    }
}

TEST(RoundTripLaterPatches, HdComputerBlocksAreFoundByTheFirstBlocksTypeCount)
{
    // An HD record with expansion data holds more types than The Conquerors' 866.
    RecordBlueprint record = RichBlueprintOf(LaterPatches[1]);
    record.header.players[0].objectTypes.resize(919, ObjectTypeEntry{0});
    const Mgx::ChapterInfo chapter = ReadBack(record);
    EXPECT_EQ(chapter.players[3].kind, Mgx::PlayerKind::Computer);
    EXPECT_EQ(MarkAt(chapter, 20, 15), 5);
    EXPECT_EQ(chapter.pregameChat.size(), 2u);
}
