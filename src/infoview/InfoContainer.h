#pragma once

#include "InfoPanelLayout.h"

#include <QWidget>

class AdvancedPage;
class GeneralPage;
class PlayerInfoPage;
class QListWidget;
class QTabWidget;
class QToolButton;
struct InfoLabels;

// The information pane: the information tabs ("基本信息", "扩展信息"), the player tab and the chat
// tab stacked in one column. The pages lie over the tab controls as the pane's own children; two
// triangle icons collapse the upper two tabs to strips so the chat gets the height.
class InfoContainer : public QWidget {
    Q_OBJECT

public:
    explicit InfoContainer(QWidget* parent = nullptr);

    // Every label back to its caption, the player page emptied, the chat list cleared. The map is
    // left as it is.
    void ResetInfo();

    void ShowLabels(const InfoLabels& labels);
    void ShowChat(const QStringList& lines);

    GeneralPage& GetGeneralPage() const { return *m_generalPage; }
    AdvancedPage& GetAdvancedPage() const { return *m_advancedPage; }
    PlayerInfoPage& PlayerPage() const { return *m_playerPage; }
    const InfoPanelLayout& PanelLayout() const { return m_layout; }

    // What a click on either triangle does.
    void ToggleCollapsed();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void CreateTabs();
    void CreatePages();
    void CreateCollapseIcons();
    void ShowInformationPages(InformationPages pages);
    void SetCollapseIcons(bool collapsed);

    InfoPanelLayout m_layout;
    QTabWidget* m_infoTabs = nullptr;
    QTabWidget* m_playerTabs = nullptr;
    QTabWidget* m_chatTabs = nullptr;
    QListWidget* m_chatList = nullptr;
    QToolButton* m_upperIcon = nullptr;
    QToolButton* m_lowerIcon = nullptr;
    GeneralPage* m_generalPage = nullptr;
    AdvancedPage* m_advancedPage = nullptr;
    PlayerInfoPage* m_playerPage = nullptr;
};
