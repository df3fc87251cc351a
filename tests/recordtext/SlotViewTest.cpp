#include "ChapterText.h"
#include "QtPrinters.h"

#include "NameTables.h"
#include "SlotView.h"

#include <QColor>

#include <gtest/gtest.h>

using korvale::test::ReadChapter;
using korvale::test::Seat;

TEST(TeamLabelText, NoTeamIsTwoHyphensElseTheTeamMinusOne)
{
    EXPECT_EQ(TeamLabelText(0), "--");
    EXPECT_EQ(TeamLabelText(1), "--");
    EXPECT_EQ(TeamLabelText(2), "1");
    EXPECT_EQ(TeamLabelText(5), "4");
    EXPECT_EQ(TeamLabelText(255), "254");
}

TEST(EmblemIndex, EighteenCivilizationsPerColour)
{
    EXPECT_EQ(EmblemIndex(0, 1), 0);
    EXPECT_EQ(EmblemIndex(0, 18), 17);
    EXPECT_EQ(EmblemIndex(1, 1), 18);
    EXPECT_EQ(EmblemIndex(5, 6), 95);
    EXPECT_EQ(EmblemIndex(7, 18), 143);
}

TEST(EmblemIndex, NoEmblemOutsideTheTable)
{
    EXPECT_EQ(EmblemIndex(0, 0), -1);
    EXPECT_EQ(EmblemIndex(3, 0), -1);
    EXPECT_EQ(EmblemIndex(8, 1), -1);
    EXPECT_EQ(EmblemIndex(13, 5), -1);
    EXPECT_EQ(EmblemIndex(-1, 5), -1);
}

TEST(EmblemIndex, ModCivilisationsGetTheNeutralEmblemAndTheirNumber)
{
    // Mods add civilisations above the game's 18 (up to 31 seen, named as the HD releases name
    // them); none may borrow another's emblem, and one beyond the names shows its number.
    EXPECT_EQ(EmblemIndex(0, 19), NeutralEmblem);
    EXPECT_EQ(EmblemIndex(3, 31), NeutralEmblem);
    EXPECT_EQ(EmblemIndex(9, 21), -1) << "no colour, no emblem";
    EXPECT_EQ(CivilizationText(21), "印加");
    EXPECT_EQ(CivilizationText(40), "文明 40");
    EXPECT_EQ(CivilizationText(18), CivilizationNames.NameOr(18, QString()));
}

TEST(RecorderMarker, SitsRightOfTheRecordersEmblem)
{
    EXPECT_EQ(RecorderMarkerPosition(0, 320), QPoint(58, 10));
    EXPECT_EQ(RecorderMarkerPosition(3, 320), QPoint(58, 157));
    EXPECT_EQ(RecorderMarkerPosition(4, 320), QPoint(252, 10));
    EXPECT_EQ(RecorderMarkerPosition(5, 320), QPoint(252, 59));
    EXPECT_EQ(RecorderMarkerPosition(7, 320), QPoint(252, 157));
    // Reckoned from the page's top while the pane is collapsed.
    EXPECT_EQ(RecorderMarkerPosition(5, 67), QPoint(252, 312));
    EXPECT_EQ(ParkedRecorderMarkerPosition(), QPoint(67, 285));
}

TEST(RecorderSlotPosition, OnlyAnOccupiedSlotOneToEight)
{
    Mgx::ChapterInfo chapter = ReadChapter();
    Seat(chapter, 6, 2, QStringLiteral("录像者"), 1, 0, 0);
    chapter.recorderNumber = 6;
    EXPECT_EQ(RecorderSlotPosition(chapter), 5);
    chapter.recorderNumber = 5; // an empty slot
    EXPECT_EQ(RecorderSlotPosition(chapter), std::nullopt);
    for (std::int16_t outside : {0, 9, -1, 32767}) {
        chapter.recorderNumber = outside;
        EXPECT_EQ(RecorderSlotPosition(chapter), std::nullopt) << outside;
    }
}

