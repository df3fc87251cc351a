#include "InfoPanelLayout.h"

#include <gtest/gtest.h>

namespace {

// Bottom edge of the chat tab as the pane is first laid out.
constexpr int ChatBottom = 700;

} // namespace

TEST(InfoPanelLayout, StartsExpandedOnTheBasicTab)
{
    const InfoPanelLayout layout;
    EXPECT_EQ(layout.PagesTop(), 30);
    EXPECT_EQ(layout.PlayersTop(), 320);
    EXPECT_EQ(layout.ChatTop(), 560);
    EXPECT_TRUE(layout.BasicTabSelected());
    EXPECT_FALSE(layout.Collapsed());
    EXPECT_EQ(layout.InformationPageRect(), QRect(9, 30, 384, 255));
    EXPECT_EQ(layout.PlayerPageRect(), QRect(9, 320, 384, 205));
}

TEST(InfoPanelLayout, CollapsingShrinksTheUpperTabsToStripsAndRaisesTheChat)
{
    InfoPanelLayout layout;
    const CollapseGeometry g = layout.ToggleCollapsed(ChatBottom);
    EXPECT_TRUE(g.collapsed);
    EXPECT_EQ(layout.PlayersTop(), 67);
    EXPECT_EQ(layout.ChatTop(), 104);
    EXPECT_EQ(g.infoTabs, QRect(3, 3, 398, 35));
    EXPECT_EQ(g.playerTabs, QRect(3, 40, 398, 35));
    EXPECT_EQ(g.playerPage, QRect(9, 67, 384, 205));
    EXPECT_FALSE(g.playerPageVisible);
    EXPECT_FALSE(g.pages.general);
    EXPECT_FALSE(g.pages.advanced);
    EXPECT_EQ(g.chatTabs, QRect(3, 77, 398, ChatBottom - 77));
    EXPECT_EQ(g.chatList, QRect(9, 104, 385, ChatBottom - 6 - 104));
    EXPECT_EQ(g.lowerIcon, QRect(380, 81, 16, 16));
}

TEST(InfoPanelLayout, ExpandingRestoresTheTabsAndKeepsTheChatBottom)
{
    InfoPanelLayout layout;
    const CollapseGeometry collapsed = layout.ToggleCollapsed(ChatBottom);
    const int bottom = collapsed.chatTabs.y() + collapsed.chatTabs.height();
    const CollapseGeometry g = layout.ToggleCollapsed(bottom);
    EXPECT_FALSE(g.collapsed);
    EXPECT_EQ(layout.PlayersTop(), 320);
    EXPECT_EQ(layout.ChatTop(), 560);
    EXPECT_EQ(g.infoTabs, QRect(3, 3, 398, 290));
    EXPECT_EQ(g.playerTabs, QRect(3, 293, 398, 240));
    EXPECT_EQ(g.playerPage, QRect(9, 320, 384, 205));
    EXPECT_TRUE(g.playerPageVisible);
    EXPECT_TRUE(g.pages.general);
    EXPECT_FALSE(g.pages.advanced);
    EXPECT_EQ(g.chatTabs, QRect(3, 533, 398, ChatBottom - 533));
    EXPECT_EQ(g.chatList, QRect(9, 560, 385, ChatBottom - 6 - 560));
    EXPECT_EQ(g.lowerIcon, QRect(380, 537, 16, 16));
}

TEST(InfoPanelLayout, TabPickedWhileCollapsedShowsAtOnceAndStaysPickedOnExpanding)
{
    InfoPanelLayout layout;
    layout.ToggleCollapsed(ChatBottom);
    const InformationPages picked = layout.SelectTab(false);
    EXPECT_FALSE(picked.general);
    EXPECT_TRUE(picked.advanced);
    EXPECT_FALSE(layout.BasicTabSelected());
    EXPECT_EQ(layout.InformationPageRect(), QRect(9, 30, 384, 255));

    const CollapseGeometry expanded = layout.ToggleCollapsed(ChatBottom);
    EXPECT_FALSE(expanded.pages.general);
    EXPECT_TRUE(expanded.pages.advanced);

    const CollapseGeometry collapsedAgain = layout.ToggleCollapsed(ChatBottom);
    EXPECT_FALSE(collapsedAgain.pages.advanced);
}

TEST(InfoPanelLayout, ResizingStretchesTheChatTabToTenPixelsAboveTheBottom)
{
    const ChatGeometry g = InfoPanelLayout::ChatGeometryForHeight(704, QRect(3, 535, 398, 193));
    EXPECT_EQ(g.chatTabs, QRect(3, 535, 398, 159));
    EXPECT_EQ(g.chatList, QRect(9, 561, 385, 126));

    const ChatGeometry collapsed = InfoPanelLayout::ChatGeometryForHeight(900, QRect(3, 77, 398, 600));
    EXPECT_EQ(collapsed.chatTabs, QRect(3, 77, 398, 813));
    EXPECT_EQ(collapsed.chatList, QRect(9, 103, 385, 780));
}
