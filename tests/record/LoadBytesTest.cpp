// Records read from memory, as entries read out of an archive are: the same record as from the
// file, and damaged or cut-off bytes end in a typed error, never a crash or a read past the bytes.
#include "RealRecords.h"
#include "RecordError.h"
#include "RecordLoader.h"
#include "RecordReader.h"
#include "RecordWriter.h"
#include "SampleRecords.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::uint8_t> FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The bytes in a buffer of their own size, so AddressSanitizer sees any read past them.
std::unique_ptr<std::uint8_t[]> Exact(const std::vector<std::uint8_t>& bytes, std::size_t size)
{
    auto copy = std::make_unique<std::uint8_t[]>(size);
    std::copy(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size), copy.get());
    return copy;
}

// Loads and reports whether it ended in a record; only RecordErrors may escape the reader.
bool LoadsOrThrowsTyped(Mgx::RecordReader& reader, std::span<const std::uint8_t> bytes)
{
    try {
        reader.LoadBytes(bytes, "cup.zip/damaged.mgx");
        return true;
    } catch (const Mgx::RecordError&) {
        return false;
    }
}

} // namespace

TEST(LoadBytesTest, RealRecordsGiveTheSameRecordAsTheirFiles)
{
    KORVALE_NEED_REAL_RECORDS();
    Mgx::RecordReader reader;
    for (const char* name : {"aoc10a_4v4_arabia_gbk.mgx", "aoc10c_1v1_arabia.mgx", "aoc10a_4v4_headerend0.mgx"}) {
        SCOPED_TRACE(name);
        const std::string path = korvale::test::RealRecordPath(name);
        const Mgx::GameRecord fromFile = Mgx::LoadRecordFile(path);
        const std::vector<std::uint8_t> bytes = FileBytes(path);
        const Mgx::GameRecord fromMemory = reader.LoadBytes(bytes, std::string("/games/cup.zip/final/") + name);
        EXPECT_EQ(fromMemory.chapters, fromFile.chapters);
        EXPECT_EQ(fromMemory.fileName, name);
        EXPECT_EQ(fromMemory.folder, "/games/cup.zip/final");
        EXPECT_EQ(fromMemory.FullPath(), std::string("/games/cup.zip/final/") + name);
    }
}

TEST(LoadBytesTest, ANameWithoutFolderAndAnEmptyBufferAreFine)
{
    Mgx::RecordReader reader;
    const Mgx::GameRecord empty = reader.LoadBytes({}, "empty.mgx");
    EXPECT_TRUE(empty.chapters.empty());
    EXPECT_EQ(empty.fileName, "empty.mgx");
    EXPECT_EQ(empty.folder, "");
}

TEST(LoadBytesTest, CutOffAndDamagedBytesEndInATypedError)
{
    const std::vector<std::uint8_t> whole = Mgx::RecordWriter(Mgx::SampleRecords().front().blueprint).FileBytes();
    Mgx::RecordReader reader;
    ASSERT_TRUE(LoadsOrThrowsTyped(reader, whole));
    int failed = 0;
    // Cut at every length up to past the header block, then in coarser steps through the body.
    for (std::size_t size = 1; size < whole.size(); size += size < 4096 ? 1 : 997) {
        const auto cut = Exact(whole, size);
        if (!LoadsOrThrowsTyped(reader, {cut.get(), size}))
            ++failed;
    }
    EXPECT_GT(failed, 0);
    // A header block that would end before it begins, one that claims more bytes than there are
    // (read as far as it goes), and one that is noise.
    std::vector<std::uint8_t> lying = whole;
    lying[0] = 5, lying[1] = 0, lying[2] = 0, lying[3] = 0;
    EXPECT_FALSE(LoadsOrThrowsTyped(reader, lying));
    lying[0] = 0xFF, lying[1] = 0xFF, lying[2] = 0xFF, lying[3] = 0x7F;
    EXPECT_TRUE(LoadsOrThrowsTyped(reader, lying));
    std::vector<std::uint8_t> noise = whole;
    for (std::size_t i = 8; i < noise.size(); i += 7)
        noise[i] ^= 0x5A;
    EXPECT_FALSE(LoadsOrThrowsTyped(reader, noise));
    // The reader is as good as new after all that.
    Mgx::RecordReader fresh;
    EXPECT_EQ(reader.LoadBytes(whole, "a.mgx").chapters, fresh.LoadBytes(whole, "a.mgx").chapters);
}
