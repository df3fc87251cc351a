#include "DialogUnits.h"

#include <gtest/gtest.h>

TEST(DialogUnits, HorizontalOneAndAHalfVerticalOneAndFiveEighthsRounded)
{
    EXPECT_EQ(DialogUnits::ToPixelsX(2), 3);
    EXPECT_EQ(DialogUnits::ToPixelsX(3), 5); // 4.5 rounds up
    EXPECT_EQ(DialogUnits::ToPixelsX(265), 398);
    EXPECT_EQ(DialogUnits::ToPixelsY(1), 2);
    EXPECT_EQ(DialogUnits::ToPixelsY(8), 13);
    EXPECT_EQ(DialogUnits::ToPixelsY(177), 288);
    EXPECT_EQ(DialogUnits::ToPixelsY(329), 535);
    EXPECT_EQ(DialogUnits::ToPixels(6, 344, 257, 98), QRect(9, 559, 386, 159));
    EXPECT_EQ(DialogUnits::ToPixels(QSize(270, 433)), QSize(405, 704));
}
