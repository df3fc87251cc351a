#include "MgxListView.h"
#include "TestApplication.h"

#include "HeaderState.h"
#include "InfoContainer.h"
#include "NavigationEvent.h"
#include "RecordListModel.h"
#include "RecordWriter.h"
#include "SampleRecords.h"
#include "ScriptedPrompt.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QLoggingCategory>
#include <QMenu>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QTreeView>

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>

// Failure messages show the text, not its bytes.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

void EnsureApplication()
{
    // The column layout goes to a test profile, never the user's.
    QStandardPaths::setTestModeEnabled(true);
    korvale::test::EnsureApplicationOf<QApplication>("korvale_app_tests");
}

void WriteSample(const QString& folder, const QString& fileName)
{
    for (const Mgx::SampleRecord& sample : Mgx::SampleRecords()) {
        if (QString::fromStdString(sample.fileName) == fileName) {
            Mgx::RecordWriter(sample.blueprint).WriteFile(std::filesystem::path((folder + "/" + fileName).toStdString()));
            return;
        }
    }
    FAIL() << "no sample " << fileName.toStdString();
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Stands in for the address bar: remembers which folders it was told to show.
class AddressBarStub : public QObject {
public:
    QStringList shown;

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == NavigationEvent::SelectFolder) {
            shown.append(static_cast<NavigationEvent*>(event)->path);
            return true;
        }
        return QObject::event(event);
    }
};

QString ProfileKey() { return QStringLiteral("Settings/Overview"); }

void ClearProfile()
{
    QSettings(QStringLiteral("Korvale"), QStringLiteral("Korvale")).remove(ProfileKey());
}

// A SaveGame folder with three sample records (scenario.mgx was written by 1.0a), a damaged one,
// an archive, a file that is not listed and a subfolder holding one more record.
class MgxListViewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureApplication(); }

    MgxListViewTest()
    {
        ClearProfile();
        const QString root = folder.path();
        WriteSample(root, "1v1_arabia.mgx");
        WriteSample(root, "4v4_chat_ageups.mgx");
        WriteSample(root, "scenario.mgx");
        WriteBytes(root + "/broken.mgx", QByteArray(64, '\x7f'));
        WriteBytes(root + "/pack.zip", "PK");
        WriteBytes(root + "/notes.txt", "x");
        QDir(root).mkdir("old");
        WriteSample(root + "/old", "1v1_arabia.mgx");
        view = makeView();
    }

    // Hands the view what the window hands it, then shows it off screen (which starts it up).
    std::unique_ptr<MgxListView> makeView()
    {
        auto view = std::make_unique<MgxListView>();
        GameSettings settings;
        settings.SaveGameFolder = folder.path();
        view->SetSettings(settings);
        view->SetInfoPane(&pane);
        view->SetPrompt(&prompt);
        view->SetAddressBarTarget(&addressBar);
        view->resize(520, 300);
        view->setAttribute(Qt::WA_DontShowOnScreen);
        view->show();
        QCoreApplication::sendPostedEvents(&addressBar);
        return view;
    }

    QStringList names() const
    {
        QStringList result;
        for (const MgxListItem& item : view->Model().Items())
            result.append(item.name);
        return result;
    }

    int rowOf(const QString& name) const { return static_cast<int>(names().indexOf(name)); }

    QPoint centreOf(int row) const
    {
        return view->ReportView()->visualRect(view->Model().index(row, 0)).center();
    }

    void click(const QString& name, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(view->ReportView()->viewport(), Qt::LeftButton, modifiers, centreOf(rowOf(name)));
    }

    void doubleClick(const QString& name)
    {
        const QPoint at = centreOf(rowOf(name));
        QWidget* viewport = view->ReportView()->viewport();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
    }

    QString versionLabel() const { return pane.findChild<QLabel*>(QStringLiteral("versionLabel"))->text(); }

    QTemporaryDir folder;
    InfoContainer pane;
    ScriptedPrompt prompt;
    AddressBarStub addressBar;
    std::unique_ptr<MgxListView> view;
};

