#include "PanelTestSupport.h"

#include "InfoContainer.h"
#include "MapContainer.h"
#include "MgxInfoDlgBar.h"
#include "PanelArtwork.h"
#include "PlayerInfoPage.h"
#include "SlotView.h"
#include "TeamLabel.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class InfoContainerTest : public korvale::test::PanelTest {
protected:
    QString Text(const QString& labelName) const { return Child<QLabel>(labelName)->text(); }

    int ChatTabBottom() const
    {
        const QRect tabs = Child<QTabWidget>(QStringLiteral("chatTabs"))->geometry();
        return tabs.y() + tabs.height();
    }

    void ClickCollapse(const char* icon = "upperCollapseIcon") { Child<QToolButton>(QString::fromLatin1(icon))->click(); }

    bool VisibleInPane(const char* name) const
    {
        return Child(QString::fromLatin1(name))->isVisibleTo(&bar.Container());
    }

};

} // namespace

TEST_F(InfoContainerTest, StartsWithTheTabsOfTheTemplateAndEveryCaption)
{
    const auto* infoTabs = Child<QTabWidget>(QStringLiteral("infoTabs"));
    ASSERT_EQ(infoTabs->count(), 2);
    EXPECT_EQ(infoTabs->tabText(0), "基本信息");
    EXPECT_EQ(infoTabs->tabText(1), "扩展信息");
    EXPECT_EQ(Child<QTabWidget>(QStringLiteral("playerTabs"))->tabText(0), "玩家信息");
    EXPECT_EQ(Child<QTabWidget>(QStringLiteral("chatTabs"))->tabText(0), "聊天信息");
    EXPECT_EQ(infoTabs->geometry(), QRect(3, 3, 398, 288));

    EXPECT_EQ(Child(QStringLiteral("generalPage"))->geometry(), QRect(9, 30, 384, 255));
    EXPECT_EQ(Child(QStringLiteral("advancedPage"))->geometry(), QRect(9, 30, 384, 255));
    EXPECT_EQ(Child(QStringLiteral("playerPage"))->geometry(), QRect(9, 320, 384, 205));
    EXPECT_TRUE(VisibleInPane("generalPage"));
    EXPECT_FALSE(VisibleInPane("advancedPage"));
    EXPECT_TRUE(VisibleInPane("playerPage"));

    EXPECT_EQ(Text(QStringLiteral("gameTypeLabel")), "游戏类型：");
    EXPECT_EQ(Text(QStringLiteral("populationLabel")), "人口上限：");
    EXPECT_EQ(Text(QStringLiteral("durationLabel")), "时长：");
    EXPECT_EQ(Child<QPlainTextEdit>(QStringLiteral("objectivesBox"))->toPlainText(), "游戏目标");
    EXPECT_EQ(Child<QListWidget>(QStringLiteral("chatList"))->count(), 0);
}

TEST_F(InfoContainerTest, EmptyPositionsShowGreyTeamLabelsAndTheEyeIsParked)
{
    for (int i = 0; i < 8; ++i) {
        const QString n = QString::number(i);
        const auto* team = Child<TeamLabel>(QStringLiteral("teamLabel") + n);
        EXPECT_EQ(team->text(), "--");
        EXPECT_EQ(team->Colour(), QColor(192, 192, 192));
        EXPECT_TRUE(Child<QLineEdit>(QStringLiteral("nameBox") + n)->text().isEmpty());
        EXPECT_TRUE(Child<QLabel>(QStringLiteral("emblem") + n)->pixmap().isNull());
    }
    EXPECT_EQ(Child(QStringLiteral("recorderMarker"))->geometry(), QRect(67, 285, 16, 16));
    EXPECT_EQ(Child(QStringLiteral("emblem4"))->geometry(), QRect(200, 5, 51, 46));
}

TEST_F(InfoContainerTest, DialogBarStretchesThePaneAndThePaneStretchesTheChat)
{
    bar.resize(405, 900);
    EXPECT_EQ(bar.Container().geometry(), QRect(0, 0, 405, 900));
    EXPECT_EQ(Child(QStringLiteral("chatTabs"))->geometry(), QRect(3, 535, 398, 900 - 535 - 10));
    EXPECT_EQ(Child(QStringLiteral("chatList"))->geometry(), QRect(9, 561, 385, 900 - 535 - 43));
}

