// Many records through one reader: every load gives what a fresh one-shot load of the same file
// gives, whatever was loaded, handed back or failed before it, and the memory kept stays bounded.
#include "HeaderInflater.h"
#include "RealRecords.h"
#include "RecordError.h"
#include "RecordLoader.h"
#include "RecordReader.h"
#include "RecordWriter.h"
#include "TemporaryRecord.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <typeinfo>
#include <vector>

namespace {

using korvale::test::RealRecordPath;

// What a load gives: the record, or the kind and text of its error.
struct Outcome {
    std::optional<Mgx::GameRecord> record;
    std::string error;

    bool operator==(const Outcome&) const = default;
    bool Read() const { return record && !record->chapters.empty() && record->chapters[0].status == Mgx::ChapterInfo::Read; }
};

template <typename Load> Outcome Capture(Load load)
{
    try {
        return {load(), {}};
    } catch (const Mgx::RecordError& error) {
        return {std::nullopt, std::string(typeid(error).name()) + ": " + error.what()};
    }
}

Outcome Fresh(const std::string& path)
{
    return Capture([&] { return Mgx::LoadRecordFile(path); });
}

// Hands a copy back, as a caller done with the record would, so the next load gets its arrays.
Outcome Reused(Mgx::RecordReader& reader, const std::string& path)
{
    Outcome outcome = Capture([&] { return reader.Load(path); });
    if (outcome.record)
        reader.Recycle(Mgx::GameRecord(*outcome.record));
    return outcome;
}

std::vector<std::uint8_t> FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::uint8_t> Prefix(const std::vector<std::uint8_t>& bytes, std::size_t length)
{
    return {bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min(length, bytes.size()))};
}

std::int32_t HeaderEndOf(const std::vector<std::uint8_t>& bytes)
{
    std::int32_t headerEnd = 0;
    std::memcpy(&headerEnd, bytes.data(), sizeof headerEnd);
    return headerEnd;
}

// A 200 x 200 map, a 120 x 120 one, the largest header block, a damaged header, a missing headerEnd.
const char* const Large = "aoc10a_3v3_http_junk_after_body.mgx";
const char* const Small = "aoc10a_1v1_team_spectators.mgx";
const char* const LargestHeader = "aoc10a_sp_vs_4ai_teams_short.mgx";
const char* const Damaged = "aoc10_damaged_header_unknown_version.mgx";
const char* const Unfinished = "aoc10a_4v4_headerend0.mgx";

TEST(RecordReader, EveryLoadGivesWhatAFreshLoadGives)
{
    KORVALE_NEED_REAL_RECORDS();
    Mgx::RecordReader reader;
    for (const char* name : {Large, Small, Large, Damaged, Small, Unfinished, LargestHeader, Damaged, Large, Small}) {
        const std::string path = RealRecordPath(name);
        const Outcome fresh = Fresh(path);
        const Outcome reused = Reused(reader, path);
        EXPECT_TRUE(reused == fresh) << name << (reused.error.empty() ? "" : ": " + reused.error);
        if (name == Damaged) {
            EXPECT_NE(reused.error.find("skip of 107940 bytes"), std::string::npos) << reused.error;
        } else if (name != Unfinished) {
            EXPECT_TRUE(reused.Read()) << name << ": " << reused.error;
        }
    }
}

TEST(RecordReader, CutOffAndDamagedCopiesAfterTheWholeRecordFailAsTheyDoAlone)
{
    KORVALE_NEED_REAL_RECORDS();
    const std::vector<std::uint8_t> whole = FileBytes(RealRecordPath(Large));
    const auto headerEnd = static_cast<std::size_t>(HeaderEndOf(whole));
    std::vector<std::vector<std::uint8_t>> variants;
    // Cut in the leading fields, inside the header block, right after it, inside the body.
    for (const std::size_t length : {std::size_t{6}, std::size_t{12}, headerEnd / 2, headerEnd - 1, headerEnd + 3, whole.size() / 2})
        variants.push_back(Prefix(whole, length));
    // Bits flipped inside the compressed block and in the body.
    for (const std::size_t at : {std::size_t{2000}, headerEnd / 2, headerEnd + 5000}) {
        variants.push_back(whole);
        variants.back()[at] ^= 0x5A;
    }
    Mgx::RecordReader reader;
    const korvale::test::TemporaryRecord intact(whole);
    int failures = 0;
    for (const auto& bytes : variants) {
        ASSERT_TRUE(Reused(reader, intact.Path().string()).Read()) << "the whole record first leaves its blocks in the reader";
        const korvale::test::TemporaryRecord damaged(bytes);
        const Outcome fresh = Fresh(damaged.Path().string());
        const Outcome reused = Reused(reader, damaged.Path().string());
        EXPECT_TRUE(reused == fresh) << bytes.size() << " bytes: fresh '" << fresh.error << "', reused '" << reused.error << "'";
        failures += fresh.record ? 0 : 1;
    }
    EXPECT_GE(failures, 5) << "most variants must fail, or the comparison above shows little";
}

