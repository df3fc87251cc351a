#include "InfoContainer.h"

#include "MapContainer.h"
#include "TerrainPic.h"

#include "AdvancedPage.h"
#include "DialogUnits.h"
#include "GeneralPage.h"
#include "InfoText.h"
#include "PanelArtwork.h"
#include "PanelFonts.h"
#include "PlayerInfoPage.h"

#include <QListWidget>
#include <QResizeEvent>
#include <QTabWidget>
#include <QToolButton>

namespace {

constexpr QSize IconSize(16, 16);

QTabWidget* MakeTabs(QWidget* parent, const QString& name, const QRect& geometry, const QStringList& titles)
{
    auto* tabs = new QTabWidget(parent);
    tabs->setObjectName(name);
    tabs->setGeometry(geometry);
    // The tabs only frame the pages; the pages themselves are the pane's children laid on top.
    for (const QString& title : titles)
        tabs->addTab(new QWidget(tabs), title);
    return tabs;
}

QToolButton* MakeCollapseIcon(QWidget* parent, const QString& name, QPoint position)
{
    auto* icon = new QToolButton(parent);
    icon->setObjectName(name);
    icon->setGeometry({position, IconSize});
    icon->setAutoRaise(true);
    icon->setIconSize(IconSize);
    icon->setCursor(Qt::PointingHandCursor);
    return icon;
}

} // namespace

InfoContainer::InfoContainer(QWidget* parent)
    : QWidget(parent)
{
    PanelArtwork::Load();
    setFont(PanelFonts::Text());
    resize(DialogUnits::ToPixels(QSize(270, 450)));
    CreateTabs();
    CreatePages();
    CreateCollapseIcons();
    ResetInfo();
}

void InfoContainer::CreateTabs()
{
    m_infoTabs = MakeTabs(this, QStringLiteral("infoTabs"), DialogUnits::ToPixels(2, 2, 265, 177),
                          {QStringLiteral("基本信息"), QStringLiteral("扩展信息")});
    m_playerTabs = MakeTabs(this, QStringLiteral("playerTabs"), DialogUnits::ToPixels(1, 180, 265, 147),
                            {QStringLiteral("玩家信息")});
    m_chatTabs = MakeTabs(this, QStringLiteral("chatTabs"), DialogUnits::ToPixels(2, 329, 265, 119),
                          {QStringLiteral("聊天信息")});
    connect(m_infoTabs, &QTabWidget::currentChanged, this,
            [this](int index) { ShowInformationPages(m_layout.SelectTab(index == 0)); });

    m_chatList = new QListWidget(this);
    m_chatList->setObjectName(QStringLiteral("chatList"));
    m_chatList->setGeometry(DialogUnits::ToPixels(6, 344, 257, 98));
    m_chatList->setSortingEnabled(false);
    m_chatList->setUniformItemSizes(true);
}

void InfoContainer::CreatePages()
{
    m_generalPage = new GeneralPage(this);
    m_generalPage->setObjectName(QStringLiteral("generalPage"));
    m_generalPage->setGeometry(m_layout.InformationPageRect());

    m_advancedPage = new AdvancedPage(this);
    m_advancedPage->setObjectName(QStringLiteral("advancedPage"));
    m_advancedPage->setGeometry(m_layout.InformationPageRect());
    m_advancedPage->hide();

    m_playerPage = new PlayerInfoPage(this);
    m_playerPage->setObjectName(QStringLiteral("playerPage"));
    m_playerPage->setGeometry(m_layout.PlayerPageRect());
}

void InfoContainer::CreateCollapseIcons()
{
    m_upperIcon = MakeCollapseIcon(this, QStringLiteral("upperCollapseIcon"), DialogUnits::ToPixels(QPoint(253, 2)));
    m_lowerIcon = MakeCollapseIcon(this, QStringLiteral("lowerCollapseIcon"), DialogUnits::ToPixels(QPoint(253, 330)));
    connect(m_upperIcon, &QToolButton::clicked, this, &InfoContainer::ToggleCollapsed);
    connect(m_lowerIcon, &QToolButton::clicked, this, &InfoContainer::ToggleCollapsed);
    SetCollapseIcons(false);
}

void InfoContainer::SetCollapseIcons(bool collapsed)
{
    const QIcon icon = PanelArtwork::Triangle(!collapsed);
    // Without the artwork the buttons still need something to click on.
    const QString fallback = collapsed ? QStringLiteral("▼") : QStringLiteral("▲");
    for (QToolButton* button : {m_upperIcon, m_lowerIcon}) {
        button->setIcon(icon);
        button->setText(icon.isNull() ? fallback : QString());
        button->setToolButtonStyle(icon.isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonIconOnly);
        button->raise();
        button->update();
    }
}

void InfoContainer::ResetInfo()
{
    ShowLabels(InfoLabels::Captions());
    m_playerPage->Reset();
    m_chatList->clear();
    // A map left from the record before would pass for this one's.
    m_generalPage->GetMapContainer().Picture()->Clear();
}

void InfoContainer::ShowLabels(const InfoLabels& labels)
{
    m_advancedPage->SetLabels(labels);
    m_generalPage->SetObjectives(labels.objectives);
    m_generalPage->SetDuration(labels.duration);
    m_generalPage->SetVersion(labels.version);
}

void InfoContainer::ShowChat(const QStringList& lines)
{
    m_chatList->setUpdatesEnabled(false);
    m_chatList->addItems(lines);
    m_chatList->setUpdatesEnabled(true);
}

void InfoContainer::ShowInformationPages(InformationPages pages)
{
    // Inside its tab a page lets the tab's pane show through; over the collapsed strips it covers
    // the top of the chat, so it brings its own background there.
    for (QWidget* page : std::initializer_list<QWidget*>{m_generalPage, m_advancedPage})
        page->setAutoFillBackground(m_layout.Collapsed());
    m_generalPage->setVisible(pages.general);
    m_advancedPage->setVisible(pages.advanced);
}

void InfoContainer::ToggleCollapsed()
{
    const QRect chatTabs = m_chatTabs->geometry();
    const CollapseGeometry g = m_layout.ToggleCollapsed(chatTabs.y() + chatTabs.height());
    m_infoTabs->setGeometry(g.infoTabs);
    m_playerTabs->setGeometry(g.playerTabs);
    ShowInformationPages(g.pages);
    m_playerPage->setGeometry(g.playerPage);
    m_playerPage->setVisible(g.playerPageVisible);
    m_chatTabs->setGeometry(g.chatTabs);
    m_chatList->setGeometry(g.chatList);
    m_lowerIcon->setGeometry(g.lowerIcon);
    SetCollapseIcons(g.collapsed);
}

void InfoContainer::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const ChatGeometry g = InfoPanelLayout::ChatGeometryForHeight(event->size().height(), m_chatTabs->geometry());
    m_chatTabs->setGeometry(g.chatTabs);
    m_chatList->setGeometry(g.chatList);
}
