// The whole-block inflate against zlib's streaming one, which fixes every outcome: the same bytes
// for every whole stream, the same error for every cut or damaged one, at the edge of the bomb
// limit as well, and for an inflater kept across blocks whatever it inflated before; a block only
// libdeflate reads fails a load with zlib's error.
#include "HeaderInflater.h"
#include "RecordError.h"
#include "RecordLoader.h"
#include "RecordReader.h"
#include "RecordWriter.h"
#include "TemporaryRecord.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::string Text(const std::uint8_t* bytes, std::size_t size)
{
    return "ok: " + std::string(reinterpret_cast<const char*>(bytes), size);
}

template <typename Inflate> std::string Outcome(Inflate inflate)
{
    try {
        return inflate();
    } catch (const Mgx::InflateError& error) {
        return "error " + std::to_string(error.ZlibStatus()) + ": " + error.what();
    }
}

std::string Streaming(const Bytes& bytes)
{
    return Outcome([&] {
        const Mgx::HeaderBlock block = Mgx::InflateHeaderBlockStreaming(bytes.data(), bytes.size());
        return Text(block.Data(), block.Size());
    });
}

std::string OneShot(const Bytes& bytes)
{
    return Outcome([&] {
        const Mgx::HeaderBlock block = Mgx::InflateHeaderBlock(bytes.data(), bytes.size());
        return Text(block.Data(), block.Size());
    });
}

std::string Kept(Mgx::HeaderInflater& inflater, const Bytes& bytes)
{
    return Outcome([&] {
        const auto block = inflater.Inflate(bytes.data(), bytes.size());
        return Text(block.data(), block.size());
    });
}

// A header block as the game writes one: the writer's default record.
Bytes WrittenBlock()
{
    const Mgx::RecordWriter writer(Mgx::RecordBlueprint{});
    const Bytes file = writer.FileBytes();
    return Bytes(file.begin() + 8, file.begin() + writer.BodyOffset());
}

TEST(HeaderInflater, CutAndDamagedStreamsFailAsTheStreamingInflateDoes)
{
    const Bytes block = WrittenBlock();
    ASSERT_TRUE(Streaming(block).starts_with("ok: "));
    Mgx::HeaderInflater inflater;
    int cutFailures = 0;
    for (std::size_t length = 0; length <= block.size(); length += length < 64 ? 1 : 211) {
        const Bytes cut(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(length));
        const std::string expected = Streaming(cut);
        EXPECT_EQ(OneShot(cut), expected) << "cut to " << length;
        EXPECT_EQ(Kept(inflater, cut), expected) << "cut to " << length;
        cutFailures += expected.starts_with("error ") ? 1 : 0;
    }
    EXPECT_GT(cutFailures, 10);

    int flipFailures = 0;
    for (std::size_t at = 0; at < block.size(); at += 37) {
        Bytes flipped = block;
        flipped[at] ^= static_cast<std::uint8_t>(1u << (at % 8));
        const std::string expected = Streaming(flipped);
        EXPECT_EQ(OneShot(flipped), expected) << "bit flipped at " << at;
        EXPECT_EQ(Kept(inflater, flipped), expected) << "bit flipped at " << at;
        flipFailures += expected.starts_with("error ") ? 1 : 0;
    }
    EXPECT_GT(flipFailures, 0);
    EXPECT_EQ(Kept(inflater, block), Streaming(block)) << "a kept inflater is whole again after damaged blocks";
}

TEST(HeaderInflater, RoomGrowsForBlocksThatInflateFarAndIsKept)
{
    // Zeros inflate to a thousand times their compressed size: the first room of sixteen times is far too small.
    const Bytes plain(3u << 20, 0);
    const Bytes zeros = Mgx::RawDeflate(plain);
    const Bytes small = Mgx::RawDeflate(Bytes(100, 'k'));
    Mgx::HeaderInflater inflater;
    EXPECT_EQ(Kept(inflater, small), Streaming(small));
    EXPECT_EQ(Kept(inflater, zeros), Text(plain.data(), plain.size()));
    EXPECT_GE(inflater.OutputCapacity(), plain.size());
    const std::size_t kept = inflater.OutputCapacity();
    EXPECT_EQ(Kept(inflater, small), Streaming(small));
    EXPECT_EQ(inflater.OutputCapacity(), kept) << "the largest room stays for the next block";
    EXPECT_EQ(OneShot(zeros), Text(plain.data(), plain.size()));
}

// A stream of `size` zeros padded with bytes after its end to `length`, which fixes the room the
// streaming inflate offers: steps of 16 × length, as many as fit in the bomb limit.
Bytes PaddedZeros(std::size_t size, std::size_t length)
{
    Bytes bytes = Mgx::RawDeflate(Bytes(size, 0));
    bytes.resize(length, 0xA5);
    return bytes;
}

TEST(HeaderInflater, TheBombLimitFallsOnTheSameByteForBothInflates)
{
    const std::size_t length = 100000; // 16 × 100000 per step: 41 steps fit in 64 MiB
    const std::size_t largest = Mgx::MaxInflatedHeaderSize / (16 * length) * (16 * length);
    const Bytes fits = PaddedZeros(largest, length);
    ASSERT_EQ(fits.size(), length) << "the zeros compress into the padded length";
    const std::string expected = Streaming(fits);
    ASSERT_TRUE(expected.starts_with("ok: "));
    Mgx::HeaderInflater inflater;
    EXPECT_TRUE(OneShot(fits) == expected);
    EXPECT_TRUE(Kept(inflater, fits) == expected);

    const Bytes over = PaddedZeros(largest + 1, length);
    const std::string refused = Streaming(over);
    EXPECT_TRUE(refused.starts_with("error ")) << refused.substr(0, 80);
    EXPECT_EQ(OneShot(over), refused);
    EXPECT_EQ(Kept(inflater, over), refused);
}

// libdeflate reads this stream, which zlib refuses: a code zlib leaves incomplete is completed.
// A record with it as its header block still fails with zlib's error, not the walk's.
TEST(HeaderInflater, ABlockOnlyLibdeflateReadsFailsWithZlibsErrorWhenItsWalkFails)
{
    const Bytes block{0xEB, 0xB9, 0x3E, 0x0E, 0x00, 0x00, 0xC3, 0x00};
    const std::string expected = Streaming(block);
    ASSERT_TRUE(expected.starts_with("error -3: ")) << expected;

    Bytes file(8 + block.size() + 16, 0);
    const std::int32_t headerEnd = static_cast<std::int32_t>(8 + block.size());
    std::memcpy(file.data(), &headerEnd, sizeof headerEnd);
    std::memcpy(file.data() + 8, block.data(), block.size());
    const korvale::test::TemporaryRecord record(file);
    const auto loaded = [&](auto load) {
        try {
            load();
            return std::string("loaded");
        } catch (const Mgx::InflateError& error) {
            return "error " + std::to_string(error.ZlibStatus()) + ": " + error.what();
        } catch (const Mgx::RecordError& error) {
            return std::string("other error: ") + error.what();
        }
    };
    EXPECT_EQ(loaded([&] { Mgx::LoadRecordFile(record.Path().string()); }), expected);
    Mgx::RecordReader reader;
    EXPECT_EQ(loaded([&] { reader.LoadBytes(file, "in-memory.mgx"); }), expected);
    EXPECT_EQ(loaded([&] { reader.Load(record.Path().string()); }), expected);
}

} // namespace