TEST_F(MgxListViewTest, StartUpListsTheSaveGameFolderFoldersFirstInReverseNameOrder)
{
    EXPECT_EQ(view->CurrentFolder(), QDir::toNativeSeparators(folder.path()));
    EXPECT_EQ(names(), QStringList({"old", "scenario.mgx", "pack.zip", "broken.mgx", "4v4_chat_ageups.mgx",
                                    "1v1_arabia.mgx"}));
    EXPECT_EQ(addressBar.shown, QStringList({folder.path()}));
    EXPECT_EQ(view->ReportView()->header()->sortIndicatorSection(), 0);

    // One click on "名称" gives A to Z; one on "大小" gives the largest first.
    QHeaderView* header = view->ReportView()->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(0) + 10, 5));
    EXPECT_EQ(names().mid(1, 2), QStringList({"1v1_arabia.mgx", "4v4_chat_ageups.mgx"}));
    view->SortByColumn(1);
    EXPECT_EQ(view->CurrentSortState().value, 2);
    quint64 previous = ~0ull;
    for (const MgxListItem& item : view->Model().Items()) {
        if (item.kind != MgxItemKind::Folder) {
            EXPECT_LE(item.size, previous) << item.name.toStdString();
            previous = item.size;
        }
    }
}

TEST_F(MgxListViewTest, AMissingSaveGameFolderLeavesTheListEmptyAndTheAddressBarAlone)
{
    addressBar.shown.clear();
    auto other = std::make_unique<MgxListView>();
    GameSettings settings;
    settings.SaveGameFolder = folder.path() + "/not-there";
    other->SetSettings(settings);
    other->SetAddressBarTarget(&addressBar);
    other->StartUp();
    QCoreApplication::sendPostedEvents(&addressBar);
    EXPECT_EQ(other->RowCount(), 0);
    EXPECT_TRUE(addressBar.shown.isEmpty());
}

TEST_F(MgxListViewTest, TheColumnLayoutIsStoredAtShutDownAndRestoredAtStartUp)
{
    view->SortByColumn(2); // +3: newest first
    view->ReportView()->header()->resizeSection(1, 77);
    view->ReportView()->header()->moveSection(2, 0);
    view.reset();

    const QByteArray stored = QSettings("Korvale", "Korvale").value(ProfileKey()).toByteArray();
    const std::optional<HeaderState> state = DecodeHeaderState(stored, 3);
    ASSERT_TRUE(state.has_value());
    EXPECT_EQ(state->sortState, 3);
    EXPECT_EQ(state->columns[1].width, 77);
    EXPECT_EQ(state->columns[2].position, 0);

    view = makeView();
    EXPECT_EQ(view->CurrentSortState().value, 3);
    EXPECT_EQ(view->ReportView()->header()->sectionSize(1), 77);
    EXPECT_EQ(view->ReportView()->header()->visualIndex(2), 0);
}

TEST_F(MgxListViewTest, AStoredLayoutThatDoesNotFitIsIgnored)
{
    HeaderState four;
    four.sortState = -2;
    four.columns = {{true, 10, 0}, {true, 10, 1}, {true, 10, 2}, {true, 10, 3}};
    QSettings("Korvale", "Korvale").setValue(ProfileKey(), EncodeHeaderState(four));
    view = makeView();
    EXPECT_EQ(view->CurrentSortState().value, 1);
    EXPECT_EQ(view->ReportView()->header()->sectionSize(0), 90);
    EXPECT_EQ(names().at(1), "scenario.mgx");
}

TEST_F(MgxListViewTest, AClickShowsTheRecordOnceAndTwoSelectedShowNothingNew)
{
    QSignalSpy shown(view.get(), &MgxListView::RecordShown);
    const QString before = versionLabel();
    click("scenario.mgx");
    ASSERT_EQ(shown.count(), 1);
    EXPECT_EQ(shown.at(0).at(0).toString(), QDir::toNativeSeparators(folder.path() + "/scenario.mgx"));
    ASSERT_NE(view->CurrentRecord(), nullptr);
    EXPECT_NE(versionLabel(), before);

    click("scenario.mgx");
    EXPECT_EQ(shown.count(), 1);
    const Mgx::GameRecord* kept = view->CurrentRecord();

    click("1v1_arabia.mgx", Qt::ControlModifier);
    EXPECT_EQ(view->SelectedRows().size(), 2);
    EXPECT_EQ(shown.count(), 1);
    EXPECT_EQ(view->CurrentRecord(), kept);

    // Folders and archives are only traced.
    click("old");
    click("pack.zip");
    EXPECT_EQ(shown.count(), 1);
    EXPECT_TRUE(prompt.messages().isEmpty());
}

