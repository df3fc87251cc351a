#include "CommandCatalogue.h"

#include <algorithm>

namespace Commands {

namespace {

MenuEntry Item(int id, const QString& text = {}) { return {MenuEntry::Kind::Item, id, text, {}}; }
MenuEntry Separator() { return {MenuEntry::Kind::Separator, 0, {}, {}}; }
MenuEntry Submenu(const QString& title, std::vector<MenuEntry> children)
{
    return {MenuEntry::Kind::Submenu, 0, title, std::move(children)};
}

std::vector<Command> BuildTable()
{
    using O = Owner;
    return {
        {GoTo, QStringLiteral("转到"), {}, {}, O::Shell},
        {Up, {}, QStringLiteral("上一级文件夹"), {}, O::Shell},
        {Refresh, QStringLiteral("刷新(&R)\tF5"), QStringLiteral("刷新"), QStringLiteral("F5"), O::Shell},
        {View, {}, QStringLiteral("查看"), {}, O::DropDown},
        {MoveTo, QStringLiteral("移动到文件夹(&V)..."), QStringLiteral("移至"), {}, O::FileOps},
        {CopyTo, QStringLiteral("复制到文件夹(&F)..."), QStringLiteral("复制到"), {}, O::FileOps},
        {Delete, QStringLiteral("删除(&D)"), QStringLiteral("删除"), {}, O::FileOps},
        {Rename, QStringLiteral("重命名(&R)"), QStringLiteral("重命名"), {}, O::FileOps},
        {Launch, {}, QStringLiteral("启动帝国"), {}, O::DropDown},
        {Pack, QStringLiteral("压缩(&Z)..."), QStringLiteral("压缩"), {}, O::FileOps},
        {Unpack, QStringLiteral("解压缩(&U)..."), QStringLiteral("解压缩"), {}, O::FileOps},
        {RenameByTemplate, QStringLiteral("按模板重命名..."), QStringLiteral("按模板重命名选中的记录"), {}, O::FileOps},
        {UndoRename, QStringLiteral("撤销重命名"), QStringLiteral("撤销上一次按模板重命名"), {}, O::FileOps},
        {ContextCopyTo, QStringLiteral("复制到(&C)..."), {}, {}, O::FileOps},
        {ContextMoveTo, QStringLiteral("移动到(&M)..."), {}, {}, O::FileOps},
        {LaunchA, QStringLiteral("启动A版(&A)"), {}, {}, O::Launcher},
        {LaunchC, QStringLiteral("启动C版(&C)"), {}, {}, O::Launcher},
        {OpenFolder, {}, QStringLiteral("打开文件夹"), {}, O::Shell},
        {GoToSaveGameFolder, QStringLiteral("SaveGame目录(&S)"), QStringLiteral("切换到SaveGame文件夹"), {}, O::Shell},
        {GoToDesktop, QStringLiteral("桌面(&E)"), {}, {}, O::Shell},
        {GoToComputer, QStringLiteral("我的电脑(&M)"), {}, {}, O::Shell},
        {SortByName, QStringLiteral("按名称"), QStringLiteral("按文件名称排序"), {}, O::List},
        {SortBySize, QStringLiteral("按大小"), QStringLiteral("按文件大小排序"), {}, O::List},
        {SortByTime, QStringLiteral("按修改时间"), QStringLiteral("按修改时间排序"), {}, O::List},
        {InvertSelection, QStringLiteral("反向选择(&I)"), QStringLiteral("反选"), {}, O::List},
        {Options, QStringLiteral("选项(&S)..."), {}, {}, O::Settings},
        {EditClear, QStringLiteral("删除(&D)"), {}, {}, O::TextField},
        {EditCopy, QStringLiteral("复制(&C)"), {}, {}, O::TextField},
        {EditCut, QStringLiteral("剪切(&T)"), {}, {}, O::TextField},
        {EditPaste, QStringLiteral("粘贴(&P)"), {}, {}, O::TextField},
        {SelectAll, QStringLiteral("全部选中(&A)\tCtrl+A"), QStringLiteral("选定整个文档\n全选"), QStringLiteral("Ctrl+A"), O::List},
        {About, QStringLiteral("关于本软件(&A)..."), QStringLiteral("显示程序信息、版本号和版权\n关于"), {}, O::Shell},
        {Exit, QStringLiteral("退出(&X)"), QStringLiteral("退出"), {}, O::Shell},
        {Help, QStringLiteral("帮助手册(&H)\tF1"), QStringLiteral("显示本软件的帮助文档"), QStringLiteral("F1"), O::Shell},
        {ToggleToolBar, QStringLiteral("工具栏(&T)"), QStringLiteral("显示或隐藏工具栏\n切换工具栏"), {}, O::Shell},
        {ToggleStatusBar, QStringLiteral("状态栏(&S)"), QStringLiteral("显示或隐藏状态栏\n切换状态栏"), {}, O::Shell},
        {ListView, QStringLiteral("列表(&L)"), QStringLiteral("列表"), {}, O::List},
        {DetailsView, QStringLiteral("详细信息(&D)"), QStringLiteral("详细信息"), {}, O::List},
    };
}

} // namespace

const std::vector<Command>& All()
{
    static const std::vector<Command> table = BuildTable();
    return table;
}

const Command* Find(int id)
{
    const auto& table = All();
    const auto found = std::find_if(table.begin(), table.end(), [id](const Command& c) { return c.id == id; });
    return found == table.end() ? nullptr : &*found;
}

QString StatusPrompt(const QString& prompt) { return prompt.section(QLatin1Char('\n'), 0, 0); }

std::vector<MenuLayout> MainMenus()
{
    return {
        {QStringLiteral("文件(&F)"), {Separator(), Item(Exit)}},
        {QStringLiteral("操作(&O)"),
         {Item(MoveTo), Item(CopyTo), Separator(), Item(Delete), Item(Rename), Separator(), Item(Pack),
          Item(Unpack), Separator(), Item(SelectAll), Item(InvertSelection), Separator(), Item(RenameByTemplate),
          Item(UndoRename)}},
        {QStringLiteral("视图(&V)"),
         {Item(ListView), Item(DetailsView), Separator(),
          Submenu(QStringLiteral("排列图标"), {Item(SortByName), Item(SortBySize), Item(SortByTime)}),
          Separator(), Item(Refresh), Separator(), Item(ToggleStatusBar)}},
        {QStringLiteral("设置(&C)"), {Item(Options)}},
        {QStringLiteral("帮助(&H)"), {Item(Help), Separator(), Item(About)}},
    };
}

std::vector<MenuEntry> LaunchMenu() { return {Item(LaunchA), Item(LaunchC)}; }

std::vector<MenuEntry> ViewMenu() { return {Item(ListView), Item(DetailsView)}; }

std::vector<MenuEntry> ListContextMenu()
{
    return {Item(ContextMoveTo), Item(ContextCopyTo), Separator(), Item(Rename), Item(Delete), Separator(),
            Item(Pack, QStringLiteral("压缩(&A)...")), Item(Unpack, QStringLiteral("解压缩(&X)...")), Separator(),
            Item(RenameByTemplate)};
}

std::vector<MenuEntry> TextFieldMenu()
{
    return {Item(EditCut), Item(EditCopy), Item(EditPaste), Item(EditClear), Separator(),
            Item(GoToSaveGameFolder), Item(GoToDesktop), Item(GoToComputer)};
}

std::vector<int> MainToolBarButtons()
{
    return {OpenFolder, GoToSaveGameFolder, 0, MoveTo, CopyTo, Delete, Rename, 0, Pack, Unpack, 0, Launch};
}

std::vector<int> AddressBarButtons() { return {PathHolder, GoTo, Up, Refresh, View}; }

} // namespace Commands
