// The record file's buffer: reads that cross its edge, and reads too large for it.
#include "RecordFile.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

constexpr std::int64_t BufferSize = 256 * 1024; // what RecordFile reads at a time

// No two nearby stretches alike and no period that lines up with the buffer, so a byte taken
// from the wrong offset shows.
std::vector<std::uint8_t> NumberedBytes(std::int64_t size)
{
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    for (std::int64_t i = 0; i < size; ++i)
        bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i * 7 + i / 251);
    return bytes;
}

class RecordFileTest : public ::testing::Test {
protected:
    const std::vector<std::uint8_t> m_bytes = NumberedBytes(3 * BufferSize + 17);
    korvale::test::TemporaryFolder m_folder;
    Mgx::RecordFile m_file{m_folder.WriteFile("numbered.mgx", m_bytes).string()};

    std::int32_t Int32At(std::int64_t offset) const
    {
        std::int32_t value = 0;
        std::memcpy(&value, m_bytes.data() + offset, sizeof value);
        return value;
    }
    std::vector<std::uint8_t> BytesAt(std::int64_t offset, std::int64_t count) const
    {
        return {m_bytes.begin() + offset, m_bytes.begin() + offset + count};
    }
    // The int32 at offset, read through the file from wherever it stands.
    std::int32_t ReadInt32At(std::int64_t offset)
    {
        std::int32_t value = 0;
        m_file.SeekTo(offset);
        EXPECT_TRUE(m_file.ReadInt32(value));
        return value;
    }
    // Fills the buffer from offset 0, then reads count bytes from start in one call.
    void ExpectLargeReadAt(std::int64_t start, std::int64_t count)
    {
        ReadInt32At(0);
        std::vector<std::uint8_t> block(static_cast<std::size_t>(count));
        m_file.SeekTo(start);
        ASSERT_EQ(m_file.Read(block.data(), block.size()), block.size());
        EXPECT_EQ(block, BytesAt(start, count));
        EXPECT_EQ(m_file.Position(), start + count);
    }
};

TEST_F(RecordFileTest, ValuesAcrossTheBufferEdgeJoinBothFills)
{
    ReadInt32At(0); // fills the buffer from offset 0
    for (std::int64_t offset : {BufferSize - 4, BufferSize - 3, BufferSize - 1, BufferSize}) {
        SCOPED_TRACE(offset);
        EXPECT_EQ(ReadInt32At(offset), Int32At(offset));
        EXPECT_EQ(m_file.Position(), offset + 4);
    }
    EXPECT_EQ(ReadInt32At(10), Int32At(10)) << "going back before the current fill";
}

TEST_F(RecordFileTest, ALargeReadOutsideTheBufferGoesStraightThroughAndLeavesTheBufferRight)
{
    const std::int64_t end = BufferSize + 100 + BufferSize + 5000;
    ExpectLargeReadAt(BufferSize + 100, BufferSize + 5000);
    EXPECT_EQ(ReadInt32At(end), Int32At(end)) << "the read after it";
    EXPECT_EQ(ReadInt32At(20), Int32At(20)) << "the fill from before it";
}

TEST_F(RecordFileTest, ALargeReadThatStartsInTheBufferCopiesThroughItAndTheFillsAfter)
{
    const std::int64_t end = 1000 + BufferSize + 3000;
    ExpectLargeReadAt(1000, BufferSize + 3000);
    EXPECT_EQ(ReadInt32At(end), Int32At(end));
}

TEST_F(RecordFileTest, ALargeReadNearTheEndReturnsWhatThereIs)
{
    const std::int64_t start = 3 * BufferSize - 100;
    std::vector<std::uint8_t> block(static_cast<std::size_t>(BufferSize), 0xEE);
    m_file.SeekTo(start);
    ASSERT_EQ(m_file.Read(block.data(), block.size()), 117u);
    EXPECT_EQ(std::vector<std::uint8_t>(block.begin(), block.begin() + 117), BytesAt(start, 117));
    EXPECT_EQ(block[117], 0xEE) << "nothing written past what was read";
    EXPECT_TRUE(m_file.AtEnd());
    std::int32_t value = 0;
    EXPECT_FALSE(m_file.ReadInt32(value));
}

} // namespace
