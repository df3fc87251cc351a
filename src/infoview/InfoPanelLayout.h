#pragma once

#include <QRect>

// Which information page is visible.
struct InformationPages {
    bool general = false;
    bool advanced = false;
};

// Everything that moves when the upper two tabs collapse or expand.
struct CollapseGeometry {
    bool collapsed = false;
    QRect infoTabs;
    QRect playerTabs;
    QRect playerPage;
    bool playerPageVisible = false;
    InformationPages pages;
    QRect chatTabs;
    QRect chatList;
    QRect lowerIcon;
};

// Where the chat tab and its list go when the pane's height changes.
struct ChatGeometry {
    QRect chatTabs;
    QRect chatList;
};

// The layout values of the information pane (pixels) and the rules that change them.
// The widgets apply what it returns; it never touches a widget itself.
class InfoPanelLayout {
public:
    int PagesTop() const { return m_pagesTop; }
    int PlayersTop() const { return m_playersTop; }
    int ChatTop() const { return m_chatTop; }
    bool BasicTabSelected() const { return m_basicTabSelected; }
    bool Collapsed() const { return m_collapsed; }

    // Where the general and the advanced page sit (the same place), and the player page.
    QRect InformationPageRect() const;
    QRect PlayerPageRect() const;

    // The user picked an information tab: its page shows, collapsed or not.
    InformationPages SelectTab(bool basic);

    // Collapses when expanded and expands when collapsed. The chat tab keeps the bottom edge it has now.
    CollapseGeometry ToggleCollapsed(int chatTabBottom);

    // The chat tab keeps its left, top and width and reaches down to 10 pixels above the bottom.
    static ChatGeometry ChatGeometryForHeight(int clientHeight, const QRect& chatTabs);

private:
    InformationPages SelectedPages() const;

    int m_pagesTop = 30;
    int m_playersTop = 320;
    int m_chatTop = 560;
    bool m_basicTabSelected = true;
    bool m_collapsed = false;
};