TEST_F(MgxListViewTest, ARecordThatFailsToLoadIsReportedAndNothingStaysLoaded)
{
    click("scenario.mgx");
    ASSERT_NE(view->CurrentRecord(), nullptr);
    click("broken.mgx");
    EXPECT_EQ(view->CurrentRecord(), nullptr);
    ASSERT_EQ(prompt.messages().size(), 1);
    EXPECT_EQ(prompt.messages()[0].kind, UserPrompt::MessageKind::Error);
    EXPECT_TRUE(prompt.messages()[0].text.startsWith(QStringLiteral("无法读取录像文件：")));

    ASSERT_TRUE(QFile::remove(folder.path() + "/1v1_arabia.mgx"));
    click("1v1_arabia.mgx");
    ASSERT_EQ(prompt.messages().size(), 2);
    EXPECT_EQ(prompt.messages()[1].text, QStringLiteral("无法打开文件！"));
}

TEST_F(MgxListViewTest, DoubleClickOnAFolderEntersIt)
{
    addressBar.shown.clear();
    doubleClick("old");
    QCoreApplication::sendPostedEvents(&addressBar);
    const QString old = QDir::toNativeSeparators(folder.path() + "/old");
    EXPECT_EQ(view->CurrentFolder(), old);
    EXPECT_EQ(names(), QStringList({"1v1_arabia.mgx"}));
    EXPECT_EQ(addressBar.shown, QStringList({old}));
}

TEST_F(MgxListViewTest, DoubleClickOnARecordAsksForTheGameThatWroteIt)
{
    QSignalSpy launch(view.get(), &MgxListView::LaunchRequested);
    doubleClick("scenario.mgx");
    ASSERT_EQ(launch.count(), 1);
    EXPECT_EQ(launch.at(0).at(0).toInt(), 3);
    doubleClick("4v4_chat_ageups.mgx");
    ASSERT_EQ(launch.count(), 2);
    EXPECT_EQ(launch.at(1).at(0).toInt(), 4);
    // Without a loaded record nothing is started.
    doubleClick("broken.mgx");
    EXPECT_EQ(launch.count(), 2);
}

TEST_F(MgxListViewTest, TheContextMenuOpensOnlyWithASelectionAndRoutesItsCommands)
{
    QSignalSpy commands(view.get(), &MgxListView::CommandRequested);
    EXPECT_FALSE(view->ShowContextMenu(QPoint(50, 50)));

    click("pack.zip");
    QStringList texts;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions())
            texts.append(action->isSeparator() ? QString("-") : action->text() + "=" + action->data().toString());
        for (QAction* action : menu->actions()) {
            if (action->data().toInt() == 32830)
                action->trigger();
        }
        menu->close();
    });
    EXPECT_TRUE(view->ShowContextMenu(QPoint(50, 50)));
    EXPECT_EQ(texts, QStringList({QStringLiteral("移动到(&M)...=32831"), QStringLiteral("复制到(&C)...=32830"), "-",
                                  QStringLiteral("重命名(&R)=32805"), QStringLiteral("删除(&D)=32804"), "-",
                                  QStringLiteral("压缩(&A)...=32807"), QStringLiteral("解压缩(&X)...=32808")}));
    ASSERT_EQ(commands.count(), 1);
    EXPECT_EQ(commands.at(0).at(0).toInt(), 32830);

    QTest::keyClick(view->ReportView(), Qt::Key_Delete);
    ASSERT_EQ(commands.count(), 2);
    EXPECT_EQ(commands.at(1).at(0).toInt(), 32804);
}

