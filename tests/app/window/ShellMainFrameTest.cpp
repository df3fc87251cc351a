#include "AddressBar.h"
#include "CMainFrame.h"
#include "HelpWindow.h"
#include "CommandTable.h"
#include "KeyLockState.h"
#include "ListNavigation.h"
#include "MgxInfoDlgBar.h"
#include "MgxListViewDoc.h"
#include "PathCombo.h"
#include "PathComboEdit.h"
#include "RecordListModel.h"
#include "ScriptedPrompt.h"
#include "ShellTestSupport.h"
#include "SwitchSplitter.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTextBrowser>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

class ShellMainFrame : public ::testing::Test {
protected:
    // The list's model, a member, needs the application before the fixture is built.
    static void SetUpTestSuite() { EnsureShellApplication(); }

    void SetUp() override
    {
        EnsureShellApplication();
        ASSERT_TRUE(root.isValid());
        desktop = root.filePath(QStringLiteral("Desktop"));
        volume = root.filePath(QStringLiteral("volume"));
        ASSERT_TRUE(QDir().mkpath(desktop + QStringLiteral("/games")));
        ASSERT_TRUE(QDir().mkpath(volume + QStringLiteral("/records/2026")));
        frame = std::make_unique<CMainFrame>(table, prompt, document);
        frame->SetRecordList(list = new QWidget);
        list->setObjectName(QStringLiteral("testList"));
        list->setFocusPolicy(Qt::StrongFocus);
        frame->SetNavigation(&navigation);
        QObject::connect(&navigation, &ListNavigation::FolderListed, [this](const QString& folder) {
            target.events.emplace_back(int(NavigationEvent::ListFolder), QDir::fromNativeSeparators(folder));
        });
        Combo().SetFixedEntries(PathEntries::FixedEntries(
            desktop, {QStringLiteral("games")},
            {{QStringLiteral("/"), {}, false}, {volume, QStringLiteral("卷"), true}}));
    }

    PathCombo& Combo() { return frame->GetAddressBar().GetPathCombo(); }

    // Navigates and lets the posted SelectFolder arrive.
    void Go(const QString& folder)
    {
        ASSERT_TRUE(navigation.NavigateTo(folder)) << qPrintable(folder);
        QCoreApplication::sendPostedEvents();
    }

    QStringList ShownNames()
    {
        QStringList names;
        for (int i = 0; i < Combo().count(); ++i)
            names << Combo().itemText(i);
        return names;
    }

    QTemporaryDir root;
    QString desktop;
    QString volume;
    ScriptedPrompt prompt;
    CommandTable table;
    MgxListViewDoc document;
    // The folders listed, in turn.
    struct {
        std::vector<std::pair<int, QString>> events;
    } target;
    RecordListModel model;
    ListNavigation navigation{model};
    std::unique_ptr<CMainFrame> frame;
    QWidget* list = nullptr;
};

// The help page beside the program, where an installed or built Korvale keeps it: a stand-in page is
// written there for the test when none exists, and removed again at the end.
class HelpPageBesideProgram {
public:
    HelpPageBesideProgram()
        : m_folder(QCoreApplication::applicationDirPath() + QStringLiteral("/help"))
        , m_page(m_folder + QStringLiteral("/Korvale.html"))
        , m_madeHere(!QFile::exists(m_page))
    {
        QDir().mkpath(m_folder);
        QFile file(m_page);
        if (m_madeHere && file.open(QIODevice::WriteOnly))
            file.write("<html><head><title>Korvale</title></head><body><h1>Korvale 帮助</h1></body></html>");
    }
    ~HelpPageBesideProgram()
    {
        if (m_madeHere) {
            QFile::remove(m_page);
            QDir().rmdir(m_folder);
        }
    }
    HelpPageBesideProgram(const HelpPageBesideProgram&) = delete;
    HelpPageBesideProgram& operator=(const HelpPageBesideProgram&) = delete;
    const QString& Path() const { return m_page; }

private:
    QString m_folder;
    QString m_page;
    bool m_madeHere;
};

} // namespace

TEST_F(ShellMainFrame, CaptionNamesTheUntitledDocumentThenTheProgram)
{
    EXPECT_EQ(frame->windowTitle(), "无标题 - Korvale 1.38正式版");
    EXPECT_FALSE(frame->windowIcon().isNull());
}

