#include "AddressBar.h"
#include "CMainFrame.h"
#include "CommandCatalogue.h"
#include "CommandTable.h"
#include "MgxListViewDoc.h"
#include "ScriptedPrompt.h"
#include "ShellTestSupport.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <set>

namespace {

// The ids every menu, toolbar and context menu uses.
std::set<int> PlacedIds()
{
    std::set<int> ids;
    std::function<void(const std::vector<Commands::MenuEntry>&)> collect = [&](const auto& entries) {
        for (const Commands::MenuEntry& entry : entries) {
            if (entry.kind == Commands::MenuEntry::Kind::Item)
                ids.insert(entry.id);
            collect(entry.children);
        }
    };
    for (const Commands::MenuLayout& menu : Commands::MainMenus())
        collect(menu.entries);
    for (const auto& menu : {Commands::LaunchMenu(), Commands::ViewMenu(), Commands::ListContextMenu(),
                             Commands::TextFieldMenu()})
        collect(menu);
    for (const int id : Commands::MainToolBarButtons())
        ids.insert(id);
    for (const int id : Commands::AddressBarButtons())
        ids.insert(id);
    ids.erase(0);
    ids.erase(Commands::PathHolder);
    return ids;
}

QStringList Texts(const QMenu* menu)
{
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("—") : action->text());
    return texts;
}

class ShellCommandTable : public ::testing::Test {
protected:
    void SetUp() override { EnsureShellApplication(); }
};

} // namespace

TEST_F(ShellCommandTable, IdsAreUniqueAndEveryPlacedIdHasARow)
{
    std::set<int> seen;
    for (const Commands::Command& command : Commands::All())
        EXPECT_TRUE(seen.insert(command.id).second) << command.id;
    for (const int id : PlacedIds())
        EXPECT_NE(Commands::Find(id), nullptr) << id;
    EXPECT_EQ(Commands::Find(12345), nullptr);
}

TEST_F(ShellCommandTable, EveryIdReachesAHandlerOnceThePartsHaveRegistered)
{
    ScriptedPrompt prompt;
    CommandTable table;
    MgxListViewDoc document;
    CMainFrame frame(table, prompt, document);
    std::vector<int> reached;
    // What the list, the file commands, the settings and the launcher register at integration.
    for (const Commands::Command& command : Commands::All()) {
        const auto owner = command.owner;
        if (owner == Commands::Owner::List || owner == Commands::Owner::FileOps
            || owner == Commands::Owner::Settings || owner == Commands::Owner::Launcher)
            table.RegisterHandler(command.id, [&reached, id = command.id] { reached.push_back(id); });
    }
    for (const Commands::Command& command : Commands::All()) {
        if (command.owner == Commands::Owner::DropDown)
            EXPECT_FALSE(table.HasHandler(command.id)) << "a drop-down's body does nothing: " << command.id;
        else
            EXPECT_TRUE(table.HasHandler(command.id)) << command.id;
    }
    // The drop-downs' arrows open their menus.
    auto* launch = frame.findChild<QToolButton*>(QStringLiteral("command32806"));
    ASSERT_NE(launch, nullptr);
    ASSERT_NE(launch->menu(), nullptr);
    EXPECT_EQ(launch->popupMode(), QToolButton::MenuButtonPopup);
    EXPECT_EQ(Texts(launch->menu()), (QStringList{"启动A版(&A)", "启动C版(&C)"}));
    auto* view = frame.findChild<QToolButton*>(QStringLiteral("command32801"));
    ASSERT_NE(view, nullptr);
    ASSERT_NE(view->menu(), nullptr);
    EXPECT_EQ(Texts(view->menu()), (QStringList{"列表(&L)", "详细信息(&D)"}));

    EXPECT_TRUE(table.Trigger(Commands::ContextMoveTo));
    EXPECT_TRUE(table.Trigger(Commands::LaunchC));
    EXPECT_FALSE(table.Trigger(Commands::Launch));
    EXPECT_EQ(reached, (std::vector<int>{Commands::ContextMoveTo, Commands::LaunchC}));
}

TEST_F(ShellCommandTable, MainMenusShowTheirTextsInOrder)
{
    ScriptedPrompt prompt;
    CommandTable table;
    MgxListViewDoc document;
    CMainFrame frame(table, prompt, document);
    const QList<QAction*> menus = frame.menuBar()->actions();
    ASSERT_EQ(menus.size(), 5);
    const QStringList titles{"文件(&F)", "操作(&O)", "视图(&V)", "设置(&C)", "帮助(&H)"};
    const std::vector<QStringList> items{
        {"—", "退出(&X)"},
        {"移动到文件夹(&V)...", "复制到文件夹(&F)...", "—", "删除(&D)", "重命名(&R)", "—", "压缩(&Z)...",
         "解压缩(&U)...", "—", "全部选中(&A)\tCtrl+A", "反向选择(&I)", "—", "按模板重命名...", "撤销重命名"},
        {"列表(&L)", "详细信息(&D)", "—", "排列图标", "—", "刷新(&R)\tF5", "—", "状态栏(&S)"},
        {"选项(&S)..."},
        {"帮助手册(&H)\tF1", "—", "关于本软件(&A)..."},
    };
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(menus[i]->text(), titles[i]);
        EXPECT_EQ(Texts(menus[i]->menu()), items[i]) << qPrintable(titles[i]);
    }
    const QMenu* arrange = menus[2]->menu()->actions()[3]->menu();
    ASSERT_NE(arrange, nullptr);
    EXPECT_EQ(Texts(arrange), (QStringList{"按名称", "按大小", "按修改时间"}));
}