TEST_F(InfoContainerTest, CollapsingAndExpandingMovesEveryControl)
{
    const int bottom = ChatTabBottom();
    ClickCollapse();
    EXPECT_TRUE(bar.Container().PanelLayout().Collapsed());
    EXPECT_EQ(Child(QStringLiteral("infoTabs"))->geometry(), QRect(3, 3, 398, 35));
    EXPECT_EQ(Child(QStringLiteral("playerTabs"))->geometry(), QRect(3, 40, 398, 35));
    EXPECT_EQ(Child(QStringLiteral("chatList"))->y(), 104);
    EXPECT_EQ(ChatTabBottom(), bottom);
    EXPECT_EQ(Child(QStringLiteral("lowerCollapseIcon"))->geometry(), QRect(380, 81, 16, 16));
    EXPECT_FALSE(VisibleInPane("generalPage"));
    EXPECT_FALSE(VisibleInPane("advancedPage"));
    EXPECT_FALSE(VisibleInPane("playerPage"));

    ClickCollapse("lowerCollapseIcon");
    EXPECT_FALSE(bar.Container().PanelLayout().Collapsed());
    EXPECT_EQ(Child(QStringLiteral("infoTabs"))->geometry(), QRect(3, 3, 398, 290));
    EXPECT_EQ(Child(QStringLiteral("playerTabs"))->geometry(), QRect(3, 293, 398, 240));
    EXPECT_EQ(Child(QStringLiteral("chatList"))->y(), 560);
    EXPECT_EQ(Child(QStringLiteral("chatList"))->height(), bottom - 6 - 560);
    EXPECT_EQ(ChatTabBottom(), bottom);
    EXPECT_TRUE(VisibleInPane("generalPage"));
    EXPECT_TRUE(VisibleInPane("playerPage"));
}

TEST_F(InfoContainerTest, TheTriangleFollowsTheState)
{
    auto* upper = Child<QToolButton>(QStringLiteral("upperCollapseIcon"));
    const QImage expanded = upper->grab().toImage();
    ClickCollapse();
    const QImage collapsed = upper->grab().toImage();
    EXPECT_NE(expanded, collapsed);
    ClickCollapse();
    EXPECT_EQ(upper->grab().toImage(), expanded);
}

TEST_F(InfoContainerTest, SwitchingTabsShowsOnePageAtATime)
{
    auto* infoTabs = Child<QTabWidget>(QStringLiteral("infoTabs"));
    infoTabs->setCurrentIndex(1);
    EXPECT_FALSE(VisibleInPane("generalPage"));
    EXPECT_TRUE(VisibleInPane("advancedPage"));
    infoTabs->setCurrentIndex(0);
    EXPECT_TRUE(VisibleInPane("generalPage"));
    EXPECT_FALSE(VisibleInPane("advancedPage"));
}

TEST_F(InfoContainerTest, TabPickedWhileCollapsedShowsOverTheStripsAndSurvivesExpanding)
{
    ClickCollapse();
    Child<QTabWidget>(QStringLiteral("infoTabs"))->setCurrentIndex(1);
    EXPECT_TRUE(VisibleInPane("advancedPage"));
    EXPECT_EQ(Child(QStringLiteral("advancedPage"))->geometry(), QRect(9, 30, 384, 255));
    EXPECT_FALSE(VisibleInPane("generalPage"));
    // Over the strips it hides the chat beneath instead of mixing with it.
    EXPECT_TRUE(Child(QStringLiteral("advancedPage"))->autoFillBackground());

    ClickCollapse();
    EXPECT_TRUE(VisibleInPane("advancedPage"));
    EXPECT_FALSE(Child(QStringLiteral("advancedPage"))->autoFillBackground());
    EXPECT_FALSE(VisibleInPane("generalPage"));
    EXPECT_FALSE(bar.Container().PanelLayout().BasicTabSelected());
}

TEST_F(InfoContainerTest, LargeMapTakesTheGeneralPageAndCompactGivesItBack)
{
    auto& map = *Child<MapContainer>(QStringLiteral("mapContainer"));
    EXPECT_EQ(map.geometry(), QRect(195, 3, 185, 200));
    map.ToggleMode();
    EXPECT_EQ(map.geometry(), QRect(3, 3, 375, 250));
    EXPECT_FALSE(VisibleInPane("objectivesBox"));
    EXPECT_FALSE(VisibleInPane("durationLabel"));
    EXPECT_FALSE(VisibleInPane("versionLabel"));
    map.ToggleMode();
    EXPECT_EQ(map.geometry(), QRect(195, 3, 185, 200));
    EXPECT_TRUE(VisibleInPane("objectivesBox"));
    EXPECT_TRUE(VisibleInPane("durationLabel"));
    EXPECT_TRUE(VisibleInPane("versionLabel"));
}

TEST(PanelArtworkEmblems, ModCivilisationsHaveTheNeutralEmblemAndNoColourHasNone)
{
    korvale::test::EnsureApplication();
    EXPECT_EQ(EmblemIndex(2, 24), NeutralEmblem);
    EXPECT_FALSE(PanelArtwork::Emblem(NeutralEmblem).isNull());
    EXPECT_TRUE(PanelArtwork::Emblem(-1).isNull());
}