TEST_F(MgxListViewTest, SelectAllAndInvertLeaveTheFocusOnTheLastEntry)
{
    click("pack.zip");
    view->InvertSelection();
    QList<int> expected;
    for (int row = 0; row < view->RowCount(); ++row) {
        if (row != rowOf("pack.zip"))
            expected.append(row);
    }
    EXPECT_EQ(view->SelectedRows(), expected);
    EXPECT_EQ(view->ReportView()->currentIndex().row(), view->RowCount() - 1);

    view->SelectAll();
    EXPECT_EQ(view->SelectedRows().size(), view->RowCount());
    EXPECT_EQ(view->ReportView()->currentIndex().row(), view->RowCount() - 1);
    view->InvertSelection();
    EXPECT_TRUE(view->SelectedRows().isEmpty());
}

TEST_F(MgxListViewTest, InPlaceEditReportsTheNewNameWithoutRenaming)
{
    QSignalSpy edited(view.get(), &MgxListView::NameEdited);
    const int row = rowOf("pack.zip");
    view->EditRow(row);
    auto* editor = view->findChild<QLineEdit*>(QStringLiteral("nameEditor"));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "pack.zip");
    editor->setText("renamed.zip");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the editor commits after handling the key
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(edited.count(), 1);
    EXPECT_EQ(edited.at(0).at(0).toInt(), row);
    EXPECT_EQ(edited.at(0).at(1).toString(), "renamed.zip");
    EXPECT_EQ(view->ItemText(row), "pack.zip");
    EXPECT_TRUE(QFile::exists(folder.path() + "/pack.zip"));

    view->EditRow(row);
    editor = view->findChild<QLineEdit*>(QStringLiteral("nameEditor"));
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Escape);
    ASSERT_EQ(edited.count(), 2);
    EXPECT_TRUE(edited.at(1).at(1).toString().isNull());

    view->UpdateRow(row, folder.path() + "/renamed.zip", "renamed.zip");
    EXPECT_EQ(view->ItemText(row), "renamed.zip");
    EXPECT_EQ(view->Item(row).fullPath, folder.path() + "/renamed.zip");
}

TEST_F(MgxListViewTest, NavigationEventsListFoldersAndReportTheResult)
{
    const QStringList before = names();
    NavigationEvent missing(NavigationEvent::ListFolder, folder.path() + "/nowhere");
    QCoreApplication::sendEvent(view.get(), &missing);
    EXPECT_FALSE(missing.result);
    EXPECT_EQ(names(), before);

    NavigationEvent relative(NavigationEvent::GoToTypedPath, "old");
    QCoreApplication::sendEvent(view.get(), &relative);
    EXPECT_FALSE(relative.result);

    NavigationEvent typed(NavigationEvent::GoToTypedPath, "  " + folder.path() + "/old  ");
    QCoreApplication::sendEvent(view.get(), &typed);
    EXPECT_TRUE(typed.result);
    EXPECT_EQ(names(), QStringList({"1v1_arabia.mgx"}));

    NavigationEvent back(NavigationEvent::ListFolder, folder.path());
    QCoreApplication::sendEvent(view.get(), &back);
    EXPECT_TRUE(back.result);
    EXPECT_EQ(names(), before);
}

TEST_F(MgxListViewTest, RemovingARowAndRefreshing)
{
    const int row = rowOf("broken.mgx");
    view->RemoveRow(row);
    EXPECT_EQ(rowOf("broken.mgx"), -1);
    WriteBytes(folder.path() + "/new.rar", "Rar!");
    view->Refresh();
    EXPECT_NE(rowOf("broken.mgx"), -1);
    EXPECT_NE(rowOf("new.rar"), -1);
}

