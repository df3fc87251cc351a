#include "CMainFrame.h"
#include "CommandCatalogue.h"
#include "CommandLine.h"
#include "CommandTable.h"
#include "LibraryIndex.h"
#include "LibrarySearch.h"
#include "MgxListView.h"
#include "ListNavigation.h"
#include "ListColumns.h"
#include "MgxListViewDoc.h"
#include "ProcessRunner.h"
#include "RecordingProcessRunner.h"
#include "RecordListAssembly.h"
#include "RecordListModel.h"
#include "RecordWriter.h"
#include "SampleRecords.h"
#include "ScriptedPrompt.h"
#include "SettingsFile.h"
#include "ShellTestSupport.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFile>
#include <QCheckBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QTreeView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

// The main window with the real record list in it, over a folder of the sample records named as
// the SaveGame folder by a config.ini of its own.
class RecordListAssemblyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureShellApplication();
        ASSERT_TRUE(folder.isValid());
        records = folder.filePath(QStringLiteral("SaveGame"));
        ASSERT_TRUE(QDir().mkpath(records));
        for (const Mgx::SampleRecord& sample : Mgx::SampleRecords())
            Mgx::RecordWriter(sample.blueprint).WriteFile((records + '/' + QString::fromStdString(sample.fileName)).toStdString());
        configPath = folder.filePath(QStringLiteral("config.ini"));
        ASSERT_TRUE(SaveConfigIni(configPath, GameSettings{records, {}, QStringLiteral("/nowhere/age2_x1.exe"), {}}));
    }

    void Build(const StartRequest& request = {})
    {
        frame = std::make_unique<CMainFrame>(table, prompt, document);
        assembly = std::make_unique<RecordListAssembly>(prompt, runner, configPath);
        assembly->SetLibraryPath(folder.filePath(QStringLiteral("cache/library.sqlite")));
        assembly->Build(*frame, table, request);
        list = assembly->List();
    }

    int RowOf(const QString& name) const
    {
        for (int row = 0; row < list->RowCount(); ++row)
            if (list->ItemText(row) == name)
                return row;
        return -1;
    }

    void Select(int row)
    {
        QAbstractItemView* view = list->ActiveView();
        view->selectionModel()->select(list->Model().index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    QTemporaryDir folder;
    QString records;
    QString configPath;
    ScriptedPrompt prompt;
    RecordingProcessRunner runner;
    CommandTable table;
    MgxListViewDoc document;
    std::unique_ptr<CMainFrame> frame;
    std::unique_ptr<RecordListAssembly> assembly;
    MgxListView* list = nullptr;
};

} // namespace

TEST_F(RecordListAssemblyTest, EveryCommandOfTheTableReachesAHandlerAndTheListStartsOnTheSaveGameFolder)
{
    Build();
    for (const Commands::Command& command : Commands::All()) {
        if (command.owner != Commands::Owner::DropDown) {
            EXPECT_TRUE(table.HasHandler(command.id)) << command.id;
        }
    }
    EXPECT_EQ(frame->RecordList(), list);
    EXPECT_EQ(QDir(list->Navigation().CurrentFolder()), QDir(records));
    EXPECT_EQ(list->RowCount(), int(Mgx::SampleRecords().size()));
}

TEST_F(RecordListAssemblyTest, ViewAndSortCommandsActOnTheListAndTheViewMarkFollows)
{
    Build();
    ASSERT_TRUE(list->IsReportView());
    QMenu* menu = table.BuildMenu({}, Commands::ViewMenu(), frame.get());
    ASSERT_EQ(menu->actions().size(), 2);
    QAction* plain = menu->actions()[0];
    QAction* details = menu->actions()[1];
    EXPECT_TRUE(details->isChecked());
    EXPECT_TRUE(table.Trigger(Commands::ListView));
    EXPECT_FALSE(list->IsReportView());
    Q_EMIT menu->aboutToShow();
    EXPECT_TRUE(plain->isChecked());
    EXPECT_FALSE(details->isChecked());
    table.Trigger(Commands::DetailsView);
    EXPECT_TRUE(list->IsReportView());

    const QString first = list->ItemText(0);
    table.Trigger(Commands::SortByName);
    EXPECT_NE(list->ItemText(0), first) << "a second sort by name turns the order around";
    table.Trigger(Commands::SelectAll);
    EXPECT_EQ(list->SelectedRows().size(), list->RowCount());
    table.Trigger(Commands::InvertSelection);
    EXPECT_TRUE(list->SelectedRows().isEmpty());
}

