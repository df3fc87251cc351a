// The body scan: time, chat, event lines, operations it passes over, and chapter boundaries.

#include "RecordWriter.h"
#include "TemporaryRecord.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace korvale::test;
using namespace Mgx;

namespace {

const std::string Feudal = "\xBF\xAA\xCA\xBC\xC9\xFD\xBC\xB6\xB7\xE2\xBD\xA8\xCA\xB1\xB4\xFA";   // 开始升级封建时代
const std::string Castle = "\xBF\xAA\xCA\xBC\xC9\xFD\xBC\xB6\xB3\xC7\xB1\xA4\xCA\xB1\xB4\xFA";   // 开始升级城堡时代
const std::string Imperial = "\xBF\xAA\xCA\xBC\xC9\xFD\xBC\xB6\xB5\xDB\xCD\xF5\xCA\xB1\xB4\xFA"; // 开始升级帝王时代
const std::string Surrender = "\xCD\xB6\xBD\xB5";                                                // 投降
const std::string LiSi = "\xC0\xEE\xCB\xC4";                                                     // 李四

RecordBlueprint WithBody(std::vector<BodyOperation> operations)
{
    RecordBlueprint record;
    record.header.slots[2].name = LiSi;
    record.header.slots[3] = SlotBlueprint{1, 2, "Third", 1};
    record.body.operations = std::move(operations);
    return record;
}

// A chat line after the operation under test shows whether the scan came out at its end.
ChatOperation Marker()
{
    return ChatOperation{"@#1Alpha: after"};
}

// Also checks the time: bytes the scan should have skipped read as time steps.
void ExpectOnlyTheMarker(const Mgx::ChapterInfo& chapter, std::int32_t time = 0)
{
    EXPECT_EQ(chapter.gameTime, time);
    ASSERT_EQ(chapter.ingameChat.size(), 1u);
    EXPECT_EQ(chapter.ingameChat[0].text, "@#1Alpha: after");
    EXPECT_EQ(chapter.ingameChat[0].time, time);
}

// Command data past its first byte reads as time steps, like the body's skipped stretches.
void PadWithTimeSteps(Command& command, std::size_t length)
{
    for (std::size_t i = command.data.size(); i < length; ++i)
        command.data.push_back(SkippedBodyWord[i % SkippedBodyWord.size()]);
}

Command OtherCommand(std::uint8_t byte, std::size_t length)
{
    Command command{{byte}};
    PadWithTimeSteps(command, length);
    return command;
}

} // namespace

TEST(BodyScan, ABodyOfOnlyItsFirst28BytesHasVersionAndNothingElse)
{
    RecordBlueprint record = WithBody({});
    record.body.logVersion = 3;
    ASSERT_EQ(RecordWriter(record).Body().size(), 28u);
    const Mgx::ChapterInfo chapter = ReadBack(record);
    EXPECT_EQ(chapter.logVersion, 3);
    EXPECT_EQ(chapter.gameTime, 0);
    EXPECT_TRUE(chapter.ingameChat.empty());
}

TEST(BodyScan, TimeStepsAddUpAndStampTheLinesBetweenThem)
{
    const Mgx::ChapterInfo chapter =
        ReadBack(WithBody({TimeStep{500}, TimeStep{500, 3}, ChatOperation{"@#2x: at one second"}, TimeStep{1000, 1}}));
    EXPECT_EQ(chapter.gameTime, 2000);
    ASSERT_EQ(chapter.ingameChat.size(), 1u);
    EXPECT_EQ(chapter.ingameChat[0].time, 1000);
    EXPECT_EQ(chapter.ingameChat[0].text, "@#2x: at one second");
}

TEST(BodyScan, ChatTextIsKeptByteForByte)
{
    const std::string text = "@#2" + LiSi + ": \xC4\xE3\xBA\xC3 \x01\x7F";
    const Mgx::ChapterInfo chapter = ReadBack(WithBody({ChatOperation{text}, ChatOperation{""}}));
    ASSERT_EQ(chapter.ingameChat.size(), 2u);
    EXPECT_EQ(chapter.ingameChat[0].text, text);
    EXPECT_EQ(chapter.ingameChat[1].text, "");
}

TEST(BodyScan, ChatWithAnotherMarkerIsPassedOverWithTwentyBytes)
{
    for (std::int32_t m : {0, 500, -2}) {
        SCOPED_TRACE(m);
        ExpectOnlyTheMarker(ReadBack(WithBody({ChatOperation{"never read", m}, Marker()})));
    }
}