TEST(ComposeSlots, ShowsSlotNameAndThePlayersCivilizationColourKind)
{
    Mgx::ChapterInfo chapter = ReadChapter();
    Seat(chapter, 1, 1, QStringLiteral("甲"), 6, 0, 2, 1);
    Seat(chapter, 2, 2, QStringLiteral("乙"), 17, 5, 5, 3);
    // The slot names the player, not the player block.
    chapter.players[1].name = korvale::test::Gbk(QStringLiteral("别名"));

    const SlotViews views = ComposeSlots(chapter);
    EXPECT_TRUE(views[0].occupied);
    EXPECT_EQ(views[0].name, "甲");
    EXPECT_EQ(views[0].civilization, "中国");
    EXPECT_EQ(views[0].emblemIndex, 5);
    EXPECT_EQ(views[0].kind, 1);
    EXPECT_EQ(views[0].teamColour, qRgb(0, 0, 255));
    EXPECT_EQ(views[0].teamText, "1");

    EXPECT_EQ(views[1].name, "乙");
    EXPECT_EQ(views[1].civilization, "匈奴");
    EXPECT_EQ(views[1].emblemIndex, 18 * 5 + 16);
    EXPECT_EQ(views[1].kind, 3);
    EXPECT_EQ(views[1].teamColour, qRgb(255, 0, 255));
    EXPECT_EQ(views[1].teamText, "4");
}

TEST(ComposeSlots, OnlyTheFirstTwoOccupiedLeavesTheRestEmpty)
{
    Mgx::ChapterInfo chapter = ReadChapter();
    Seat(chapter, 1, 1, QStringLiteral("甲"), 1, 0, 0);
    Seat(chapter, 2, 2, QStringLiteral("乙"), 2, 1, 1);
    const SlotViews views = ComposeSlots(chapter);
    EXPECT_EQ(views[1].teamText, "--");
    for (std::size_t i = 2; i < views.size(); ++i) {
        EXPECT_FALSE(views[i].occupied) << i;
        EXPECT_TRUE(views[i].name.isEmpty());
        EXPECT_EQ(views[i].emblemIndex, -1);
        EXPECT_EQ(views[i].teamColour, qRgb(192, 192, 192));
        EXPECT_EQ(views[i].teamText, "--");
    }
}

TEST(ComposeSlots, TwoSlotsOfOnePlayerShareLooksButNotNameOrTeam)
{
    Mgx::ChapterInfo chapter = ReadChapter();
    Seat(chapter, 1, 1, QStringLiteral("甲"), 6, 0, 2);
    Seat(chapter, 3, 1, QStringLiteral("丙"), 6, 0, 4);
    const SlotViews views = ComposeSlots(chapter);
    EXPECT_EQ(views[2].emblemIndex, views[0].emblemIndex);
    EXPECT_EQ(views[2].civilization, views[0].civilization);
    EXPECT_EQ(views[2].teamColour, views[0].teamColour);
    EXPECT_EQ(views[2].name, "丙");
    EXPECT_EQ(views[2].teamText, "3");
}

TEST(ComposeSlots, NumbersNoTableHasShowFallbacks)
{
    Mgx::ChapterInfo chapter = ReadChapter();
    Seat(chapter, 1, 1, QStringLiteral("甲"), 0, 13, 2, 7);
    Seat(chapter, 2, 2, QStringLiteral("乙"), 32, 2, 2);
    chapter.slots[3].playerNumber = 9; // no such player block
    chapter.slots[4].playerNumber = -2;

    const SlotViews views = ComposeSlots(chapter);
    EXPECT_EQ(views[0].civilization, "拜占庭");
    EXPECT_EQ(views[0].emblemIndex, -1);
    EXPECT_EQ(views[0].teamColour, SlotView::ResetTeamColour);
    EXPECT_EQ(views[0].kind, 7);
    EXPECT_EQ(views[1].civilization, "文明 32");
    EXPECT_EQ(views[1].emblemIndex, NeutralEmblem);
    EXPECT_FALSE(views[2].occupied);
    EXPECT_FALSE(views[3].occupied);
}

TEST(SlotView, CivilisationsOfLaterExpansionsHaveTheNeutralEmblemAndTheirNames)
{
    // HD records (and UserPatch mod records) hold civilisations 19 to 31; the emblems stop at 18.
    EXPECT_EQ(EmblemIndex(0, 19), NeutralEmblem);
    EXPECT_EQ(EmblemIndex(7, 31), NeutralEmblem);
    EXPECT_EQ(CivilizationText(19), QStringLiteral("意大利"));
    EXPECT_EQ(CivilizationText(23), QStringLiteral("斯拉夫"));
    EXPECT_EQ(CivilizationText(27), QStringLiteral("柏柏尔"));
    EXPECT_EQ(CivilizationText(31), QStringLiteral("越南"));
    EXPECT_EQ(CivilizationNames.NameOr(32, QStringLiteral("?")), QStringLiteral("?"));
}
