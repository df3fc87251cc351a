#include "ChapterInfo.h"

#include "MapContainer.h"
#include "MapGeometry.h"
#include "TerrainPic.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>

#include "PanelTestSupport.h"

#include <gtest/gtest.h>

namespace {

const QRgb Red = qRgb(255, 0, 0);
const QRgb Gold = qRgb(255, 199, 0);
const QRgb Cliff = qRgb(113, 75, 51);

void Press(QWidget* widget)
{
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
}

// A 12 x 12 grass map with a red unit, a gold mine and a cliff, far enough apart not to overlap.
Mgx::ChapterInfo MarkedMap()
{
    Mgx::ChapterInfo chapter;
    chapter.mapWidth = 12;
    chapter.mapHeight = 12;
    chapter.terrain.assign(12 * 12 * 2, 0);
    chapter.objectMarks.assign(12 * 12, 0);
    chapter.objectMarks[2 * 12 + 9] = 2;
    chapter.objectMarks[9 * 12 + 2] = 11;
    chapter.objectMarks[6 * 12 + 6] = 13;
    return chapter;
}

class MapContainerTest : public korvale::test::WidgetTest {
protected:
    void SetUp() override
    {
        group = pane.findChild<QGroupBox*>("mapGroup");
        picture = pane.findChild<TerrainPic*>("terrainPic");
        showResources = pane.findChild<QCheckBox*>("showResources");
        showUnits = pane.findChild<QCheckBox*>("showUnits");
        modeImage = pane.findChild<QLabel*>("modeImage");
        ASSERT_TRUE(group && picture && showResources && showUnits && modeImage);
        QObject::connect(&pane, &MapContainer::SwitchedToLarge, [this] { switches.push_back("large"); });
        QObject::connect(&pane, &MapContainer::SwitchedToCompact, [this] { switches.push_back("compact"); });
    }

    std::vector<QRect> Geometries() const
    {
        return {group->geometry(), picture->geometry(), showResources->geometry(), showUnits->geometry(),
                modeImage->geometry()};
    }

    QImage Render() const { return picture->RenderPicture(picture->size()); }

    MapContainer pane;
    QGroupBox* group = nullptr;
    TerrainPic* picture = nullptr;
    QCheckBox* showResources = nullptr;
    QCheckBox* showUnits = nullptr;
    QLabel* modeImage = nullptr;
    std::vector<std::string> switches;
};

TEST_F(MapContainerTest, StartsCompactWithBothMarkGroupsShown)
{
    EXPECT_TRUE(pane.IsCompact());
    EXPECT_EQ(group->title(), QStringLiteral("地图"));
    EXPECT_EQ(showResources->text(), QStringLiteral("显示资源"));
    EXPECT_EQ(showUnits->text(), QStringLiteral("显示单位和建筑"));
    EXPECT_TRUE(showResources->isChecked());
    EXPECT_TRUE(showUnits->isChecked());
    EXPECT_EQ(picture->geometry(), QRect(3, 22, 179, 89));
    EXPECT_EQ(modeImage->geometry(), QRect(170, 0, 11, 11));
    EXPECT_EQ(picture->MarkSize(), QSize(2, 2));
}

TEST_F(MapContainerTest, CornerImageSwitchesToLargeAndBack)
{
    const std::vector<QRect> compact = Geometries();

    Press(modeImage);
    EXPECT_FALSE(pane.IsCompact());
    const auto large = MapGeometry::PaneLayoutFor(false);
    EXPECT_EQ(Geometries(), (std::vector<QRect>{large.group, large.picture, large.showResources,
                                                large.showUnits, large.modeImage}));
    EXPECT_EQ(picture->geometry(), QRect(3, 15, 369, 184));
    EXPECT_EQ(picture->MarkSize(), QSize(4, 4));

    Press(modeImage);
    EXPECT_TRUE(pane.IsCompact());
    EXPECT_EQ(Geometries(), compact);
    EXPECT_EQ(picture->MarkSize(), QSize(2, 2));
    EXPECT_EQ(switches, (std::vector<std::string>{"large", "compact"}));
}

TEST_F(MapContainerTest, CornerImageShowsEnlargeOrRestore)
{
    const QImage enlarge = modeImage->pixmap().toImage();
    pane.ToggleMode();
    const QImage restore = modeImage->pixmap().toImage();
    EXPECT_EQ(enlarge.size(), QSize(11, 11));
    EXPECT_EQ(restore.size(), QSize(11, 11));
    EXPECT_NE(enlarge, restore);
    pane.ToggleMode();
    EXPECT_EQ(modeImage->pixmap().toImage(), enlarge);
}

TEST_F(MapContainerTest, ClickOnThePictureSwitchesTheMode)
{
    Press(picture);
    EXPECT_FALSE(pane.IsCompact());
    EXPECT_EQ(switches, std::vector<std::string>{"large"});
}

TEST_F(MapContainerTest, MarksGrowWithTheLargeMode)
{
    const auto map = MarkedMap();
    pane.ShowMap(map.mapWidth, map.mapHeight, map.terrain, map.objectMarks);
    EXPECT_EQ(korvale::test::CountOf(Render(), Red), 2 * 2);

    pane.ToggleMode();
    EXPECT_EQ(korvale::test::CountOf(Render(), Red), 4 * 4);
}

TEST_F(MapContainerTest, CheckBoxesSwitchTheirMarksAndCliffsStay)
{
    const auto map = MarkedMap();
    pane.ShowMap(map.mapWidth, map.mapHeight, map.terrain, map.objectMarks);

    showResources->click();
    EXPECT_FALSE(picture->ShowResources());
    QImage shown = Render();
    EXPECT_EQ(korvale::test::CountOf(shown, Gold), 0);
    EXPECT_EQ(korvale::test::CountOf(shown, Red), 4);

    showUnits->click();
    EXPECT_FALSE(picture->ShowUnits());
    shown = Render();
    EXPECT_EQ(korvale::test::CountOf(shown, Red), 0);
    EXPECT_EQ(korvale::test::CountOf(shown, Cliff), 4);

    showResources->click();
    EXPECT_TRUE(picture->ShowResources());
    EXPECT_EQ(korvale::test::CountOf(Render(), Gold), 4);
}

TEST_F(MapContainerTest, ShowMapKeepsThePaneFlagsAndModeMarkSize)
{
    pane.ToggleMode();
    showUnits->click();
    // Something else fiddling with the picture is overruled by the pane's state on the next map.
    picture->SetShowUnits(true);
    picture->SetMarkSize(2);

    const auto map = MarkedMap();
    pane.ShowMap(map.mapWidth, map.mapHeight, map.terrain, map.objectMarks);
    EXPECT_FALSE(picture->ShowUnits());
    EXPECT_TRUE(picture->ShowResources());
    EXPECT_EQ(picture->MarkSize(), QSize(4, 4));
    EXPECT_EQ(korvale::test::CountOf(Render(), Red), 0);
    EXPECT_EQ(korvale::test::CountOf(Render(), Gold), 16);
}

TEST_F(MapContainerTest, DamagedRecordLeavesThePreviousMapWithoutMarks)
{
    const auto map = MarkedMap();
    pane.ShowMap(map.mapWidth, map.mapHeight, map.terrain, map.objectMarks);
    const QImage terrain = picture->TerrainImage();

    pane.ShowMap(0, 0, {}, {});
    EXPECT_EQ(picture->TerrainImage(), terrain);
    EXPECT_EQ(korvale::test::CountOf(Render(), Red), 0);
    EXPECT_EQ(korvale::test::CountOf(Render(), Cliff), 0);
}

} // namespace
