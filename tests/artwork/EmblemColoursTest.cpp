#include "ArtworkImages.h"

#include <gtest/gtest.h>

using namespace ArtworkImages;

namespace {

constexpr int white = 6;
// A picture of 36 x 36 pixels; the player colour must cover a good part of it.
constexpr double dominatingShare = 0.18;

class EmblemColours : public ::testing::TestWithParam<int> {};

} // namespace

TEST_P(EmblemColours, PlayerColourIsTheDominantHueOfEveryDesign)
{
    const int colour = GetParam();
    const int hue = PlayerColour(colour).hsvHue();
    for (int civilization = 1; civilization <= civilizationCount; ++civilization) {
        SCOPED_TRACE(EmblemPath(colour, civilization).toStdString());
        const QImage image = Emblem(colour, civilization);
        const int dominant = DominantHue(image, 36);
        ASSERT_GE(dominant, 0) << "no strongly coloured area";
        EXPECT_NEAR(dominant, hue + (hue - dominant > 180 ? 360 : 0), 15);
        EXPECT_GE(ShareNearHue(image, hue, 15), dominatingShare);
    }
}

INSTANTIATE_TEST_SUITE_P(HuedPlayerColours, EmblemColours, ::testing::Values(0, 1, 2, 3, 4, 5, 7));

TEST(WhiteEmblems, AreWhiteAndGreyWithoutAnyStrongHue)
{
    for (int civilization = 1; civilization <= civilizationCount; ++civilization) {
        SCOPED_TRACE(EmblemPath(white, civilization).toStdString());
        const QImage image = Emblem(white, civilization);
        EXPECT_EQ(DominantHue(image, 36), -1);
        EXPECT_GE(ShareOfWhiteShades(image), dominatingShare);
    }
}

TEST(EmblemColours, EveryEmblemSitsOnADarkNeutralPlate)
{
    // The plate is what keeps white and yellow figures readable; figures may overlap its edge
    // here and there, but most of the edge must show it.
    for (int colour = 0; colour < colourCount; ++colour) {
        for (int civilization = 1; civilization <= civilizationCount; ++civilization) {
            SCOPED_TRACE(EmblemPath(colour, civilization).toStdString());
            EXPECT_GE(ShareOfDarkGreyFrame(Emblem(colour, civilization)), 0.6);
        }
    }
}

TEST(EmblemColours, EachDesignKeepsItsShapeAcrossColours)
{
    // Swapped or shifted files would put another civilization's design in a colour's row.
    for (int civilization = 1; civilization <= civilizationCount; ++civilization) {
        const QImage blue = Emblem(0, civilization);
        for (int colour = 1; colour < colourCount; ++colour) {
            SCOPED_TRACE(EmblemPath(colour, civilization).toStdString());
            for (int other = 1; other <= civilizationCount; ++other) {
                if (other == civilization)
                    continue;
                EXPECT_LT(ShapeDifference(blue, Emblem(colour, civilization)),
                          ShapeDifference(blue, Emblem(colour, other)));
            }
        }
    }
}
