#include "PanelTestSupport.h"

#include "PanelImage.h"
#include "PanelSummary.h"
#include "RealRecords.h"
#include "RecordLoader.h"

#include <gtest/gtest.h>

namespace {

class PanelOutputTest : public korvale::test::WidgetTest {};

Mgx::GameRecord LoadReal(const char* name) { return Mgx::LoadRecordFile(korvale::test::RealRecordPath(name)); }

int DistinctColours(const QImage& image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            colours.insert(image.pixel(x, y));
    return static_cast<int>(colours.size());
}

} // namespace

TEST_F(PanelOutputTest, SummaryListsLabelsSlotsThenTheChat)
{
    KORVALE_NEED_REAL_RECORDS();
    const QStringList lines = PanelSummaryLines(LoadReal("aoc10c_1v1_arabia.mgx"));
    ASSERT_EQ(lines.size(), 10 + 8 + 14 + 2 + 6);
    EXPECT_EQ(lines[0], "游戏类型：随机地图");
    EXPECT_EQ(lines[1], "地图：阿拉伯");
    EXPECT_EQ(lines[7], "胜利条件：标准");
    EXPECT_EQ(lines[8], "时长：00:53:46");
    EXPECT_EQ(lines[9], "版本：1.0c");
    EXPECT_EQ(lines[10], "位置1：North｜匈奴｜人类｜队伍 --｜橙｜录像者");
    EXPECT_EQ(lines[11], "位置2：H_Haslebo｜匈奴｜人类｜队伍 3｜绿");
    EXPECT_EQ(lines[12], "位置3：（空）");
    EXPECT_EQ(lines[18], "H_Haslebo: DEAD!");
    EXPECT_EQ(lines[33], "============游戏开始==========");
    EXPECT_EQ(lines[34], "[00:09:03] North 开始升级封建时代");
}

TEST_F(PanelOutputTest, SummaryOfARecordThePanelDoesNotShowIsTheResetPanel)
{
    KORVALE_NEED_REAL_RECORDS();
    const QStringList damaged = PanelSummaryLines(LoadReal("aoc10a_4v4_headerend0.mgx"));
    EXPECT_EQ(damaged, PanelSummaryLines(Mgx::GameRecord()));
    ASSERT_EQ(damaged.size(), 18);
    EXPECT_EQ(damaged[0], "游戏类型：");
    EXPECT_EQ(damaged[9], "版本：");
    EXPECT_EQ(damaged[17], "位置8：（空）");
}

TEST_F(PanelOutputTest, RenderedPanelHasTheBarsSizeAndShowsTheRecord)
{
    KORVALE_NEED_REAL_RECORDS();
    const QImage shown = RenderPanelImage(LoadReal("aoc10a_4v4_arabia_gbk.mgx"));
    const QImage empty = RenderPanelImage(Mgx::GameRecord());
    EXPECT_EQ(shown.size(), QSize(405, 704));
    EXPECT_NE(shown, empty);
    // Map, emblems and team colours bring far more colours than the bare panel has.
    EXPECT_GT(DistinctColours(shown), 2 * DistinctColours(empty));
}

TEST_F(PanelOutputTest, RenderingADamagedRecordAsksNothingAndShowsTheResetPanel)
{
    KORVALE_NEED_REAL_RECORDS();
    EXPECT_EQ(RenderPanelImage(LoadReal("aoc10a_4v4_headerend0.mgx")), RenderPanelImage(Mgx::GameRecord()));
}