TEST_F(ShellMainFrame, SwitchFoldsThePanelAndGivesItsWidthToTheList)
{
    frame->resize(1100, 860);
    frame->show();
    QApplication::processEvents();
    SwitchSplitter& splitter = frame->GetSwitchSplitter();
    const int listWidthWithPanel = list->width();
    EXPECT_EQ(splitter.ArrowPicture(), ":/icons/switch-fold.png");
    EXPECT_GE(frame->InfoBar().x() + frame->InfoBar().width(), splitter.x());

    QTest::mouseClick(splitter.Arrow(), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_FALSE(splitter.PanelShown());
    EXPECT_TRUE(frame->InfoBar().isHidden());
    EXPECT_EQ(splitter.ArrowPicture(), ":/icons/switch-unfold.png");
    EXPECT_EQ(splitter.x(), 0);
    EXPECT_EQ(list->x(), splitter.width());
    EXPECT_EQ(list->x() + list->width(), frame->centralWidget()->width());
    EXPECT_GT(list->width(), listWidthWithPanel);

    QTest::mouseClick(splitter.Arrow(), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_TRUE(splitter.PanelShown());
    EXPECT_FALSE(frame->InfoBar().isHidden());
    EXPECT_EQ(splitter.ArrowPicture(), ":/icons/switch-fold.png");
    EXPECT_EQ(list->width(), listWidthWithPanel);
    // The arrow stays vertically centred.
    EXPECT_EQ(splitter.Arrow()->y(), (splitter.height() - 8) / 2);
}

TEST_F(ShellMainFrame, ListingAVolumeRootSelectsItsEntry)
{
    Go(volume);
    EXPECT_EQ(Combo().currentIndex(), 4);
    EXPECT_EQ(Combo().currentText(), QStringLiteral("卷 (%1)").arg(volume));
    EXPECT_EQ(Combo().count(), 5);
    ASSERT_EQ(target.events.size(), 1u);
    EXPECT_EQ(target.events[0], std::make_pair(int(NavigationEvent::ListFolder), volume));
}

TEST_F(ShellMainFrame, AFolderTwoLevelsDownAddsTwoEntriesAndSelectsTheDeeper)
{
    const QString folder = volume + QStringLiteral("/records/2026");
    Go(folder);
    EXPECT_EQ(ShownNames().mid(4), (QStringList{QStringLiteral("卷 (%1)").arg(volume), "records", "2026"}));
    EXPECT_EQ(Combo().currentIndex(), 6);
    EXPECT_EQ(Combo().Edit()->text(), QDir::toNativeSeparators(folder));
    EXPECT_EQ(Combo().SelectedFolder(), folder);
}

TEST_F(ShellMainFrame, ListingTheDesktopSelectsTheFirstEntry)
{
    Go(desktop);
    EXPECT_EQ(Combo().currentIndex(), 0);
    EXPECT_EQ(Combo().Edit()->text(), "桌面");
}

// A typed folder is listed and the drop-down follows it with its chain, so Up goes to its parent
// rather than to the parent of the folder listed before. A path that is not there changes nothing.
TEST_F(ShellMainFrame, ATypedPathIsListedAndTheDropDownAndUpFollowIt)
{
    Go(volume);
    target.events.clear();
    Combo().Edit()->setText(QStringLiteral("/some/typed/path"));
    QTest::keyClick(Combo().Edit(), Qt::Key_Return);
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(target.events.empty());
    EXPECT_EQ(Combo().SelectedFolder(), volume);

    const QString typed = volume + QStringLiteral("/records/2026");
    Combo().Edit()->setText(typed);
    QTest::keyClick(Combo().Edit(), Qt::Key_Return);
    QCoreApplication::sendPostedEvents(); // the typed path reaches the list,
    QCoreApplication::sendPostedEvents(); // which has the drop-down show it
    ASSERT_EQ(target.events.size(), 1u);
    EXPECT_EQ(target.events[0].second, typed);
    EXPECT_EQ(Combo().SelectedFolder(), typed);
    EXPECT_EQ(ShownNames().mid(4), (QStringList{QStringLiteral("卷 (%1)").arg(volume), "records", "2026"}));

    table.Trigger(Commands::Up);
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(target.events.size(), 2u);
    EXPECT_EQ(target.events[1].second, volume + QStringLiteral("/records"));
    EXPECT_EQ(Combo().SelectedFolder(), volume + QStringLiteral("/records"));

    // "转到" does the same as Enter.
    Combo().Edit()->setText(typed);
    table.Trigger(Commands::GoTo);
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(target.events.size(), 3u);
    EXPECT_EQ(target.events[2].second, typed);
}

TEST_F(ShellMainFrame, ChoosingAnEntryListsItsFolderWithoutRebuilding)
{
    Go(volume + QStringLiteral("/records"));
    const int count = Combo().count();
    target.events.clear();
    Combo().setCurrentIndex(0);
    ASSERT_EQ(target.events.size(), 1u);
    EXPECT_EQ(target.events[0], std::make_pair(int(NavigationEvent::ListFolder), desktop));
    EXPECT_EQ(Combo().count(), count);
}

TEST_F(ShellMainFrame, UpFromTheRootListsTheRootAgain)
{
    Go(QStringLiteral("/"));
    target.events.clear();
    table.Trigger(Commands::Up);
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(target.events.size(), 1u);
    EXPECT_EQ(target.events[0].second, "/");

    Go(volume + QStringLiteral("/records/2026"));
    target.events.clear();
    table.Trigger(Commands::Up);
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(target.events.size(), 1u);
    EXPECT_EQ(target.events[0].second, volume + QStringLiteral("/records"));
    EXPECT_EQ(Combo().SelectedFolder(), volume + QStringLiteral("/records"));
}

TEST_F(ShellMainFrame, RefreshListsTheShownFolderAgainWithoutTouchingTheBox)
{
    Go(volume + QStringLiteral("/records"));
    target.events.clear();
    Combo().Edit()->setText(QStringLiteral("half typed"));
    table.Trigger(Commands::Refresh);
    ASSERT_EQ(target.events.size(), 1u);
    EXPECT_EQ(target.events[0], std::make_pair(int(NavigationEvent::ListFolder), volume + QStringLiteral("/records")));
    EXPECT_EQ(Combo().Edit()->text(), "half typed");
}

TEST_F(ShellMainFrame, NavigationIgnoresMissingFoldersAndSaveGameSaysWhyItCannotGo)
{
    EXPECT_FALSE(navigation.NavigateTo(root.filePath(QStringLiteral("missing"))));
    EXPECT_FALSE(navigation.NavigateTo(QString()));
    QString saveGame;
    frame->SetSaveGameFolderSource([&] { return saveGame; });
    table.Trigger(Commands::GoToSaveGameFolder);
    saveGame = root.filePath(QStringLiteral("missing"));
    table.Trigger(Commands::GoToSaveGameFolder);
    EXPECT_TRUE(target.events.empty());
    ASSERT_EQ(prompt.Messages().size(), 2);
    EXPECT_TRUE(prompt.Messages()[0].text.startsWith(QStringLiteral("尚未设置SaveGame目录")));
    EXPECT_TRUE(prompt.Messages()[1].text.startsWith("SaveGame目录不存在：" + saveGame));
    saveGame = volume + QStringLiteral("/records/");
    table.Trigger(Commands::GoToSaveGameFolder);
    ASSERT_EQ(target.events.size(), 1u);
    EXPECT_EQ(target.events[0].second, volume + QStringLiteral("/records"));
}

TEST_F(ShellMainFrame, OpenFolderAsksWithItsTitleOpensInTheListedFolderAndGoesToTheChoice)
{
    prompt.PickNext(std::nullopt);
    table.Trigger(Commands::OpenFolder);
    EXPECT_TRUE(target.events.empty());
    prompt.PickNext(volume + QStringLiteral("/"));
    table.Trigger(Commands::OpenFolder);
    ASSERT_EQ(prompt.Pickers().size(), 2u);
    EXPECT_EQ(prompt.Pickers()[1].title, "打开文件夹...");
    ASSERT_EQ(target.events.size(), 1u);
    EXPECT_EQ(target.events[0].second, volume);

    QApplication::processEvents(); // the address bar takes the folder listed
    prompt.PickNext(std::nullopt);
    table.Trigger(Commands::OpenFolder);
    ASSERT_EQ(prompt.Pickers().size(), 3u);
    EXPECT_EQ(prompt.Pickers()[2].startPath, volume);
}

TEST_F(ShellMainFrame, TextFieldPlacesGoToTheDesktopAndTheComputer)
{
    table.Trigger(Commands::GoToDesktop);
    table.Trigger(Commands::GoToComputer);
    ASSERT_EQ(target.events.size(), 2u);
    EXPECT_EQ(target.events[0].second, desktop);
    EXPECT_EQ(target.events[1].second, "/");
}

TEST_F(ShellMainFrame, DeleteInTheTextFieldRemovesOnlySelectedText)
{
    PathComboEdit* edit = Combo().Edit();
    edit->setText(QStringLiteral("/srv/games"));
    edit->setCursorPosition(0);
    QTest::keyClick(edit, Qt::Key_Delete);
    EXPECT_EQ(edit->text(), "/srv/games");
    edit->setSelection(4, 6);
    QTest::keyClick(edit, Qt::Key_Delete);
    EXPECT_EQ(edit->text(), "/srv");
    edit->setSelection(0, 4);
    table.Trigger(Commands::EditCut);
    EXPECT_TRUE(edit->text().isEmpty());
    table.Trigger(Commands::EditPaste);
    EXPECT_EQ(edit->text(), "/srv");

    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(5, 5), edit->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(edit, &rightClick);
    auto* menu = edit->findChild<QMenu*>(QStringLiteral("textFieldMenu"));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 8);
    EXPECT_EQ(menu->actions()[0]->text(), "剪切(&T)");
    EXPECT_EQ(menu->actions()[7]->text(), "我的电脑(&M)");
    menu->close();
}

TEST_F(ShellMainFrame, PathBoxTakesTheBarWidthMinusTheButtons)
{
    for (const int width : {900, 1300}) {
        frame->resize(width, 800);
        frame->show();
        QApplication::processEvents();
        AddressBar& bar = frame->GetAddressBar();
        EXPECT_EQ(Combo().width(), bar.width() - AddressBar::buttonsWidth) << width;
        EXPECT_GT(bar.width(), width - 40);
    }
}

TEST_F(ShellMainFrame, StatusBarShowsReadyPromptsAndGreyedKeyPanes)
{
    QStatusBar* bar = frame->statusBar();
    EXPECT_EQ(bar->currentMessage(), "就绪");
    // A toolbar button or menu item under the pointer shows its prompt, then "就绪" again.
    QAction* selectAll = frame->menuBar()->actions()[1]->menu()->actions().value(9);
    ASSERT_NE(selectAll, nullptr);
    selectAll->showStatusText(frame->menuBar());
    EXPECT_EQ(bar->currentMessage(), "选定整个文档");
    bar->clearMessage();
    EXPECT_EQ(bar->currentMessage(), "就绪");
    for (const char* pane : {"paneCAP", "paneNUM", "paneSCRL"}) {
        auto* label = frame->findChild<QLabel*>(QString::fromLatin1(pane));
        ASSERT_NE(label, nullptr) << pane;
        EXPECT_FALSE(label->isEnabled());
    }
    frame->ShowKeyLocks(KeyLockState::FromLedMask(0x5));
    EXPECT_TRUE(frame->findChild<QLabel*>(QStringLiteral("paneCAP"))->isEnabled());
    EXPECT_FALSE(frame->findChild<QLabel*>(QStringLiteral("paneNUM"))->isEnabled());
    EXPECT_TRUE(frame->findChild<QLabel*>(QStringLiteral("paneSCRL"))->isEnabled());
    // The offscreen display does not tell the state.
    EXPECT_FALSE(KeyLockState::Read().has_value());

    EXPECT_EQ(table.IsChecked(Commands::ToggleStatusBar), std::optional<bool>(true));
    table.Trigger(Commands::ToggleStatusBar);
    EXPECT_TRUE(bar->isHidden());
    EXPECT_EQ(table.IsChecked(Commands::ToggleStatusBar), std::optional<bool>(false));
}

TEST_F(ShellMainFrame, ViewMarkStartsOnDetailsAndFollowsTheList)
{
    EXPECT_EQ(table.IsChecked(Commands::DetailsView), std::optional<bool>(true));
    EXPECT_EQ(table.IsChecked(Commands::ListView), std::optional<bool>(false));
    bool listView = true;
    table.RegisterCheckedState(Commands::ListView, [&] { return listView; });
    table.RegisterCheckedState(Commands::DetailsView, [&] { return !listView; });
    auto* view = frame->findChild<QToolButton*>(QStringLiteral("command32801"));
    ASSERT_NE(view, nullptr);
    table.RefreshMenu(view->menu());
    EXPECT_TRUE(view->menu()->actions()[0]->isChecked());
}

TEST_F(ShellMainFrame, HelpOpensTheInstalledDocumentAndFocusGoesToTheList)
{
    std::vector<QUrl> opened;
    frame->SetUrlOpener([&](const QUrl& url) { opened.push_back(url); return true; });
    {
        const HelpPageBesideProgram help;
        ASSERT_TRUE(QFile::exists(help.Path()));
        table.Trigger(Commands::Help);
        ASSERT_EQ(opened.size(), 1u);
        EXPECT_EQ(opened[0], QUrl::fromLocalFile(help.Path()));
    }
    EXPECT_TRUE(prompt.Messages().empty());

    frame->show();
    QApplication::setActiveWindow(frame.get());
    frame->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), list);
}

