#include "ChapterInfo.h"

#include "MapColours.h"
#include "MapGeometry.h"
#include "TerrainPic.h"

#include <QApplication>

#include "PanelTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {

constexpr std::uint8_t Grass = 0;
constexpr std::uint8_t Water = 1;
const QSize LargeClient(369, 184);
const QRgb GrassColour = qRgb(51, 151, 39);
const QRgb WaterColour = qRgb(48, 93, 182);
const QRgb Red = qRgb(255, 0, 0);     // player colour index 1, mark 2
const QRgb Green = qRgb(0, 255, 0);   // mark 3
const QRgb Stone = qRgb(145, 145, 145);
const QRgb Cliff = qRgb(113, 75, 51);

// A chapter's map built in memory: every tile of one terrain, no marks.
Mgx::ChapterInfo MakeMap(std::uint32_t width, std::uint32_t height, std::uint8_t terrain = Grass)
{
    Mgx::ChapterInfo chapter;
    chapter.mapWidth = width;
    chapter.mapHeight = height;
    chapter.terrain.assign(std::size_t{width} * height * 2, 0);
    for (std::size_t i = 0; i < chapter.terrain.size(); i += 2)
        chapter.terrain[i] = terrain;
    chapter.objectMarks.assign(std::size_t{width} * height, 0);
    return chapter;
}

void SetTerrain(Mgx::ChapterInfo& chapter, int x, int y, std::uint8_t id)
{
    chapter.terrain[2 * (std::size_t(y) * chapter.mapWidth + x)] = id;
}

void SetMark(Mgx::ChapterInfo& chapter, int x, int y, std::uint8_t code)
{
    chapter.objectMarks[std::size_t(y) * chapter.mapWidth + x] = code;
}

// The bounding box of every pixel of this colour; empty when there is none.
QRect ExtentOf(const QImage& image, QRgb colour)
{
    QRect extent;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour)
                extent |= QRect(x, y, 1, 1);
    return extent;
}

bool AllOf(const QImage& image, const QRect& rect, QRgb colour)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (image.pixel(x, y) != colour)
                return false;
    return true;
}

class TerrainPicTest : public korvale::test::WidgetTest {
protected:
    void Show(const Mgx::ChapterInfo& chapter, int markSize = 4)
    {
        pic.SetMap(chapter.mapWidth, chapter.mapHeight, chapter.terrain, chapter.objectMarks);
        pic.SetMarkSize(markSize);
    }

    TerrainPic pic;
};

// On a 10 x 10 map (image 14 x 6) in a 369 x 184 picture, tile (6, 3) has terrain pixel (8, 2),
// scaled to (210, 61); its 4 x 4 block starts at (209, 60) and, mirrored, covers columns 156 to 159.
const QRect MarkAt6x3(156, 60, 4, 4);
const QRect MarkAt8x8(287, 91, 4, 4);
const QRect MarkAt3x4(103, 91, 4, 4);

TEST_F(TerrainPicTest, MarkIsDrawnAtItsMirroredPlace)
{
    auto map = MakeMap(10, 10);
    SetMark(map, 6, 3, 2);
    Show(map);

    const QImage picture = pic.RenderPicture(LargeClient);
    ASSERT_EQ(picture.size(), LargeClient);
    EXPECT_EQ(ExtentOf(picture, Red), MarkAt6x3);
    EXPECT_TRUE(AllOf(picture, MarkAt6x3, Red));
}

TEST_F(TerrainPicTest, MarkBlockFollowsTheMarkSize)
{
    auto map = MakeMap(10, 10);
    SetMark(map, 6, 3, 2);

    Show(map, 4);
    EXPECT_EQ(ExtentOf(pic.RenderPicture(LargeClient), Red).size(), QSize(4, 4));
    Show(map, 2);
    // The block grows right and down from (X - 1, Y - 1); mirrored, it grows to the left.
    EXPECT_EQ(ExtentOf(pic.RenderPicture(LargeClient), Red), QRect(158, 60, 2, 2));
}

TEST_F(TerrainPicTest, CheckBoxFlagsGateTheirMarkGroupsButNotCliffs)
{
    auto map = MakeMap(10, 10);
    SetMark(map, 6, 3, 3);  // a player's unit
    SetMark(map, 8, 8, 10); // stone
    SetMark(map, 3, 4, 13); // cliff
    Show(map);

    auto render = [&](bool resources, bool units) {
        pic.SetShowResources(resources);
        pic.SetShowUnits(units);
        return pic.RenderPicture(LargeClient);
    };

    QImage picture = render(true, true);
    EXPECT_TRUE(AllOf(picture, MarkAt6x3, Green));
    EXPECT_TRUE(AllOf(picture, MarkAt8x8, Stone));
    EXPECT_TRUE(AllOf(picture, MarkAt3x4, Cliff));

    picture = render(true, false);
    EXPECT_TRUE(ExtentOf(picture, Green).isEmpty());
    EXPECT_TRUE(AllOf(picture, MarkAt8x8, Stone));

    picture = render(false, true);
    EXPECT_TRUE(AllOf(picture, MarkAt6x3, Green));
    EXPECT_TRUE(ExtentOf(picture, Stone).isEmpty());

    picture = render(false, false);
    EXPECT_TRUE(ExtentOf(picture, Green).isEmpty());
    EXPECT_TRUE(ExtentOf(picture, Stone).isEmpty());
    EXPECT_EQ(ExtentOf(picture, Cliff), MarkAt3x4);
}