TEST_F(MgxListViewTest, ListAndReportViewsShareOneSelection)
{
    EXPECT_TRUE(view->IsReportView());
    click("pack.zip");
    view->SetReportView(false);
    EXPECT_FALSE(view->IsReportView());
    EXPECT_TRUE(view->PlainListView()->isVisible());
    EXPECT_EQ(view->PlainListView()->selectionModel(), view->ReportView()->selectionModel());
    EXPECT_EQ(view->SelectedRows(), QList<int>({rowOf("pack.zip")}));

    QSignalSpy shown(view.get(), &MgxListView::RecordShown);
    const QRect cell = view->PlainListView()->visualRect(view->Model().index(rowOf("scenario.mgx"), 0));
    QTest::mouseClick(view->PlainListView()->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(shown.count(), 1);
    view->SetReportView(true);
    EXPECT_TRUE(view->ReportView()->isVisible());
}

} // namespace

namespace {

// The pane as a player sees it: the kind pictures in the first column beside the names, sizes and
// times right-aligned. KORVALE_SCREENSHOT_DIR keeps the picture for a look.
TEST_F(MgxListViewTest, RendersKindPicturesBesideTheNames)
{
    WriteBytes(folder.path() + QStringLiteral("/决赛 第二局.mgx"), QByteArray(5000, 'x'));
    WriteBytes(folder.path() + "/archive.rar", QByteArray(3000000, 'x'));
    view->Refresh();
    click("scenario.mgx");
    const QImage picture = view->grab().toImage();
    if (const QByteArray dir = qgetenv("KORVALE_SCREENSHOT_DIR"); !dir.isEmpty()) {
        picture.save(QString::fromLocal8Bit(dir) + "/record-list.png");
        view->SetReportView(false);
        view->grab().save(QString::fromLocal8Bit(dir) + "/record-list-plain.png");
        view->SetReportView(true);
    }

    QTreeView* report = view->ReportView();
    for (const QString& name : {QString("old"), QString("broken.mgx"), QString("pack.zip"), QString("archive.rar")}) {
        const QRect cell = report->visualRect(view->Model().index(rowOf(name), 0));
        const QImage icon = view->Model().data(view->Model().index(rowOf(name), 0), Qt::DecorationRole)
                                .value<QIcon>().pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
        // An opaque pixel of the picture appears in the left part of the cell (the selected row,
        // scenario.mgx, draws its picture tinted).
        const QPoint inView = report->viewport()->mapTo(view.get(), cell.topLeft());
        bool found = false;
        const QRgb sample = icon.pixel(8, 12);
        for (int y = 0; y < cell.height() && !found; ++y)
            for (int x = 0; x < 30 && !found; ++x)
                found = picture.pixel(inView + QPoint(x, y)) == sample;
        EXPECT_TRUE(found) << name.toStdString();
    }
}

} // namespace

namespace {

QStringList traced;

void RecordTrace(QtMsgType, const QMessageLogContext& context, const QString& text)
{
    if (QByteArray(context.category) == "korvale.recordlist")
        traced.append(text);
}

TEST_F(MgxListViewTest, TracesEverySingleSelectionAndEveryRecordShown)
{
    QLoggingCategory::setFilterRules(QStringLiteral("korvale.recordlist.debug=true"));
    traced.clear();
    const QtMessageHandler previous = qInstallMessageHandler(RecordTrace);
    click("old");
    click("scenario.mgx");
    click("scenario.mgx");
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules(QString());
    const QString path = QDir::toNativeSeparators(folder.path() + "/scenario.mgx");
    EXPECT_EQ(traced, QStringList({"single Selected! [old]", "single Selected! [scenario.mgx]",
                                   "show mgx file info [" + path + "]", "single Selected! [scenario.mgx]",
                                   "show mgx file info [" + path + "]"}));
}

TEST_F(MgxListViewTest, CutOffNamesGetATipWithTheWholeName)
{
    QTreeView* report = view->ReportView();
    const auto tipAt = [&](const QString& name) {
        QToolTip::hideText();
        const QPoint at = centreOf(rowOf(name));
        QHelpEvent help(QEvent::ToolTip, at, report->viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(report->viewport(), &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    // A hidden tip lingers for a moment, so the name that fits is asked first.
    EXPECT_EQ(tipAt("old"), QString());
    EXPECT_EQ(tipAt("4v4_chat_ageups.mgx"), "4v4_chat_ageups.mgx");
}

} // namespace
