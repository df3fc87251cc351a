#include "MapColours.h"
#include "MapGeometry.h"

#include <gtest/gtest.h>

namespace {

using MapGeometry::ImageSize;
using MapGeometry::MarkBlockTopLeft;
using MapGeometry::MarkScaleFor;
using MapGeometry::TerrainPixel;

TEST(MapGeometryImageSize, FollowsTheDiamondFormulaForTheGameSizes)
{
    EXPECT_EQ(ImageSize(200, 200), QSize(282, 140));
    EXPECT_EQ(ImageSize(120, 120), QSize(169, 84));
    EXPECT_EQ(ImageSize(144, 144), QSize(203, 100));
    EXPECT_EQ(ImageSize(220, 220), QSize(311, 154));
    EXPECT_EQ(ImageSize(255, 255), QSize(360, 180));
}

TEST(MapGeometryImageSize, HeightDependsOnTheMapHeightOnly)
{
    // Width c*100 + c*50 = 106.07; height trunc(trunc(17.68) + 17.68) = 34.
    EXPECT_EQ(ImageSize(100, 50), QSize(106, 34));
    EXPECT_EQ(ImageSize(50, 100), QSize(106, 70));
    // The first half is truncated before the second is added: trunc(1.77) + 1.77 gives 2, where
    // trunc(c * 5) would give 3.
    EXPECT_EQ(ImageSize(5, 5), QSize(7, 2));
    EXPECT_EQ(ImageSize(1, 1), QSize(1, 0));
}

TEST(MapGeometryTerrainPixel, CornersOfA200Map)
{
    const int imageWidth = 282;
    // Tile (0, 0) lands one column beyond the image and is dropped.
    EXPECT_EQ(TerrainPixel(0, 0, 200, imageWidth), QPoint(282, 70));
    EXPECT_EQ(TerrainPixel(199, 199, 200, imageWidth), QPoint(1, 70));
    EXPECT_EQ(TerrainPixel(199, 0, 200, imageWidth), QPoint(142, 0));
    // The last row of the diamond falls one row below a 140-row image.
    EXPECT_EQ(TerrainPixel(0, 199, 200, imageWidth), QPoint(142, 140));
}

TEST(MapGeometryTerrainPixel, NegativeHalvesAreTruncatedTowardZero)
{
    // 0.5 * (0 - c) = -0.35 truncates to 0, not -1: the row stays at trunc(70.71).
    EXPECT_EQ(TerrainPixel(1, 0, 200, 282), QPoint(282, 70));
    EXPECT_EQ(TerrainPixel(3, 0, 200, 282), QPoint(280, 69));
    // A wide, flat map: trunc(-70.36) + 3.54 = -66.46, truncated to -66 (the pixel is dropped).
    EXPECT_EQ(TerrainPixel(199, 0, 10, 147), QPoint(7, -66));
}

TEST(MapGeometryTerrainPixel, RowOffsetUsesTheMapHeight)
{
    // Same tile, same image width, different map height: only the row moves.
    EXPECT_EQ(TerrainPixel(10, 20, 100, 150).x(), TerrainPixel(10, 20, 40, 150).x());
    EXPECT_EQ(TerrainPixel(10, 20, 100, 150).y(), 38);
    EXPECT_EQ(TerrainPixel(10, 20, 40, 150).y(), 17);
}

TEST(MapGeometryMarks, ScaleComesFromTheWholeClientInSinglePrecision)
{
    const MapGeometry::MarkScale scale = MarkScaleFor(QSize(369, 184), QSize(282, 140));
    EXPECT_FLOAT_EQ(scale.sx, 369.0f / 282.0f);
    EXPECT_FLOAT_EQ(scale.sy, 184.0f / 140.0f);
    // Top corner of a 200 map: trunc(142 * 1.3085) = 185, trunc(0) = 0, block starts one up-left.
    EXPECT_EQ(MarkBlockTopLeft(QPoint(142, 0), scale), QPoint(184, -1));
}

TEST(MapGeometryMarks, ProductsStayInFloat)
{
    // 369 / 169 rounds up as a float, so 169 * sx is exactly 369; in double it stays below.
    // Likewise 184 / 84 rounded to a float times 42 gives 92, but 91.99... once widened.
    const auto small = MarkScaleFor(QSize(369, 184), ImageSize(120, 120));
    EXPECT_EQ(MarkBlockTopLeft(QPoint(169, 42), small), QPoint(368, 91));
    const auto big = MarkScaleFor(QSize(369, 184), ImageSize(240, 240));
    EXPECT_EQ(MarkBlockTopLeft(QPoint(113, 21), big), QPoint(122, 22));
}

TEST(MapGeometryMarks, TerrainIsStretchedToThreePixelsShortOfTheEdges)
{
    EXPECT_EQ(MapGeometry::TerrainTarget(QSize(369, 184)), QRect(0, 0, 366, 181));
    EXPECT_EQ(MapGeometry::TerrainTarget(QSize(179, 89)), QRect(0, 0, 176, 86));
}

TEST(MapGeometryPane, CompactAndLargeLayouts)
{
    const auto compact = MapGeometry::PaneLayoutFor(true);
    EXPECT_EQ(compact.group, QRect(0, 0, 185, 200));
    EXPECT_EQ(compact.picture, QRect(3, 22, 179, 89));
    EXPECT_EQ(compact.showResources, QRect(7, 140, 77, 14));
    EXPECT_EQ(compact.showUnits, QRect(7, 160, 106, 14));
    EXPECT_EQ(compact.modeImage, QRect(170, 0, 11, 11));
    EXPECT_EQ(compact.markSize, 2);

    const auto large = MapGeometry::PaneLayoutFor(false);
    EXPECT_EQ(large.group, QRect(0, 0, 375, 245));
    EXPECT_EQ(large.picture, QRect(3, 15, 369, 184));
    EXPECT_EQ(large.showResources, QRect(15, 227, 77, 14));
    EXPECT_EQ(large.showUnits, QRect(107, 227, 106, 14));
    EXPECT_EQ(large.modeImage, QRect(360, 0, 11, 11));
    EXPECT_EQ(large.markSize, 4);

    EXPECT_EQ(MapGeometry::PanePlacement(true), QRect(195, 3, 185, 200));
    EXPECT_EQ(MapGeometry::PanePlacement(false), QRect(3, 3, 375, 250));
}

TEST(MapColoursTest, TerrainTableMatchesTheIds)
{
    using MapColours::TerrainColour;
    EXPECT_EQ(TerrainColour(0), qRgb(51, 151, 39));
    EXPECT_EQ(TerrainColour(1), qRgb(48, 93, 182));
    EXPECT_EQ(TerrainColour(6), qRgb(243, 170, 92));
    EXPECT_EQ(TerrainColour(16), qRgb(51, 151, 39));
    EXPECT_EQ(TerrainColour(21), qRgb(21, 118, 21));
    EXPECT_EQ(TerrainColour(22), qRgb(0, 71, 161));
    EXPECT_EQ(TerrainColour(23), qRgb(0, 74, 187));
    EXPECT_EQ(TerrainColour(27), qRgb(228, 168, 82));
    EXPECT_EQ(TerrainColour(28), qRgb(232, 180, 120));
    EXPECT_EQ(TerrainColour(35), qRgb(152, 192, 240));
    EXPECT_EQ(TerrainColour(39), qRgb(200, 216, 255));
    EXPECT_EQ(TerrainColour(40), qRgb(228, 162, 82));
    EXPECT_EQ(TerrainColour(41), MapColours::UnknownTerrainColour);
    EXPECT_EQ(TerrainColour(255), MapColours::UnknownTerrainColour);
    // Black is the transparent background of the picture; no terrain may use it.
    for (int id = 0; id < 256; ++id)
        EXPECT_NE(TerrainColour(std::uint8_t(id)), qRgb(0, 0, 0)) << id;
}

TEST(MapColoursTest, MarkColoursAndGating)
{
    using MapColours::IsMarkDrawn;
    EXPECT_EQ(MapColours::MarkColour(1), qRgb(0, 0, 255));
    EXPECT_EQ(MapColours::MarkColour(8), qRgb(255, 128, 0));
    EXPECT_EQ(MapColours::MarkColour(11), qRgb(255, 199, 0));
    EXPECT_EQ(MapColours::MarkColour(13), qRgb(113, 75, 51));

    EXPECT_FALSE(IsMarkDrawn(0, true, true));
    for (std::uint8_t code = 1; code <= 8; ++code) {
        EXPECT_TRUE(IsMarkDrawn(code, false, true)) << int(code);
        EXPECT_FALSE(IsMarkDrawn(code, true, false)) << int(code);
    }
    for (std::uint8_t code = 9; code <= 12; ++code) {
        EXPECT_TRUE(IsMarkDrawn(code, true, false)) << int(code);
        EXPECT_FALSE(IsMarkDrawn(code, false, true)) << int(code);
    }
    EXPECT_TRUE(IsMarkDrawn(13, false, false));
    EXPECT_TRUE(IsMarkDrawn(200, false, false));
}

} // namespace