TEST_F(ShellCommandTable, ToolbarsHoldTheButtonsInOrderWithPromptsAsTooltips)
{
    ScriptedPrompt prompt;
    CommandTable table;
    MgxListViewDoc document;
    CMainFrame frame(table, prompt, document);
    QStringList tips;
    for (const QAction* action : frame.MainToolBar()->actions())
        tips << (action->isSeparator() ? QStringLiteral("|") : action->toolTip());
    EXPECT_EQ(tips, (QStringList{"打开文件夹", "切换到SaveGame文件夹", "|", "移至", "复制到", "删除", "重命名", "|",
                                 "压缩", "解压缩", "|", "启动帝国"}));
    for (const QAction* action : frame.MainToolBar()->actions())
        EXPECT_TRUE(action->isSeparator() || !action->icon().isNull());
    auto* goTo = frame.findChild<QToolButton*>(QStringLiteral("command108"));
    ASSERT_NE(goTo, nullptr);
    EXPECT_EQ(goTo->text(), "转到");
    EXPECT_EQ(goTo->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
}

TEST_F(ShellCommandTable, PromptsUseThePartBeforeTheLineBreak)
{
    CommandTable table;
    QObject owner;
    QAction* selectAll = table.CreateAction(Commands::SelectAll, &owner, {}, CommandTable::WithShortcut);
    EXPECT_EQ(selectAll->statusTip(), "选定整个文档");
    EXPECT_EQ(selectAll->toolTip(), "选定整个文档");
    EXPECT_EQ(selectAll->shortcut(), QKeySequence(QStringLiteral("Ctrl+A")));
    QAction* refresh = table.CreateAction(Commands::Refresh, &owner);
    EXPECT_TRUE(refresh->shortcut().isEmpty()) << "a key is bound once, by the main menu";
    QAction* options = table.CreateAction(Commands::Options, &owner);
    EXPECT_TRUE(options->statusTip().isEmpty());
}

TEST_F(ShellCommandTable, MarksAndEnabledStatesAreReadWhenAMenuOpens)
{
    CommandTable table;
    bool listView = false;
    bool enabled = true;
    table.RegisterCheckedState(Commands::ListView, [&] { return listView; });
    table.RegisterCheckedState(Commands::DetailsView, [&] { return !listView; });
    table.RegisterEnabledState(Commands::DetailsView, [&] { return enabled; });
    int switched = 0;
    table.RegisterHandler(Commands::DetailsView, [&] { ++switched; });
    QWidget parent;
    QMenu* menu = table.BuildMenu({}, Commands::ViewMenu(), &parent);
    EXPECT_TRUE(menu->actions()[1]->isChecked());
    listView = true;
    enabled = false;
    table.RefreshMenu(menu);
    EXPECT_TRUE(menu->actions()[0]->isChecked());
    EXPECT_FALSE(menu->actions()[1]->isChecked());
    EXPECT_FALSE(menu->actions()[1]->isEnabled());
    EXPECT_FALSE(table.Trigger(Commands::DetailsView)) << "a disabled command does not run";
    EXPECT_EQ(switched, 0);
}

TEST_F(ShellCommandTable, ContextMenusShowTheirOwnTexts)
{
    CommandTable table;
    QWidget parent;
    QMenu* list = table.BuildMenu({}, Commands::ListContextMenu(), &parent);
    EXPECT_EQ(Texts(list), (QStringList{"移动到(&M)...", "复制到(&C)...", "—", "重命名(&R)", "删除(&D)", "—",
                                         "压缩(&A)...", "解压缩(&X)...", "—", "按模板重命名..."}));
    QMenu* field = table.BuildMenu({}, Commands::TextFieldMenu(), &parent, CommandTable::WithoutPrompt);
    EXPECT_EQ(Texts(field), (QStringList{"剪切(&T)", "复制(&C)", "粘贴(&P)", "删除(&D)", "—", "SaveGame目录(&S)",
                                          "桌面(&E)", "我的电脑(&M)"}));
    for (const QAction* action : field->actions())
        EXPECT_TRUE(action->statusTip().isEmpty()) << qPrintable(action->text());
}