TEST_F(RecordListAssemblyTest, TheContextMenuIsTheCommandTablesAndItsDeleteRemovesTheFile)
{
    Build();
    const int row = RowOf(QStringLiteral("1v1_arabia.mgx"));
    ASSERT_GE(row, 0);
    Select(row);
    ASSERT_TRUE(list->ShowContextMenu(frame->mapToGlobal(QPoint(10, 10))));
    auto* menu = frame->findChild<QMenu*>(QStringLiteral("listContextMenu"));
    ASSERT_NE(menu, nullptr);
    QStringList texts;
    for (const QAction* action : menu->actions())
        if (!action->isSeparator())
            texts << action->text();
    EXPECT_EQ(texts, (QStringList{"移动到(&M)...", "复制到(&C)...", "重命名(&R)", "删除(&D)", "压缩(&A)...", "解压缩(&X)...", "按模板重命名..."}));
    menu->close();

    prompt.AnswerNext(true);
    Q_EMIT list->CommandRequested(Commands::Delete); // the list's Delete key
    EXPECT_EQ(prompt.Questions(), QStringList{"确定删除\"1v1_arabia.mgx\"？\n"});
    EXPECT_FALSE(QFile::exists(records + QStringLiteral("/1v1_arabia.mgx")));
    EXPECT_EQ(RowOf(QStringLiteral("1v1_arabia.mgx")), -1);
}

TEST_F(RecordListAssemblyTest, ARecordOnTheCommandLineIsListedInItsFolderAndShown)
{
    QTemporaryDir elsewhere;
    const QString path = elsewhere.filePath(QStringLiteral("copy.mgx"));
    ASSERT_TRUE(QFile::copy(records + QStringLiteral("/4v4_chat_ageups.mgx"), path));
    Build(InterpretCommandLine({path}, QDir::currentPath()));
    EXPECT_EQ(QDir(list->Navigation().CurrentFolder()), QDir(elsewhere.path()));
    ASSERT_NE(list->CurrentRecord(), nullptr);
    EXPECT_EQ(list->SelectedRows(), QList<int>{RowOf(QStringLiteral("copy.mgx"))});
}

TEST_F(RecordListAssemblyTest, LaunchingAVersionWithoutExecutableWarnsAndAMissingOneIsSaidInABox)
{
    Build();
    EXPECT_TRUE(table.Trigger(Commands::LaunchA));
    ASSERT_EQ(prompt.Messages().size(), 1);
    EXPECT_EQ(prompt.Messages()[0].title, "提示");
    EXPECT_EQ(prompt.Messages()[0].text, "未设置此版本的帝国游戏路径，帝国时代程序无法启动！");

    EXPECT_TRUE(table.Trigger(Commands::LaunchC));
    EXPECT_TRUE(runner.detached.isEmpty()) << "a missing executable is not started through wine";
    EXPECT_TRUE(frame->statusBar()->currentMessage().contains(QStringLiteral("/nowhere/age2_x1.exe")));
    ASSERT_EQ(prompt.Messages().size(), 2);
    EXPECT_EQ(prompt.Messages()[1].kind, UserPrompt::MessageKind::Error);
    EXPECT_TRUE(prompt.Messages()[1].text.contains(QStringLiteral("/nowhere/age2_x1.exe")));
}

// With no search in force the status bar counts the listed entries and the selection.
TEST_F(RecordListAssemblyTest, TheStatusBarCountsTheEntriesAndTheSelection)
{
    Build();
    const int rows = list->RowCount();
    ASSERT_GT(rows, 1);
    table.Trigger(Commands::SelectAll);
    EXPECT_EQ(frame->statusBar()->currentMessage(), QStringLiteral("%1 个对象，已选 %1 个").arg(rows));
    list->ReportView()->clearSelection();
    EXPECT_EQ(frame->statusBar()->currentMessage(), QStringLiteral("%1 个对象").arg(rows));
}

