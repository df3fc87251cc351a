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
    const int hue = playerColour(colour).hsvHue();
    for (int civilisation = 1; civilisation <= civilisationCount; ++civilisation) {
        SCOPED_TRACE(emblemPath(colour, civilisation).toStdString());
        const QImage image = emblem(colour, civilisation);
        const int dominant = dominantHue(image, 36);
        ASSERT_GE(dominant, 0) << "no strongly coloured area";
        EXPECT_NEAR(dominant, hue + (hue - dominant > 180 ? 360 : 0), 15);
        EXPECT_GE(shareNearHue(image, hue, 15), dominatingShare);
    }
}

INSTANTIATE_TEST_SUITE_P(HuedPlayerColours, EmblemColours, ::testing::Values(0, 1, 2, 3, 4, 5, 7));

TEST(WhiteEmblems, AreWhiteAndGreyWithoutAnyStrongHue)
{
    for (int civilisation = 1; civilisation <= civilisationCount; ++civilisation) {
        SCOPED_TRACE(emblemPath(white, civilisation).toStdString());
        const QImage image = emblem(white, civilisation);
        EXPECT_EQ(dominantHue(image, 36), -1);
        EXPECT_GE(shareOfWhiteShades(image), dominatingShare);
    }
}

TEST(EmblemColours, EveryEmblemSitsOnADarkNeutralPlate)
{
    // The plate is what keeps white and yellow figures readable; figures may overlap its edge
    // here and there, but most of the edge must show it.
    for (int colour = 0; colour < colourCount; ++colour) {
        for (int civilisation = 1; civilisation <= civilisationCount; ++civilisation) {
            SCOPED_TRACE(emblemPath(colour, civilisation).toStdString());
            EXPECT_GE(shareOfDarkGreyFrame(emblem(colour, civilisation)), 0.6);
        }
    }
}

TEST(EmblemColours, EachDesignKeepsItsShapeAcrossColours)
{
    // Swapped or shifted files would put another civilisation's design in a colour's row.
    for (int civilisation = 1; civilisation <= civilisationCount; ++civilisation) {
        const QImage blue = emblem(0, civilisation);
        for (int colour = 1; colour < colourCount; ++colour) {
            SCOPED_TRACE(emblemPath(colour, civilisation).toStdString());
            for (int other = 1; other <= civilisationCount; ++other) {
                if (other == civilisation)
                    continue;
                EXPECT_LT(shapeDifference(blue, emblem(colour, civilisation)),
                          shapeDifference(blue, emblem(colour, other)));
            }
        }
    }
}
