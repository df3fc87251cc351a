#include "ArtworkImages.h"

#include <gtest/gtest.h>

using namespace ArtworkImages;

namespace {

// Share of the 36 x 36 pixels that must differ clearly between two civilizations' emblems in
// the same colour, so a player can tell them apart at real size.
constexpr double distinctShare = 0.2;

class EmblemDesigns : public ::testing::TestWithParam<int> {};

} // namespace

TEST_P(EmblemDesigns, TheEighteenDesignsOfAColourArePairwiseDifferent)
{
    const int colour = GetParam();
    for (int first = 1; first <= civilizationCount; ++first) {
        const QImage mine = Emblem(colour, first);
        for (int second = first + 1; second <= civilizationCount; ++second) {
            SCOPED_TRACE(EmblemPath(colour, first).toStdString() + " against "
                         + EmblemPath(colour, second).toStdString());
            EXPECT_GT(ShareOfDifferingPixels(mine, Emblem(colour, second)), distinctShare);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllPlayerColours, EmblemDesigns, ::testing::Range(0, colourCount));
