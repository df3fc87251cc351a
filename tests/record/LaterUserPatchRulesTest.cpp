// UserPatch 1.4 and 1.5 rules that no shared record exercises, each on a record written for it.
#include "TemporaryRecord.h"
#include "WalkedHeader.h"

#include "HeaderBlockWriter.h"
#include "HeaderBlueprint.h"
#include "HeaderWalk.h"
#include "MemoryStream.h"
#include "RecordError.h"
#include "MarkCode.h"
#include "RecordBlueprint.h"
#include "TextCodePage.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace korvale::test;
using namespace Mgx;

namespace {

constexpr const char* UserPatch14 = "VER 9.C";
constexpr const char* UserPatch15 = "VER 9.F";

HeaderBlueprint HeaderOf(const char* versionText)
{
    HeaderBlueprint header;
    header.prefix = HeaderBlueprint::VersionPrefix(versionText, 11.76f);
    header.gameSpeed = 178;
    header.mapId = 29;
    header.populationLimit = 12;
    header.instructions = "after the blocks";
    header.pregameChat = {"@#1last line"};
    return header;
}

// The walk ends where the writer's tail begins, with the values after every block in place.
void ExpectWalkedToTheEnd(const WalkedHeader& walked, const HeaderBlueprint& header)
{
    EXPECT_EQ(walked.endPosition, walked.tailStart);
    EXPECT_EQ(walked.chapter.gameSpeed, header.gameSpeed);
    EXPECT_EQ(walked.chapter.mapId, header.mapId);
    EXPECT_EQ(walked.chapter.populationLimit, header.populationLimit);
    EXPECT_EQ(walked.chapter.instructions, header.instructions);
    ASSERT_EQ(walked.chapter.pregameChat.size(), 1u);
    EXPECT_EQ(walked.chapter.restoreTime, 0);
}

ObjectRecordBlueprint Building(std::uint8_t owner, float x, float y)
{
    ObjectRecordBlueprint object = ObjectRecordBlueprint::At(ObjectKind::Building, owner, 70, x, y);
    object.motionStretch = 0; // an empty sprite list
    object.pathStretch = 256; // what the stretch the empty list lacks would have selected
    return object;
}

} // namespace

TEST(LaterUserPatchHeader, UserPatch15StoresFourBytesPerTileAndKeepsTheMiddleTwo)
{
    HeaderBlueprint header = HeaderOf(UserPatch15);
    header.mapWidth = 5;
    header.mapHeight = 3;
    const WalkedHeader walked = WalkWrittenHeader(header);
    ExpectWalkedToTheEnd(walked, header);
    EXPECT_EQ(walked.chapter.terrain, HeaderBlockWriter::TerrainOf(header));
    EXPECT_EQ(walked.chapter.objectMarks.size(), 15u);
}

TEST(LaterUserPatchHeader, TheAiBlockEndsWithItsZeroRunWhereverThatStarts)
{
    for (const std::size_t extra : {std::size_t{0}, std::size_t{1024}}) {
        SCOPED_TRACE(extra);
        HeaderBlueprint header = HeaderOf(UserPatch14);
        header.aiFlag = 1;
        header.aiStrings = {"script.ai"};
        header.aiRules[0] = {1, 2};
        header.aiBlockExtra.assign(extra, 0x5A);
        ExpectWalkedToTheEnd(WalkWrittenHeader(header), header);
    }
}

TEST(LaterUserPatchHeader, ParticlesAndTheScenarioStretchesListsArePassedByTheirCounts)
{
    HeaderBlueprint header = HeaderOf(UserPatch14);
    header.particleCount = 3;
    header.playerScenarioLists = {{2, 2}, {0, 2}};
    ExpectWalkedToTheEnd(WalkWrittenHeader(header), header);

    // Read as fixed 1817-byte stretches, the lists put everything after them on the wrong bytes.
    HeaderBlueprint conquerors = header;
    conquerors.prefix = HeaderBlueprint::VersionPrefix("VER 9.8", 11.76f);
    const std::vector<std::uint8_t> block = HeaderBlockWriter::Write(header);
    std::vector<std::uint8_t> relabelled = block;
    std::copy(conquerors.prefix.begin(), conquerors.prefix.end(), relabelled.begin());
    MemoryStream stream(relabelled);
    ChapterInfo chapter;
    bool sameEnd = false;
    try {
        WalkHeader(stream, chapter);
        sameEnd = chapter.instructions == header.instructions && chapter.pregameChat.size() == 1u;
    } catch (const RecordError&) {
    }
    EXPECT_FALSE(sameEnd);
}

TEST(LaterUserPatchPlayerBlock, CountsAbove127AreUnsignedAndSavedViewsAndStateEntriesAreCounted)
{
    HeaderBlueprint header = HeaderOf(UserPatch15);
    PlayerBlueprint& alpha = header.players[1];
    alpha.firstList.entries.assign(133, CountTripleEntry{{1, 0, 2}});
    alpha.thirdList.entries.assign(140, FlaggedEntry{1});
    alpha.resourceExtraFlag = 3; // three saved views
    alpha.wideFlag = 5;
    alpha.objectTypes = {{1, ObjectKind::Living, 1, 2}, {1, ObjectKind::Building, 0, 1}, {1, ObjectKind::Moving}};
    alpha.groups = {ObjectGroup{0, {Building(1, 3.5f, 2.5f)}}};
    const WalkedHeader walked = WalkWrittenHeader(header);
    ExpectWalkedToTheEnd(walked, header);
    EXPECT_EQ(walked.chapter.players[2].name, "Bravo");
    EXPECT_EQ(walked.chapter.objectMarks[2 * 16 + 3], MarkCode::FirstPlayer + header.players[1].colour);
}

TEST(LaterUserPatchPlayerBlock, AnEmptySpriteListEndsWithoutTheStretchAFullOneHas)
{
    // In UserPatch 1.4 the same object bytes read with the stretch would put the next object off.
    HeaderBlueprint header = HeaderOf(UserPatch14);
    header.players[2].groups = {ObjectGroup{0, {Building(2, 1.0f, 1.0f), Building(2, 9.0f, 7.0f)}}};
    const WalkedHeader walked = WalkWrittenHeader(header);
    ExpectWalkedToTheEnd(walked, header);
    const std::uint8_t bravo = MarkCode::FirstPlayer + header.players[2].colour;
    EXPECT_EQ(walked.chapter.objectMarks[1 * 16 + 1], bravo);
    EXPECT_EQ(walked.chapter.objectMarks[7 * 16 + 9], bravo);
}

TEST(LaterUserPatchBody, ATimeStepLongerThanAnHourEndsTheScanAsDamaged)
{
    RecordBlueprint record;
    record.header = HeaderOf(UserPatch15);
    record.body.operations = {TimeStep{1000}, ChatOperation{"@#1before"}, TimeStep{3600000}, TimeStep{3600001},
                              ChatOperation{"@#1after"}, TimeStep{500}};
    const ChapterInfo chapter = ReadBack(record);
    EXPECT_TRUE(chapter.bodyDamaged);
    EXPECT_EQ(chapter.gameTime, 3601000);
    ASSERT_EQ(chapter.ingameChat.size(), 1u);
    EXPECT_EQ(chapter.ingameChat[0].text, "@#1before");

    record.body.operations.erase(record.body.operations.begin() + 3);
    const ChapterInfo whole = ReadBack(record);
    EXPECT_FALSE(whole.bodyDamaged);
    EXPECT_EQ(whole.gameTime, 3601500);
}
