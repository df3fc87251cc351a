#include "HeaderState.h"

#include <QtEndian>

#include <gtest/gtest.h>

namespace {

HeaderState ThreeColumns()
{
    HeaderState state;
    state.sortState = -2;
    state.columns = {{true, 90, 1}, {false, 100, 0}, {true, 140, 2}};
    return state;
}

void PutInt32(QByteArray& bytes, qsizetype offset, qint32 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

TEST(HeaderState, RoundTripKeepsTheStoredByteLayout)
{
    const QByteArray bytes = EncodeHeaderState(ThreeColumns());
    ASSERT_EQ(bytes.size(), 8 + 9 * 3);
    EXPECT_EQ(qFromLittleEndian<qint32>(bytes.constData()), 3);
    EXPECT_EQ(qFromLittleEndian<qint32>(bytes.constData() + 4), -2);
    EXPECT_EQ(bytes[8], '\1');
    EXPECT_EQ(qFromLittleEndian<qint32>(bytes.constData() + 9), 90);
    EXPECT_EQ(qFromLittleEndian<qint32>(bytes.constData() + 13), 1);
    EXPECT_EQ(bytes[17], '\0');

    const std::optional<HeaderState> decoded = DecodeHeaderState(bytes, 3);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(*decoded, ThreeColumns());
}

TEST(HeaderState, RejectsAnotherColumnCount)
{
    const QByteArray bytes = EncodeHeaderState(ThreeColumns());
    EXPECT_FALSE(DecodeHeaderState(bytes, 4).has_value());
    EXPECT_FALSE(DecodeHeaderState(bytes, 2).has_value());
}

TEST(HeaderState, RejectsASizeThatDoesNotFitTheCount)
{
    const QByteArray bytes = EncodeHeaderState(ThreeColumns());
    EXPECT_FALSE(DecodeHeaderState(bytes.left(bytes.size() - 1), 3).has_value());
    EXPECT_FALSE(DecodeHeaderState(bytes + '\0', 3).has_value());
    EXPECT_FALSE(DecodeHeaderState(bytes.left(7), 3).has_value());
    EXPECT_FALSE(DecodeHeaderState(QByteArray(), 3).has_value());
    // A count that would make the expected size wrap around.
    QByteArray huge = bytes;
    PutInt32(huge, 0, 0x7FFFFFFF);
    EXPECT_FALSE(DecodeHeaderState(huge, 3).has_value());
}

TEST(HeaderState, RejectsASortColumnBeyondTheCount)
{
    QByteArray bytes = EncodeHeaderState(ThreeColumns());
    for (qint32 sort : {4, -4, std::numeric_limits<qint32>::min()}) {
        PutInt32(bytes, 4, sort);
        EXPECT_FALSE(DecodeHeaderState(bytes, 3).has_value()) << sort;
    }
    for (qint32 sort : {3, -3, 0}) {
        PutInt32(bytes, 4, sort);
        ASSERT_TRUE(DecodeHeaderState(bytes, 3).has_value()) << sort;
        EXPECT_EQ(DecodeHeaderState(bytes, 3)->sortState, sort);
    }
}

TEST(HeaderState, PositionsMustNameEachColumnOnce)
{
    HeaderState state = ThreeColumns();
    EXPECT_TRUE(PositionsArePermutation(state));
    state.columns[2].position = 1;
    EXPECT_FALSE(PositionsArePermutation(state));
    state.columns[2].position = 3;
    EXPECT_FALSE(PositionsArePermutation(state));
    state.columns[2].position = -1;
    EXPECT_FALSE(PositionsArePermutation(state));
}

} // namespace
