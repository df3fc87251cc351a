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
    s.skip(1);
    std::uint8_t out[4] = {9, 9, 9, 9};
    EXPECT_EQ(s.read(out, 4), 2u);
    EXPECT_EQ(out[0], 2);
    EXPECT_EQ(out[1], 3);
    EXPECT_EQ(out[2], 9);
    EXPECT_EQ(s.position(), 3);
    EXPECT_EQ(s.read(out, 4), 0u);
}

TEST(MemoryStream, TypedReadsAreLittleEndianAndZeroBeyondTheEnd)
{
    auto s = StreamOf({0x78, 0x56, 0x34, 0x12, 0xFE, 0xFF, 0x80});
    EXPECT_EQ(s.readInt32(), 0x12345678);
    EXPECT_EQ(s.readInt16(), -2);
    EXPECT_EQ(s.readInt32(), 0x80); // one byte left: the rest reads as zero
    EXPECT_EQ(s.readUInt8(), 0);
}

TEST(MemoryStream, SkipAndSeekRefuseToLeaveTheBlock)
{
    auto s = StreamOf(std::vector<std::uint8_t>(10));
    s.skip(10); // to the very end is allowed
    EXPECT_EQ(s.position(), 10);
    EXPECT_THROW(s.skip(1), Mgx::HeaderError);
    s.skip(-10);
    EXPECT_THROW(s.skip(-1), Mgx::HeaderError);
    EXPECT_THROW(s.seekTo(11), Mgx::HeaderError);
    EXPECT_THROW(s.seekTo(-1), Mgx::HeaderError);
    EXPECT_THROW(s.skip(INT64_MAX), Mgx::HeaderError);
    EXPECT_THROW(s.skip(INT64_MIN), Mgx::HeaderError);
    EXPECT_EQ(s.position(), 0) << "a refused move leaves the position alone";
}

TEST(MemoryStream, FailedSkipSaysWhereAndHowFar)
{
    auto s = StreamOf(std::vector<std::uint8_t>(100));
    s.skip(40);
    try {
        s.skip(70);
        FAIL();
    } catch (const Mgx::HeaderError& error) {
        EXPECT_EQ(error.position(), 40);
        EXPECT_NE(std::string(error.what()).find("skip of 70 bytes"), std::string::npos);
    }
}

TEST(MemoryStream, StringsKeepTheirBytesAndStopAtTheEndOfTheBlock)
{
    auto s = StreamOf({3, 0, 'a', '\0', 'c', 9, 0, 0, 0, 'x', 'y'});
    EXPECT_EQ(s.readString16(), std::string("a\0c", 3));
    EXPECT_EQ(s.readString32(), "xy") << "a length beyond the block keeps only the bytes that are there";
    EXPECT_EQ(s.position(), s.size());
}

TEST(MemoryStream, PatternSearchRetriesTheByteThatBrokeAPartialMatch)
{
    const std::uint8_t pattern[] = {0x0B, 0x62, 0x03, 0x00, 0x00};
    auto s = StreamOf({0x0B, 0x62, 0x0B, 0x62, 0x03, 0x00, 0x00, 0x55});
    EXPECT_EQ(s.findForward(pattern, sizeof pattern), 2);
    EXPECT_EQ(s.position(), 7);

    // A count marker read from the file may repeat its first byte; the search keeps finding what it
    // always found there, which a search for the first occurrence would not.
    const std::uint8_t recurring[] = {0x0B, 0x66, 0x0B, 0x03};
    auto t = StreamOf({0x0B, 0x66, 0x0B, 0x66, 0x0B, 0x03, 0x11, 0x0B, 0x66, 0x0B, 0x03});
    EXPECT_EQ(t.findForward(recurring, sizeof recurring), 7);
    EXPECT_EQ(t.position(), 11);
}

TEST(MemoryStream, PatternSearchStartsAtThePositionAndFailsWhenAbsent)
{
    const std::uint8_t pattern[] = {0x0B, 0x62, 0x03, 0x00, 0x00};
    auto s = StreamOf({0x0B, 0x62, 0x03, 0x00, 0x00, 0x0B, 0x62, 0x03, 0x00});
    s.skip(1);
    EXPECT_THROW(s.findForward(pattern, sizeof pattern), Mgx::HeaderError);
}

TEST(MemoryStream, AWalkThatGoesInCirclesIsStopped)
{
    auto s = StreamOf(std::vector<std::uint8_t>(64));
    EXPECT_THROW(
        {
            for (;;) {
                s.skip(8);
                s.skip(-8);
            }
        },
        Mgx::HeaderError);
}

} // namespace