TEST(BodyScan, ResearchOfTheThreeAgesNamesTheSlot)
{
    const Mgx::ChapterInfo chapter = ReadBack(WithBody({ResearchCommand(3, AgeTechnology::Castle), TimeStep{250},
                                                        ResearchCommand(2, AgeTechnology::Feudal), ResearchCommand(1, AgeTechnology::Imperial)}));
    ASSERT_EQ(chapter.ingameChat.size(), 3u);
    EXPECT_EQ(chapter.ingameChat[0].text, "@#0 Third " + Castle);
    EXPECT_EQ(chapter.ingameChat[0].time, 0);
    EXPECT_EQ(chapter.ingameChat[1].text, "@#0 " + LiSi + " " + Feudal);
    EXPECT_EQ(chapter.ingameChat[1].time, 250);
    EXPECT_EQ(chapter.ingameChat[2].text, "@#0 Alpha " + Imperial);
}

TEST(BodyScan, OtherResearchIsPassedOverWithItsWholeLength)
{
    for (std::uint16_t technology : {104, 100, 22}) {
        SCOPED_TRACE(technology);
        Command research = ResearchCommand(2, technology);
        PadWithTimeSteps(research, 40); // a longer command: L + 4 bytes follow its length either way
        ExpectOnlyTheMarker(ReadBack(WithBody({research, Marker()})));
    }
}

TEST(BodyScan, AResignationPrintsItsNumberAndTheSlotsName)
{
    const Mgx::ChapterInfo chapter = ReadBack(WithBody({TimeStep{4000}, ResignCommand(4, 2), Marker()}));
    ASSERT_EQ(chapter.ingameChat.size(), 2u);
    EXPECT_EQ(chapter.ingameChat[0].text, "@#4 " + LiSi + " " + Surrender);
    EXPECT_EQ(chapter.ingameChat[0].time, 4000);
    EXPECT_EQ(chapter.ingameChat[1].text, "@#1Alpha: after");
}

TEST(BodyScan, OtherCommandsArePassedOverWithTheirLengthAndFourBytes)
{
    for (std::uint8_t byte : {0x20, 0x03, 0x00, 0xFF})
        for (std::size_t length : {1u, 4u, 20u, 333u}) {
            SCOPED_TRACE(std::to_string(byte) + "/" + std::to_string(length));
            ExpectOnlyTheMarker(ReadBack(WithBody({OtherCommand(byte, length), Marker()})));
        }
}

TEST(BodyScan, OperationsOfTypesZeroAndThreeArePassedOver)
{
    ExpectOnlyTheMarker(ReadBack(WithBody({ListOperation{0}, ListOperation{7}, ViewOperation{}, Marker()})));
}

TEST(BodyScan, AnUnknownTypeConsumesOnlyItsFourBytes)
{
    ExpectOnlyTheMarker(ReadBack(WithBody({BareOperation{9}, BareOperation{5}, BareOperation{-1}, Marker()})));
}

TEST(BodyScan, ANextChapterPositionOfZeroIsNeverMet)
{
    // A boundary whose two offsets read as unknown operation types, followed by the decoy bytes,
    // which read as a 77777 ms time step and a chat line when scanned as operations.
    ChapterBoundary boundary;
    boundary.resumePos = 9;
    boundary.nextChapterPos = 9;
    RecordBlueprint record = WithBody({TimeStep{100}, boundary});
    record.nextChapterPos = 0;
    const Mgx::ChapterInfo chapter = ReadBack(record);
    EXPECT_EQ(chapter.gameTime, 100 + 77777);
    ASSERT_EQ(chapter.ingameChat.size(), 1u);
    EXPECT_EQ(chapter.ingameChat[0].text, "decoy");
}

TEST(BodyScan, AChapterBoundarySkipsTheEmbeddedHeaderAndKeepsCounting)
{
    const RecordBlueprint record =
        WithBody({TimeStep{600}, ChatOperation{"@#1Alpha: before"}, ChapterBoundary{}, TimeStep{400},
                  ResearchCommand(2, AgeTechnology::Feudal)});
    const RecordWriter writer(record);
    ASSERT_EQ(writer.ChapterBoundaries().size(), 1u);
    EXPECT_EQ(writer.NextChapterPos(), writer.ChapterBoundaries()[0]);

    const Mgx::ChapterInfo chapter = ReadBack(record);
    EXPECT_EQ(chapter.nextChapterPos, writer.NextChapterPos());
    EXPECT_EQ(chapter.gameTime, 1000);
    ASSERT_EQ(chapter.ingameChat.size(), 2u);
    EXPECT_EQ(chapter.ingameChat[0].text, "@#1Alpha: before");
    EXPECT_EQ(chapter.ingameChat[1].text, "@#0 " + LiSi + " " + Feudal);
    EXPECT_EQ(chapter.ingameChat[1].time, 1000);
}

TEST(BodyScan, EachBoundaryNamesTheNext)
{
    ChapterBoundary large;
    large.embedded.resize(5000, 0x02);
    const RecordBlueprint record = WithBody({TimeStep{1}, ChapterBoundary{}, TimeStep{10}, BareOperation{9}, large,
                                             TimeStep{100}, ChapterBoundary{}, ChatOperation{"@#3Third: end"}});
    const RecordWriter writer(record);
    ASSERT_EQ(writer.ChapterBoundaries().size(), 3u);
    const Mgx::ChapterInfo chapter = ReadBack(record);
    EXPECT_EQ(chapter.gameTime, 111);
    ASSERT_EQ(chapter.ingameChat.size(), 1u);
    EXPECT_EQ(chapter.ingameChat[0].text, "@#3Third: end");
    EXPECT_EQ(chapter.ingameChat[0].time, 111);
}