TEST(RecordReader, KeepsItsBuffersButGivesBackOneGrownForAnUnusualRecord)
{
    KORVALE_NEED_REAL_RECORDS();
    Mgx::RecordReader reader;
    const std::string largest = RealRecordPath(LargestHeader);
    ASSERT_TRUE(Reused(reader, largest).Read());
    const std::size_t kept = reader.KeptBytes();
    EXPECT_GT(kept, std::size_t{3} << 20) << "the inflated header block (3 MB) stays for the next load";
    ASSERT_TRUE(Reused(reader, largest).Read());
    EXPECT_EQ(reader.KeptBytes(), kept) << "loading the same record again needs nothing more";

    // A header block of 24 MiB of zeros: within the inflate limit, beyond what a reader keeps.
    const std::vector<std::uint8_t> packed = Mgx::RawDeflate(std::vector<std::uint8_t>(24u << 20, 0));
    std::vector<std::uint8_t> bytes(8 + packed.size(), 0);
    const auto headerEnd = static_cast<std::int32_t>(bytes.size());
    std::memcpy(bytes.data(), &headerEnd, sizeof headerEnd);
    std::memcpy(bytes.data() + 8, packed.data(), packed.size());
    const korvale::test::TemporaryRecord unusual(bytes);
    EXPECT_TRUE(Reused(reader, unusual.Path().string()) == Fresh(unusual.Path().string()));
    EXPECT_LE(reader.KeptBytes(), kept);
    EXPECT_TRUE(Reused(reader, largest) == Fresh(largest));
}

// What an inflate gives: the bytes, or the error's text.
std::string Inflated(const std::uint8_t* bytes, std::size_t length, Mgx::HeaderInflater* inflater)
{
    try {
        if (!inflater) {
            const Mgx::HeaderBlock block = Mgx::InflateHeaderBlock(bytes, length);
            return std::string(reinterpret_cast<const char*>(block.Data()), block.Size());
        }
        const auto block = inflater->Inflate(bytes, length);
        return std::string(reinterpret_cast<const char*>(block.data()), block.size());
    } catch (const Mgx::InflateError& error) {
        return std::string("error: ") + error.what();
    }
}

TEST(HeaderInflater, ReusedStreamAndBufferGiveTheOneShotOutcome)
{
    std::vector<std::uint8_t> plain(300000);
    for (std::size_t i = 0; i < plain.size(); ++i)
        plain[i] = static_cast<std::uint8_t>(i * 7 % 251);
    const std::vector<std::uint8_t> packed = Mgx::RawDeflate(plain);
    const std::vector<std::uint8_t> small = Mgx::RawDeflate(std::vector<std::uint8_t>(100, 'k'));
    const std::uint8_t empty[] = {0x03, 0x00}; // a whole, empty stream: too short to get room to inflate into
    const std::uint8_t garbage[] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

    struct Block {
        const std::uint8_t* bytes;
        std::size_t length;
    };
    const std::vector<Block> blocks{{packed.data(), packed.size()}, {empty, sizeof empty},
                                    {small.data(), small.size()},   {packed.data(), packed.size() / 2},
                                    {garbage, sizeof garbage},      {packed.data(), packed.size()}};
    Mgx::HeaderInflater inflater;
    int failures = 0;
    for (const Block& block : blocks) {
        const std::string alone = Inflated(block.bytes, block.length, nullptr);
        EXPECT_EQ(Inflated(block.bytes, block.length, &inflater), alone) << block.length << " bytes";
        failures += alone.starts_with("error: ") ? 1 : 0;
    }
    EXPECT_EQ(failures, 3);
    EXPECT_EQ(Inflated(packed.data(), packed.size(), &inflater), std::string(plain.begin(), plain.end()));
}

} // namespace