TEST_F(TerrainPicTest, PictureIsMirroredAndTransparentAroundTheDiamond)
{
    // Water near tile (19, 19), which the mirror puts at the diamond's right corner.
    auto map = MakeMap(20, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            if (x + y >= 30)
                SetTerrain(map, x, y, Water);
    Show(map);

    const QImage picture = pic.RenderPicture(LargeClient);
    EXPECT_EQ(picture.pixel(20, 95), GrassColour);
    EXPECT_EQ(picture.pixel(328, 95), WaterColour);
    EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(picture.pixel(368, 183)), 0);
    // The terrain stops 3 pixels short of the edges; on screen that margin is on the left.
    for (int y = 0; y < LargeClient.height(); ++y) {
        EXPECT_EQ(qAlpha(picture.pixel(0, y)), 0) << y;
        EXPECT_EQ(qAlpha(picture.pixel(2, y)), 0) << y;
    }
}

TEST_F(TerrainPicTest, TerrainImageHasOnePixelPerTileAndTheLaterTileWins)
{
    auto map = MakeMap(200, 200);
    Show(map);
    EXPECT_EQ(pic.TerrainImage().size(), QSize(282, 140));

    // Find a pixel that several tiles of a 10 x 10 map fall on, in drawing order.
    map = MakeMap(10, 10);
    const int imageWidth = MapGeometry::ImageSize(10, 10).width();
    std::map<std::pair<int, int>, std::vector<QPoint>> tilesOf;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            const QPoint p = MapGeometry::TerrainPixel(x, y, 10, imageWidth);
            tilesOf[{p.x(), p.y()}].push_back(QPoint(x, y));
        }
    const auto shared = std::find_if(tilesOf.begin(), tilesOf.end(), [&](const auto& entry) {
        return entry.first.first < imageWidth && entry.second.size() >= 2;
    });
    ASSERT_NE(shared, tilesOf.end());
    const QPoint pixel(shared->first.first, shared->first.second);
    const QPoint first = shared->second.front();
    const QPoint last = shared->second.back();

    SetTerrain(map, last.x(), last.y(), Water);
    Show(map);
    EXPECT_EQ(pic.TerrainImage().pixel(pixel), WaterColour);

    SetTerrain(map, last.x(), last.y(), Grass);
    SetTerrain(map, first.x(), first.y(), Water);
    Show(map);
    EXPECT_EQ(pic.TerrainImage().pixel(pixel), GrassColour);
}

TEST_F(TerrainPicTest, OnlyTheFirstByteOfATileCountsAndTileZeroFallsOutside)
{
    auto map = MakeMap(10, 10);
    for (std::size_t i = 1; i < map.terrain.size(); i += 2)
        map.terrain[i] = Water;
    SetTerrain(map, 0, 0, Water);
    SetTerrain(map, 9, 9, 99); // the last tile drawn on its pixel
    Show(map);

    const QImage& terrain = pic.TerrainImage();
    EXPECT_EQ(korvale::test::CountOf(terrain, WaterColour), 0);
    EXPECT_EQ(korvale::test::CountOf(terrain, MapColours::UnknownTerrainColour), 1);
    EXPECT_EQ(terrain.pixel(0, 0), qRgb(0, 0, 0)); // outside the diamond
}

TEST_F(TerrainPicTest, MapWithoutTerrainKeepsThePreviousPictureWithoutMarks)
{
    auto good = MakeMap(10, 10, Water);
    SetMark(good, 6, 3, 2);
    Show(good);
    const QImage before = pic.TerrainImage();

    pic.SetMap(0, 0, {}, {});
    EXPECT_EQ(pic.TerrainImage(), before);
    QImage picture = pic.RenderPicture(LargeClient);
    EXPECT_TRUE(ExtentOf(picture, Red).isEmpty());
    EXPECT_GT(korvale::test::CountOf(picture, WaterColour), 0);

    // A terrain array too short for the map size is no map either.
    Show(good);
    auto damaged = MakeMap(10, 10, Grass);
    damaged.terrain.resize(50);
    pic.SetMap(damaged.mapWidth, damaged.mapHeight, damaged.terrain, damaged.objectMarks);
    EXPECT_EQ(pic.TerrainImage(), before);
    EXPECT_TRUE(ExtentOf(pic.RenderPicture(LargeClient), Red).isEmpty());
}

TEST_F(TerrainPicTest, PaintShowsTheRenderedPicture)
{
    auto map = MakeMap(10, 10);
    SetMark(map, 6, 3, 2);
    Show(map);
    pic.resize(LargeClient);

    const QImage shown = pic.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), LargeClient);
    EXPECT_EQ(ExtentOf(shown, Red), MarkAt6x3);
    EXPECT_EQ(shown.pixel(20, 95), GrassColour);
}

TEST_F(TerrainPicTest, RenderMapImageIsTheLargePaneWithEveryMark)
{
    auto map = MakeMap(10, 10);
    SetMark(map, 6, 3, 2);
    SetMark(map, 8, 8, 10);
    Show(map, 4);

    const QImage image = RenderMapImage(map);
    EXPECT_EQ(image.size(), LargeClient);
    EXPECT_EQ(image, pic.RenderPicture(LargeClient));
    EXPECT_EQ(ExtentOf(image, Red), MarkAt6x3);
    EXPECT_EQ(ExtentOf(image, Stone), MarkAt8x8);

    EXPECT_EQ(RenderMapImage(Mgx::ChapterInfo{}).size(), LargeClient);
}

} // namespace