// Typing in the search field narrows the list to the records whose players match, keeps the
// folders, counts "N / M" in the status bar, and clearing it gives the plain list back.
TEST_F(RecordListAssemblyTest, TheSearchFieldFiltersTheListedRecords)
{
    ASSERT_TRUE(QDir().mkpath(records + "/zz-folder"));
    Build();
    ASSERT_EQ(assembly->SearchField()->placeholderText(), QStringLiteral("搜索玩家、文明、地图、聊天"));
    EXPECT_EQ(assembly->SubfolderToggle()->text(), QStringLiteral("包括子文件夹"));
    LibrarySearch* search = assembly->GetLibrarySearch();
    ASSERT_TRUE(search->Indexer().WaitForDone(30000));
    QCoreApplication::processEvents();
    const int plainRows = list->RowCount();

    LibraryIndex index(folder.filePath(QStringLiteral("cache/library.sqlite")));
    const QList<LibrarySummary> summaries = index.SummariesUnder(records, false);
    ASSERT_GE(summaries.size(), 2);
    const auto withPlayers = std::find_if(summaries.cbegin(), summaries.cend(), [](const LibrarySummary& summary) { return !summary.players.isEmpty(); });
    ASSERT_NE(withPlayers, summaries.cend());
    const LibrarySummary& wanted = *withPlayers;
    const QString name = wanted.players.front().name;
    int expected = 0;
    for (const LibrarySummary& summary : summaries)
        for (const LibraryPlayer& player : summary.players)
            if (player.name.contains(name, Qt::CaseInsensitive)) {
                ++expected;
                break;
            }

    assembly->SearchField()->setText(name.toUpper());
    EXPECT_TRUE(list->Model().IsFiltered());
    EXPECT_NE(RowOf(QFileInfo(wanted.path).fileName()), -1);
    EXPECT_NE(RowOf(QStringLiteral("zz-folder")), -1) << "folders stay";
    EXPECT_EQ(list->Model().ShownFileCount(), expected);
    EXPECT_EQ(frame->statusBar()->currentMessage(), LibrarySearch::FilterStatusText(expected, static_cast<int>(summaries.size())));

    assembly->SearchField()->setText(QStringLiteral("no player is called this"));
    EXPECT_EQ(list->RowCount(), 1);

    assembly->SearchField()->clear();
    EXPECT_FALSE(list->Model().IsFiltered());
    EXPECT_EQ(list->RowCount(), plainRows);
    EXPECT_FALSE(frame->statusBar()->currentMessage().contains(QStringLiteral(" / "))) << "the count goes with the filter";
}

// A game finished while a query is in force: the list takes the folder in again, the query stays
// in force over it, and the new record shows once it is indexed, if it matches.
TEST_F(RecordListAssemblyTest, AChangeOnDiskKeepsTheSearchInForce)
{
    Build();
    LibrarySearch* search = assembly->GetLibrarySearch();
    ASSERT_TRUE(search->Indexer().WaitForDone(30000));
    QCoreApplication::processEvents();
    const QList<LibrarySummary> summaries = LibraryIndex(folder.filePath(QStringLiteral("cache/library.sqlite"))).SummariesUnder(records, false);
    const auto withPlayers = std::find_if(summaries.cbegin(), summaries.cend(), [](const LibrarySummary& summary) { return !summary.players.isEmpty(); });
    ASSERT_NE(withPlayers, summaries.cend());
    const LibrarySummary first = *withPlayers;
    const QString name = first.players.front().name;
    assembly->SearchField()->setText(name);
    const int matching = list->Model().ShownFileCount();
    ASSERT_GE(matching, 1);

    ASSERT_TRUE(QFile::copy(first.path, records + QStringLiteral("/zz-again.mgx")));
    list->Navigation().KeepUp();
    EXPECT_TRUE(list->Model().IsFiltered()) << "the change on disk does not end the search";
    ASSERT_TRUE(search->Indexer().WaitForDone(30000));
    QCoreApplication::processEvents();
    EXPECT_EQ(list->Model().ShownFileCount(), matching + 1);
    EXPECT_NE(RowOf(QStringLiteral("zz-again.mgx")), -1);
    EXPECT_EQ(frame->statusBar()->currentMessage(), LibrarySearch::FilterStatusText(matching + 1, static_cast<int>(
        LibraryIndex(folder.filePath(QStringLiteral("cache/library.sqlite"))).PathsUnder(records, false).size())));
}

// The index's summaries reach the extra columns of the listed records by themselves.
TEST_F(RecordListAssemblyTest, TheIndexFillsTheExtraColumns)
{
    Build();
    ASSERT_TRUE(assembly->GetLibrarySearch()->Indexer().WaitForDone(30000));
    QCoreApplication::processEvents();
    ASSERT_GT(list->RowCount(), 0);
    for (int row = 0; row < list->RowCount(); ++row) {
        const MgxListItem& item = list->Item(row);
        if (item.kind != MgxItemKind::Record)
            continue;
        EXPECT_NE(item.columns.state, LibraryColumnValues::State::Missing) << item.name.toStdString();
        if (item.columns.state == LibraryColumnValues::State::Read) {
            EXPECT_FALSE(list->Model().index(row, LibraryColumns::Duration).data().toString().isEmpty());
        }
    }
}
