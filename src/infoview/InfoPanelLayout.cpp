#include "InfoPanelLayout.h"

namespace {

constexpr int TabLeft = 3;
constexpr int TabWidth = 398;
// A tab control starts this far above the page or list it frames, leaving room for its tab row.
constexpr int TabRowHeight = 27;
// Height of a collapsed tab: the tab row and a sliver of its frame.
constexpr int StripHeight = 35;
constexpr int PageLeft = 9;
constexpr int PageWidth = 384;

} // namespace

QRect InfoPanelLayout::InformationPageRect() const { return {PageLeft, m_pagesTop, PageWidth, 255}; }

QRect InfoPanelLayout::PlayerPageRect() const { return {PageLeft, m_playersTop, PageWidth, 205}; }

InformationPages InfoPanelLayout::SelectTab(bool basic)
{
    m_basicTabSelected = basic;
    return SelectedPages();
}

InformationPages InfoPanelLayout::SelectedPages() const { return {m_basicTabSelected, !m_basicTabSelected}; }

CollapseGeometry InfoPanelLayout::ToggleCollapsed(int chatTabBottom)
{
    m_collapsed = !m_collapsed;
    CollapseGeometry g;
    g.collapsed = m_collapsed;
    m_playersTop = m_pagesTop + (m_collapsed ? 37 : 290);
    m_chatTop = m_playersTop + (m_collapsed ? 37 : 240);
    g.pages = m_collapsed ? InformationPages{} : SelectedPages();
    g.infoTabs = {TabLeft, m_pagesTop - TabRowHeight, TabWidth, m_collapsed ? StripHeight : 290};
    g.playerTabs = {TabLeft, m_playersTop - TabRowHeight, TabWidth, m_collapsed ? StripHeight : 240};
    g.playerPage = PlayerPageRect();
    g.playerPageVisible = !m_collapsed;

    const int chatTabTop = m_chatTop - TabRowHeight;
    g.chatTabs = {TabLeft, chatTabTop, TabWidth, chatTabBottom - chatTabTop};
    g.chatList = {PageLeft, m_chatTop, 385, chatTabBottom - 6 - m_chatTop};
    g.lowerIcon = {380, m_chatTop - 23, 16, 16};
    return g;
}

ChatGeometry InfoPanelLayout::ChatGeometryForHeight(int clientHeight, const QRect& chatTabs)
{
    ChatGeometry g;
    g.chatTabs = {chatTabs.x(), chatTabs.y(), chatTabs.width(), clientHeight - chatTabs.y() - 10};
    g.chatList = {chatTabs.x() + 6, chatTabs.y() + 26, chatTabs.width() - 13, clientHeight - chatTabs.y() - 43};
    return g;
}
