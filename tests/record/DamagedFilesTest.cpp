// Records traded on forums arrive cut off or with flipped bytes: every such file must load or fail
// cleanly, never crash, hang or allocate wildly. Run under the sanitizer build to mean anything.
#include "ChapterInfo.h"
#include "HeaderInflater.h"
#include "HeaderWalk.h"
#include "MemoryStream.h"
#include "RealRecords.h"
#include "RecordError.h"
#include "RecordLoader.h"
#include "RecordWriter.h"

#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace {

namespace fs = std::filesystem;

// The UserPatch 1.4/1.5 and later HD records too: their walks have branches of their own.
bool IsRecordExtension(const std::string& extension)
{
    return extension == ".mgx" || extension == ".mgz" || extension == ".mgx2" || extension == ".aoe2record";
}

class DamagedFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        KORVALE_NEED_REAL_RECORDS();
        m_path = m_folder / "damaged.mgx";
    }

    static std::vector<std::string> RealRecords()
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(korvale::test::RealRecordsDir()))
            if (IsRecordExtension(entry.path().extension().string()))
                names.push_back(entry.path().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    static std::vector<std::uint8_t> ReadAll(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    // Loads the bytes; success or a RecordError are both clean outcomes.
    void LoadsOrFailsCleanly(const std::vector<std::uint8_t>& bytes, std::size_t size)
    {
        std::ofstream(m_path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(size));
        try {
            const auto record = Mgx::LoadRecordFile(m_path.string());
            ASSERT_LE(record.chapters.size(), 1u);
            if (!record.chapters.empty())
                CheckInvariants(record.chapters.front(), size);
        } catch (const Mgx::RecordError& error) {
            EXPECT_NE(std::string(error.what()), "");
        }
    }

    static void CheckInvariants(const Mgx::ChapterInfo& c, std::size_t fileSize)
    {
        if (c.status != Mgx::ChapterInfo::Read)
            return;
        EXPECT_EQ(c.terrain.size(), std::size_t{c.mapWidth} * c.mapHeight * 2);
        EXPECT_EQ(c.objectMarks.size(), std::size_t{c.mapWidth} * c.mapHeight);
        std::size_t chatBytes = 0;
        for (const auto& line : c.ingameChat)
            chatBytes += line.text.size();
        EXPECT_LE(chatBytes, fileSize * 100) << "chat cannot outgrow what the body could hold";
    }

    korvale::test::TemporaryFolder m_folder;
    fs::path m_path;
};

TEST_F(DamagedFiles, EveryRealRecordCutOffAtManyOffsets)
{
    for (const std::string& name : RealRecords()) {
        SCOPED_TRACE(name);
        const auto bytes = ReadAll(name);
        // Dense near the start, where the leading fields and the header block are, then spread out.
        std::vector<std::size_t> cuts = {0, 1, 3, 4, 5, 7, 8, 9, 12, 100, 1000};
        for (std::size_t step = bytes.size() / 37, cut = step; step > 0 && cut < bytes.size(); cut += step)
            cuts.push_back(cut);
        for (const std::size_t cut : cuts)
            if (cut <= bytes.size())
                LoadsOrFailsCleanly(bytes, cut);
    }
}

TEST_F(DamagedFiles, EveryRealRecordWithFlippedBytes)
{
    std::mt19937 random(20261208);
    for (const std::string& name : RealRecords()) {
        SCOPED_TRACE(name);
        const auto original = ReadAll(name);
        for (int round = 0; round < 24; ++round) {
            auto bytes = original;
            // Flips in the leading fields and the body are cheap to reach; header flips mostly break inflation.
            for (int flip = 0; flip < 1 + round % 4; ++flip) {
                const std::size_t at = round % 3 == 0 ? random() % std::min<std::size_t>(bytes.size(), 16) : random() % bytes.size();
                bytes[at] ^= static_cast<std::uint8_t>(1u << (random() % 8));
            }
            LoadsOrFailsCleanly(bytes, bytes.size());
        }
    }
}

// A research command whose length is shorter than the bytes its line is read from borrows them from
// the operations after it: it is passed over as its length says, but makes no line, or a few bytes
// of a hostile body could be made to compose kilobytes of text each.
TEST(DamagedBody, CommandsShorterThanTheirLineMakeNoLine)
{
    const std::vector<std::uint8_t> borrowingResearch = {
        0x01, 0, 0, 0, 0x01, 0, 0, 0, 0x65, // a command of one byte: research
        0, 0, 0, 0,                          // its four trailing bytes
        0x09, 0, 0, 0,                       // an operation of unknown type; its last byte is the slot's low byte
        0x00, 0x65, 0, 0,                    // another; its bytes end the slot (0) and hold the technology 101
    };
    Mgx::RecordBlueprint blueprint;
    std::vector<std::uint8_t> body = {4, 0, 0, 0};
    body.resize(28, 0);
    for (int i = 0; i < 1000; ++i)
        body.insert(body.end(), borrowingResearch.begin(), borrowingResearch.end());
    blueprint.rawBody = body;
    const korvale::test::TemporaryFolder folder;
    const fs::path path = folder / "borrowing-research.mgx";
    Mgx::RecordWriter(blueprint).WriteFile(path);
    const auto record = Mgx::LoadRecordFile(path.string());
    ASSERT_EQ(record.chapters.size(), 1u);
    EXPECT_EQ(record.chapters[0].logVersion, 4);
    EXPECT_TRUE(record.chapters[0].ingameChat.empty());
}

// Flips inside the compressed block rarely survive inflation, so the walk is attacked directly:
// the inflated block with flipped bytes, every count and length in it suspect.
TEST_F(DamagedFiles, EveryRealHeaderBlockWithFlippedBytesIsWalkedOrRefused)
{
    std::mt19937 random(8122026);
    for (const std::string& name : RealRecords()) {
        SCOPED_TRACE(name);
        const auto file = ReadAll(name);
        std::int32_t headerEnd = 0;
        std::memcpy(&headerEnd, file.data(), 4);
        if (headerEnd <= 8)
            continue;
        std::vector<std::uint8_t> block;
        try {
            block = Mgx::InflateHeaderBlock(file.data() + 8, static_cast<std::size_t>(headerEnd - 8)).ToVector();
        } catch (const Mgx::RecordError&) {
            continue;
        }
        for (int round = 0; round < 60; ++round) {
            auto damaged = block;
            for (int flip = 0; flip < 1 + round % 3; ++flip)
                damaged[random() % damaged.size()] ^= static_cast<std::uint8_t>(0xFF >> (random() % 8));
            Mgx::MemoryStream stream(std::move(damaged));
            Mgx::ChapterInfo chapter;
            try {
                Mgx::WalkHeader(stream, chapter);
            } catch (const Mgx::RecordError&) {
            }
            EXPECT_EQ(chapter.objectMarks.size() * 2, chapter.terrain.size());
        }
    }
}

TEST(DamagedLaterPatches, WriterBuiltBlocksOfEachFormatCutOrFlippedAreWalkedOrRefused)
{
    // The real folder holds one record of each later kind; these cover HD 12.10 and the AI and zone
    // stretches the real ones lack.
    std::mt19937 random(8122026);
    const std::pair<const char*, float> versions[] = {
        {"VER 9.8", 11.76f}, {"VER 9.4", 11.97f}, {"VER 9.4", 12.10f}, {"VER 9.C", 11.76f}, {"VER 9.F", 11.76f}};
    for (const auto& [text, saveVersion] : versions) {
        SCOPED_TRACE(std::string(text) + " " + std::to_string(saveVersion));
        Mgx::RecordBlueprint record;
        record.header.prefix = Mgx::HeaderBlueprint::VersionPrefix(text, saveVersion);
        record.header.aiFlag = 1;
        record.header.aiRules[0] = {1, 2};
        record.header.zones = {1};
        record.header.triggers = {Mgx::TriggerEntry{"t", "d", {Mgx::TriggerItem{1, "x", "y"}}, 1}};
        const std::vector<std::uint8_t> block = Mgx::RecordWriter(record).HeaderBlock();
        for (int round = 0; round < 200; ++round) {
            auto damaged = block;
            if (round % 2 == 0) {
                damaged.resize(random() % damaged.size());
            } else {
                for (int flip = 0; flip < 1 + round % 3; ++flip)
                    damaged[12 + random() % (damaged.size() - 12)] ^= static_cast<std::uint8_t>(0xFF >> (random() % 8));
            }
            Mgx::MemoryStream stream(std::move(damaged));
            Mgx::ChapterInfo chapter;
            try {
                Mgx::WalkHeader(stream, chapter);
            } catch (const Mgx::RecordError&) {
            }
            EXPECT_EQ(chapter.objectMarks.size() * 2, chapter.terrain.size());
        }
    }
}

} // namespace