TEST(BodyScan, ABodyCutInsideAnOperationKeepsWhatWasRead)
{
    RecordBlueprint record = WithBody({TimeStep{300}, ChatOperation{"@#1Alpha: kept"}, TimeStep{200}});
    std::vector<std::uint8_t> body = RecordWriter(record).Body();
    body.resize(body.size() - 10); // inside the last time step's 16 trailing bytes: its delta is whole
    record.rawBody = body;
    const Mgx::ChapterInfo chapter = ReadBack(record);
    EXPECT_EQ(chapter.gameTime, 500);
    ASSERT_EQ(chapter.ingameChat.size(), 1u);
    EXPECT_EQ(chapter.ingameChat[0].text, "@#1Alpha: kept");
}

TEST(BodyScan, ABodyEndingInsideAnyOperationIsTruncatedAndOneEndingBetweenThemIsNot)
{
    const std::vector<BodyOperation> operations = {
        TimeStep{300}, ChatOperation{"@#1Alpha: kept"}, TimeStep{200, 2}, ResignCommand(3, 2),
        ResearchCommand(2, AgeTechnology::Feudal), OtherCommand(0x10, 24), TimeStep{100}};
    // Where each operation ends: the bodies of the first n operations.
    std::vector<std::size_t> boundaries;
    for (std::size_t n = 0; n <= operations.size(); ++n)
        boundaries.push_back(RecordWriter(WithBody({operations.begin(), operations.begin() + n})).Body().size());
    const std::vector<std::uint8_t> whole = RecordWriter(WithBody(operations)).Body();
    ASSERT_EQ(whole.size(), boundaries.back());

    for (std::size_t size = boundaries.front(); size <= whole.size(); ++size) {
        RecordBlueprint record = WithBody(operations);
        record.rawBody = std::vector<std::uint8_t>(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
        const Mgx::ChapterInfo chapter = ReadBack(record);
        const bool between = std::find(boundaries.begin(), boundaries.end(), size) != boundaries.end();
        EXPECT_EQ(chapter.truncated, !between) << "body cut to " << size << " of " << whole.size() << " bytes";
        EXPECT_FALSE(chapter.bodyDamaged);
    }
}

TEST(BodyScan, ADamagedTimeStepIsNotCalledTruncated)
{
    const Mgx::ChapterInfo chapter = ReadBack(WithBody({TimeStep{300}, TimeStep{-5}, TimeStep{100}}));
    EXPECT_TRUE(chapter.bodyDamaged);
    EXPECT_FALSE(chapter.truncated);
}

TEST(BodyScan, ATimeStepRunCrossingTheFileBuffersEdgeCountsEveryStep)
{
    // The file is read through a 256 KiB buffer that starts at offset 0. Runs of time steps are
    // walked straight over the buffer; here one run fills it to the edge and a step's 12-byte head
    // lies half in one fill and half in the next.
    constexpr std::int64_t Edge = 256 * 1024;
    constexpr std::int64_t StepSize = 12 + BodyLayout::EmptyTimeStepTail;
    RecordBlueprint record = WithBody({});
    const std::int64_t bodyStart = RecordWriter(record).BodyOffset() + 4 + BodyLayout::PrefixSize;

    std::vector<BodyOperation>& operations = record.body.operations;
    std::int64_t at = bodyStart;
    std::int32_t time = 0;
    for (std::int32_t delta = 1; at + StepSize <= Edge - StepSize; ++delta, at += StepSize) {
        operations.emplace_back(TimeStep{delta});
        time += delta;
    }
    // A step long enough that the next one starts 4 to 7 bytes before the edge: its type lies in
    // the first fill, its delta (its three low bytes non-zero: a step above an hour would end the
    // scan as damaged) across the edge.
    const std::int64_t padding = Edge - at - (4 + (Edge - at) % 4);
    operations.emplace_back(TimeStep{3, static_cast<std::int32_t>((padding - 12) / 4)});
    at += padding;
    ASSERT_GE(at, Edge - 7);
    ASSERT_LE(at, Edge - 4);
    constexpr std::int32_t Straddling = 0x00353535;
    operations.emplace_back(TimeStep{Straddling});
    operations.emplace_back(ChatOperation{"@#1past the edge"});
    operations.insert(operations.end(), 500, TimeStep{2});
    time += 3 + Straddling;

    const Mgx::ChapterInfo chapter = ReadBack(record);
    ASSERT_EQ(chapter.ingameChat.size(), 1u);
    EXPECT_EQ(chapter.ingameChat[0].time, time);
    EXPECT_EQ(chapter.gameTime, time + 500 * 2);
}
