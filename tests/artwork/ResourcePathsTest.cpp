#include "ArtworkImages.h"

#include <QFile>
#include <QSize>

#include <gtest/gtest.h>

using namespace ArtworkImages;

namespace {

struct SizedPicture {
    const char* path;
    QSize size;
};

const SizedPicture smallPictures[] = {
    {":/kinds/kind-1.png", {16, 16}},      {":/kinds/kind-2.png", {16, 16}},
    {":/kinds/kind-3.png", {16, 16}},      {":/icons/eye.png", {16, 16}},
    {":/icons/enlarge.png", {11, 11}},     {":/icons/restore.png", {11, 11}},
    {":/icons/triangle-up.png", {16, 16}}, {":/icons/triangle-down.png", {16, 16}},
    {":/icons/korvale.png", {256, 256}},   {":/icons/korvale-64.png", {64, 64}},
};

} // namespace

TEST(ResourcePaths, EveryEmblemOfTheTableLoadsAt36By36)
{
    for (int colour = 0; colour < colourCount; ++colour) {
        for (int civilization = 1; civilization <= civilizationCount; ++civilization) {
            SCOPED_TRACE(EmblemPath(colour, civilization).toStdString());
            const QImage image = Emblem(colour, civilization);
            ASSERT_FALSE(image.isNull());
            EXPECT_EQ(image.size(), QSize(36, 36));
        }
    }
}

TEST(ResourcePaths, TheEmblemTableEndsAfter144Pictures)
{
    Load(":/emblems/emblem-000.png");
    EXPECT_TRUE(QFile::exists(":/emblems/emblem-143.png"));
    EXPECT_FALSE(QFile::exists(":/emblems/emblem-144.png"));
}

TEST(ResourcePaths, SmallPicturesAndIconsLoadAtTheirSizes)
{
    for (const SizedPicture& picture : smallPictures) {
        SCOPED_TRACE(picture.path);
        const QImage image = Load(picture.path);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), picture.size);
    }
}

TEST(KindPictures, NatureIsAnAllWhiteSquare)
{
    const QImage nature = Load(":/kinds/kind-2.png").convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < nature.height(); ++y) {
        for (int x = 0; x < nature.width(); ++x)
            ASSERT_EQ(nature.pixel(x, y), qRgba(255, 255, 255, 255)) << "at " << x << ", " << y;
    }
}

TEST(KindPictures, HumanPlayerIsALightFigureOnADarkSquare)
{
    const QImage human = Load(":/kinds/kind-1.png");
    for (const QPoint corner : {QPoint(0, 0), QPoint(15, 0), QPoint(0, 15), QPoint(15, 15)}) {
        const QColor colour = human.pixelColor(corner);
        EXPECT_EQ(colour.alpha(), 255);
        EXPECT_LT(colour.value(), 100) << "corner " << corner.x() << ", " << corner.y();
    }
    EXPECT_GT(human.pixelColor(8, 5).value(), 200) << "head";
    EXPECT_GT(human.pixelColor(8, 13).value(), 150) << "body";
}

TEST(KindPictures, ComputerIsNeitherOfTheOtherKinds)
{
    const QImage computer = Load(":/kinds/kind-3.png");
    EXPECT_GT(ShareOfDifferingPixels(computer, Load(":/kinds/kind-1.png")), 0.3);
    EXPECT_GT(ShareOfDifferingPixels(computer, Load(":/kinds/kind-2.png")), 0.3);
}

TEST(CollapseIcons, TrianglesPointTheWayTheirNamesSay)
{
    // A triangle's broad base carries most of its ink: at the bottom when it points up.
    const QImage up = Load(":/icons/triangle-up.png");
    const QImage down = Load(":/icons/triangle-down.png");
    EXPECT_GT(InkInRows(up, 8, 15), 1.5 * InkInRows(up, 0, 7));
    EXPECT_GT(InkInRows(down, 0, 7), 1.5 * InkInRows(down, 8, 15));
}

TEST(MapCornerImages, EnlargeAndRestoreAreDifferentPictures)
{
    EXPECT_GT(ShareOfDifferingPixels(Load(":/icons/enlarge.png"), Load(":/icons/restore.png")), 0.1);
}

TEST(ApplicationIcon, SmallIconShowsTheSamePictureAsTheLargeOne)
{
    const QImage large = Load(":/icons/korvale.png");
    const QImage small = Load(":/icons/korvale-64.png");
    const QImage reduced = large.scaled(64, 64, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_LT(ShareOfDifferingPixels(small, reduced), 0.1);
    EXPECT_EQ(small.pixelColor(0, 0).alpha(), 0) << "corners outside the diamond stay clear";
}