TEST_F(ShellMainFrame, HelpShowsInAWindowOfItsOwnWhenTheDesktopCannotOpenIt)
{
    int asked = 0;
    frame->SetUrlOpener([&](const QUrl&) { ++asked; return false; });
    const HelpPageBesideProgram help;
    ASSERT_TRUE(QFile::exists(help.Path()));
    table.Trigger(Commands::Help);
    table.Trigger(Commands::Help);
    const QList<HelpWindow*> windows = frame->findChildren<HelpWindow*>();
    ASSERT_EQ(windows.size(), 1); // F1 again raises the same window
    EXPECT_TRUE(windows[0]->isVisible());
    EXPECT_EQ(windows[0]->Browser().source(), QUrl::fromLocalFile(help.Path()));
    EXPECT_FALSE(windows[0]->Browser().toPlainText().trimmed().isEmpty());
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(prompt.Messages().empty());
    windows[0]->close();
}

TEST_F(ShellMainFrame, DeleteInTheListIsTheDeleteCommand)
{
    int deletes = 0;
    table.RegisterHandler(Commands::Delete, [&] { ++deletes; });
    frame->show();
    QApplication::setActiveWindow(frame.get());
    list->setFocus();
    QApplication::processEvents();
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(deletes, 1);
}

TEST_F(ShellMainFrame, KeysShownInTheMenusAreBound)
{
    std::vector<int> reached;
    table.RegisterHandler(Commands::SelectAll, [&] { reached.push_back(Commands::SelectAll); });
    frame->SetUrlOpener([&](const QUrl&) { reached.push_back(Commands::Help); return true; });
    Go(volume);
    target.events.clear();
    frame->show();
    QApplication::setActiveWindow(frame.get());
    list->setFocus();
    QApplication::processEvents();
    QTest::keyClick(list, Qt::Key_F5);
    ASSERT_EQ(target.events.size(), 1u);
    EXPECT_EQ(target.events[0], std::make_pair(int(NavigationEvent::ListFolder), volume));
    QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(reached, std::vector<int>{Commands::SelectAll});
}

namespace {

// The window comes back at the size and place it was closed at, from the per-user profile.
TEST_F(ShellMainFrame, TheWindowsPlacementIsKeptInTheProfile)
{
    QSettings(QStringLiteral("Korvale"), QStringLiteral("Korvale")).remove(QStringLiteral("Window"));
    frame->RestorePlacement(); // nothing stored: the first size stays
    EXPECT_EQ(frame->size(), QSize(1180, 880));
    frame->setGeometry(40, 50, 900, 700);
    frame->show();
    QApplication::processEvents();
    frame->close();

    CMainFrame again(table, prompt, document);
    again.RestorePlacement();
    EXPECT_EQ(again.size(), QSize(900, 700));
    EXPECT_TRUE(QSettings(QStringLiteral("Korvale"), QStringLiteral("Korvale")).contains(QStringLiteral("Window/Geometry")));
}

} // namespace

