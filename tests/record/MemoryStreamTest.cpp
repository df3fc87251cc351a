#include "MemoryStream.h"
#include "RecordError.h"

#include <gtest/gtest.h>

#include <cstring>

using Mgx::MemoryStream;

namespace {

MemoryStream StreamOf(std::vector<std::uint8_t> bytes) { return MemoryStream(std::move(bytes)); }

TEST(MemoryStream, ReadPastTheEndCopiesWhatIsThereAndKeepsTheRest)
{
    auto s = StreamOf({1, 2, 3});
    s.Skip(1);
    std::uint8_t out[4] = {9, 9, 9, 9};
    EXPECT_EQ(s.Read(out, 4), 2u);
    EXPECT_EQ(out[0], 2);
    EXPECT_EQ(out[1], 3);
    EXPECT_EQ(out[2], 9);
    EXPECT_EQ(s.Position(), 3);
    EXPECT_EQ(s.Read(out, 4), 0u);
}

TEST(MemoryStream, TypedReadsAreLittleEndianAndZeroBeyondTheEnd)
{
    auto s = StreamOf({0x78, 0x56, 0x34, 0x12, 0xFE, 0xFF, 0x80});
    EXPECT_EQ(s.ReadInt32(), 0x12345678);
    EXPECT_EQ(s.ReadInt16(), -2);
    EXPECT_EQ(s.ReadInt32(), 0x80); // one byte left: the rest reads as zero
    EXPECT_EQ(s.ReadUInt8(), 0);
}

TEST(MemoryStream, SkipAndSeekRefuseToLeaveTheBlock)
{
    auto s = StreamOf(std::vector<std::uint8_t>(10));
    s.Skip(10); // to the very end is allowed
    EXPECT_EQ(s.Position(), 10);
    EXPECT_THROW(s.Skip(1), Mgx::HeaderError);
    s.Skip(-10);
    EXPECT_THROW(s.Skip(-1), Mgx::HeaderError);
    EXPECT_THROW(s.SeekTo(11), Mgx::HeaderError);
    EXPECT_THROW(s.SeekTo(-1), Mgx::HeaderError);
    EXPECT_THROW(s.Skip(INT64_MAX), Mgx::HeaderError);
    EXPECT_THROW(s.Skip(INT64_MIN), Mgx::HeaderError);
    EXPECT_EQ(s.Position(), 0) << "a refused move leaves the position alone";
}

TEST(MemoryStream, FailedSkipSaysWhereAndHowFar)
{
    auto s = StreamOf(std::vector<std::uint8_t>(100));
    s.Skip(40);
    try {
        s.Skip(70);
        FAIL();
    } catch (const Mgx::HeaderError& error) {
        EXPECT_EQ(error.Position(), 40);
        EXPECT_NE(std::string(error.what()).find("skip of 70 bytes"), std::string::npos);
    }
}

TEST(MemoryStream, StringsKeepTheirBytesAndStopAtTheEndOfTheBlock)
{
    auto s = StreamOf({3, 0, 'a', '\0', 'c', 9, 0, 0, 0, 'x', 'y'});
    EXPECT_EQ(s.ReadString16(), std::string("a\0c", 3));
    EXPECT_EQ(s.ReadString32(), "xy") << "a length beyond the block keeps only the bytes that are there";
    EXPECT_EQ(s.Position(), s.Size());
}

TEST(MemoryStream, PatternSearchRetriesTheByteThatBrokeAPartialMatch)
{
    const std::uint8_t pattern[] = {0x0B, 0x62, 0x03, 0x00, 0x00};
    auto s = StreamOf({0x0B, 0x62, 0x0B, 0x62, 0x03, 0x00, 0x00, 0x55});
    EXPECT_EQ(s.FindForward(pattern, sizeof pattern), 2);
    EXPECT_EQ(s.Position(), 7);

    // A count marker read from the file may repeat its first byte; the search keeps finding what it
    // always found there, which a search for the first occurrence would not.
    const std::uint8_t recurring[] = {0x0B, 0x66, 0x0B, 0x03};
    auto t = StreamOf({0x0B, 0x66, 0x0B, 0x66, 0x0B, 0x03, 0x11, 0x0B, 0x66, 0x0B, 0x03});
    EXPECT_EQ(t.FindForward(recurring, sizeof recurring), 7);
    EXPECT_EQ(t.Position(), 11);
}

TEST(MemoryStream, PatternSearchStartsAtThePositionAndFailsWhenAbsent)
{
    const std::uint8_t pattern[] = {0x0B, 0x62, 0x03, 0x00, 0x00};
    auto s = StreamOf({0x0B, 0x62, 0x03, 0x00, 0x00, 0x0B, 0x62, 0x03, 0x00});
    s.Skip(1);
    EXPECT_THROW(s.FindForward(pattern, sizeof pattern), Mgx::HeaderError);
}

TEST(MemoryStream, AWalkThatGoesInCirclesIsStopped)
{
    auto s = StreamOf(std::vector<std::uint8_t>(64));
    EXPECT_THROW(
        {
            for (;;) {
                s.Skip(8);
                s.Skip(-8);
            }
        },
        Mgx::HeaderError);
}

} // namespace
