#include "AddressBarStub.h"
#include "BuildPaths.h"
#include "MgxListView.h"
#include "ListNavigation.h"
#include "ListColumns.h"
#include "QtPrinters.h"
#include "TestApplication.h"

#include "HeaderState.h"
#include "HoverPictures.h"
#include "InfoContainer.h"
#include "LibrarySearch.h"
#include "LibrarySummary.h"
#include "LibraryColumns.h"
#include "CommandCatalogue.h"
#include "GeneralPage.h"
#include "MapContainer.h"
#include "TerrainPic.h"
#include "NavigationEvent.h"
#include "RealRecords.h"
#include "RecordHoverTip.h"
#include "RecordListModel.h"
#include "RecordWriter.h"
#include "SampleRecords.h"
#include "ScriptedPrompt.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QLoggingCategory>
#include <QMenu>
#include <QMessageBox>
#include <QScrollBar>
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
#include <cstring>
#include <ctime>
#include <iostream>
#include <ostream>


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

QString ProfileKey() { return QStringLiteral("Settings/Overview"); }

QString ExtraColumnsKey() { return QStringLiteral("Settings/ExtraColumns"); }

void ClearProfile()
{
    QSettings(QStringLiteral("Korvale"), QStringLiteral("Korvale")).remove(ProfileKey());
    QSettings(QStringLiteral("Korvale"), QStringLiteral("Korvale")).remove(ExtraColumnsKey());
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
        view = MakeView();
    }

    // Hands the view what the window hands it, then shows it off screen (which starts it up).
    std::unique_ptr<MgxListView> MakeView()
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

    QStringList Names() const
    {
        QStringList result;
        for (const MgxListItem& item : view->Model().Items())
            result.append(item.name);
        return result;
    }

    int RowOf(const QString& name) const { return static_cast<int>(Names().indexOf(name)); }

    QPoint CentreOf(int row) const
    {
        return view->ReportView()->visualRect(view->Model().index(row, 0)).center();
    }

    void Click(const QString& name, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(view->ReportView()->viewport(), Qt::LeftButton, modifiers, CentreOf(RowOf(name)));
    }

    void DoubleClick(const QString& name)
    {
        const QPoint at = CentreOf(RowOf(name));
        QWidget* viewport = view->ReportView()->viewport();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
    }

    QString VersionLabel() const { return pane.findChild<QLabel*>(QStringLiteral("versionLabel"))->text(); }

    QTemporaryDir folder;
    InfoContainer pane;
    ScriptedPrompt prompt;
    AddressBarStub addressBar;
    std::unique_ptr<MgxListView> view;
};

TEST_F(MgxListViewTest, StartUpListsTheSaveGameFolderFoldersFirstInReverseNameOrder)
{
    EXPECT_EQ(view->Navigation().CurrentFolder(), QDir::toNativeSeparators(folder.path()));
    EXPECT_EQ(Names(), QStringList({"old", "scenario.mgx", "pack.zip", "broken.mgx", "4v4_chat_ageups.mgx",
                                    "1v1_arabia.mgx"}));
    EXPECT_EQ(addressBar.shown, QStringList({folder.path()}));
    EXPECT_EQ(view->ReportView()->header()->sortIndicatorSection(), 0);

    // One click on "名称" gives A to Z; one on "大小" gives the largest first.
    QHeaderView* header = view->ReportView()->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(0) + 10, 5));
    EXPECT_EQ(Names().mid(1, 2), QStringList({"1v1_arabia.mgx", "4v4_chat_ageups.mgx"}));
    view->Columns().SortByColumn(1);
    EXPECT_EQ(view->Columns().Sort().value, 2);
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
    view->Columns().SortByColumn(2); // +3: newest first
    view->ReportView()->header()->resizeSection(1, 77);
    view->ReportView()->header()->moveSection(2, 0);
    view.reset();

    const QByteArray stored = QSettings("Korvale", "Korvale").value(ProfileKey()).toByteArray();
    const std::optional<HeaderState> state = DecodeHeaderState(stored, 3);
    ASSERT_TRUE(state.has_value());
    EXPECT_EQ(state->sortState, 3);
    EXPECT_EQ(state->columns[1].width, 77);
    EXPECT_EQ(state->columns[2].position, 0);

    view = MakeView();
    EXPECT_EQ(view->Columns().Sort().value, 3);
    EXPECT_EQ(view->ReportView()->header()->sectionSize(1), 77);
    EXPECT_EQ(view->ReportView()->header()->visualIndex(2), 0);
}

// Without a stored layout (or with one that does not fit) the names are read whole: the columns fit
// their content within the view, until a width is set by hand.
TEST_F(MgxListViewTest, WithoutAStoredLayoutTheColumnsFitTheirContentWithinTheView)
{
    HeaderState four;
    four.sortState = -2;
    four.columns = {{true, 10, 0}, {true, 10, 1}, {true, 10, 2}, {true, 10, 3}};
    QSettings("Korvale", "Korvale").setValue(ProfileKey(), EncodeHeaderState(four));
    WriteBytes(folder.path() + "/aoc10c_4v4_a_rather_long_record_name.mgx", "x");
    view = MakeView();
    QCoreApplication::processEvents();
    EXPECT_EQ(view->Columns().Sort().value, 1);
    EXPECT_EQ(Names().at(1), "scenario.mgx");
    QHeaderView* header = view->ReportView()->header();
    const int nameWidth = view->ReportView()->fontMetrics().horizontalAdvance("aoc10c_4v4_a_rather_long_record_name.mgx");
    EXPECT_GT(header->sectionSize(0), nameWidth);
    EXPECT_LE(header->sectionSize(0) + header->sectionSize(1) + header->sectionSize(2),
              view->ReportView()->viewport()->width());

    // A narrower window takes width from the name column first.
    const int wide = header->sectionSize(0);
    view->resize(360, 300);
    QCoreApplication::processEvents();
    EXPECT_LT(header->sectionSize(0), wide);
    EXPECT_GE(header->sectionSize(0), 60);

    // A width set by hand stays, and is what is stored.
    header->resizeSection(0, 123);
    view->resize(520, 300);
    QCoreApplication::processEvents();
    EXPECT_EQ(header->sectionSize(0), 123);
}

TEST_F(MgxListViewTest, AClickShowsTheRecordOnceAndTwoSelectedShowNothingNew)
{
    QSignalSpy shown(view.get(), &MgxListView::RecordShown);
    const QString before = VersionLabel();
    Click("scenario.mgx");
    ASSERT_EQ(shown.count(), 1);
    EXPECT_EQ(shown.at(0).at(0).toString(), QDir::toNativeSeparators(folder.path() + "/scenario.mgx"));
    ASSERT_NE(view->CurrentRecord(), nullptr);
    EXPECT_NE(VersionLabel(), before);

    Click("scenario.mgx");
    EXPECT_EQ(shown.count(), 1);
    const Mgx::GameRecord* kept = view->CurrentRecord();

    Click("1v1_arabia.mgx", Qt::ControlModifier);
    EXPECT_EQ(view->SelectedRows().size(), 2);
    EXPECT_EQ(shown.count(), 1);
    EXPECT_EQ(view->CurrentRecord(), kept);

    // Folders and archives are only traced.
    Click("old");
    Click("pack.zip");
    EXPECT_EQ(shown.count(), 1);
    EXPECT_TRUE(prompt.Messages().isEmpty());
}

TEST_F(MgxListViewTest, ARecordThatFailsToLoadIsReportedAndNothingStaysLoaded)
{
    Click("scenario.mgx");
    ASSERT_NE(view->CurrentRecord(), nullptr);
    Click("broken.mgx");
    EXPECT_EQ(view->CurrentRecord(), nullptr);
    ASSERT_EQ(prompt.Messages().size(), 1);
    EXPECT_EQ(prompt.Messages()[0].kind, UserPrompt::MessageKind::Error);
    EXPECT_TRUE(prompt.Messages()[0].text.startsWith(QStringLiteral("录像文件已损坏")));

    ASSERT_TRUE(QFile::remove(folder.path() + "/1v1_arabia.mgx"));
    Click("1v1_arabia.mgx");
    ASSERT_EQ(prompt.Messages().size(), 2);
    EXPECT_EQ(prompt.Messages()[1].text, QStringLiteral("无法打开文件！"));
}

TEST_F(MgxListViewTest, DoubleClickOnAFolderEntersIt)
{
    addressBar.shown.clear();
    DoubleClick("old");
    QCoreApplication::sendPostedEvents(&addressBar);
    const QString old = QDir::toNativeSeparators(folder.path() + "/old");
    EXPECT_EQ(view->Navigation().CurrentFolder(), old);
    EXPECT_EQ(Names(), QStringList({"1v1_arabia.mgx"}));
    EXPECT_EQ(addressBar.shown, QStringList({old}));
}

TEST_F(MgxListViewTest, DoubleClickOnARecordAsksForTheGameThatWroteIt)
{
    QSignalSpy launch(view.get(), &MgxListView::LaunchRequested);
    DoubleClick("scenario.mgx");
    ASSERT_EQ(launch.count(), 1);
    EXPECT_EQ(launch.at(0).at(0).toInt(), 3);
    DoubleClick("4v4_chat_ageups.mgx");
    ASSERT_EQ(launch.count(), 2);
    EXPECT_EQ(launch.at(1).at(0).toInt(), 4);
    // Without a loaded record nothing is started.
    DoubleClick("broken.mgx");
    EXPECT_EQ(launch.count(), 2);
}

// The header of a Definitive Edition record of release 63.0: the save version -1.0 and the release.
QByteArray DefinitiveRecordBytes()
{
    std::vector<std::uint8_t> header = {'V', 'E', 'R', ' ', '9', '.', '4', 0, 0x00, 0x00, 0x80, 0xBF, 0x00, 0x00, 0x3F, 0x00};
    header.resize(200, 0);
    const std::vector<std::uint8_t> compressed = Mgx::RawDeflate(header);
    QByteArray file(8, '\0');
    const qint32 headerEnd = qint32(compressed.size() + 8);
    std::memcpy(file.data(), &headerEnd, sizeof headerEnd);
    file.append(reinterpret_cast<const char*>(compressed.data()), qsizetype(compressed.size()));
    return file + QByteArray("\x05\0\0\0", 4);
}

// HD Edition and Definitive Edition records start nothing: The Conquerors cannot play them, so the
// player reads which game does, once, instead of the load's refusal a second time.
TEST_F(MgxListViewTest, DoubleClickOnAnotherGamesRecordNamesTheGameThatPlaysIt)
{
    KORVALE_NEED_REAL_RECORDS();
    ASSERT_TRUE(QFile::copy(QString::fromStdString(korvale::test::RealRecordPath("hd50_tourney_final_g4.aoe2record")),
                            folder.path() + "/hd50.aoe2record"));
    WriteBytes(folder.path() + "/de63.aoe2record", DefinitiveRecordBytes());
    view->Navigation().Refresh();
    QSignalSpy launch(view.get(), &MgxListView::LaunchRequested);

    DoubleClick("hd50.aoe2record");
    ASSERT_NE(view->CurrentRecord(), nullptr) << "the record shows as any other";
    ASSERT_EQ(prompt.Messages().size(), 1);
    EXPECT_EQ(prompt.Messages()[0].kind, UserPrompt::MessageKind::Information);
    EXPECT_EQ(prompt.Messages()[0].text, QStringLiteral("此录像需用《帝国时代II 高清版》（HD 5.x）播放，无法用征服者 1.0c 打开。"));

    DoubleClick("de63.aoe2record");
    ASSERT_EQ(prompt.Messages().size(), 3);
    EXPECT_EQ(prompt.Messages()[1].text, QStringLiteral("此录像来自决定版（版本 63.0），暂不支持")) << "the click";
    EXPECT_EQ(prompt.Messages()[2].text, QStringLiteral("此录像需用《帝国时代II 决定版》（版本 63.0）播放，无法用征服者 1.0c 打开。"))
        << "the double click";
    QTest::keyClick(view->ReportView(), Qt::Key_Return);
    ASSERT_EQ(prompt.Messages().size(), 4) << "Enter names it again, without the refusal";
    EXPECT_EQ(prompt.Messages()[3].text, prompt.Messages()[2].text);
    EXPECT_EQ(launch.count(), 0);

    DoubleClick("4v4_chat_ageups.mgx");
    EXPECT_EQ(launch.count(), 1) << "a record of The Conquerors still starts it";
    EXPECT_EQ(prompt.Messages().size(), 4);
}

TEST_F(MgxListViewTest, TheContextMenuIsTheHandlersAndOpensOnlyWithASelection)
{
    QList<QPoint> opened;
    Click("pack.zip");
    EXPECT_FALSE(view->ShowContextMenu(QPoint(50, 50))); // nobody to show it
    view->SetContextMenuHandler([&](const QPoint& at) { opened.append(at); });
    EXPECT_TRUE(view->ShowContextMenu(QPoint(50, 50)));
    EXPECT_EQ(opened, QList<QPoint>{QPoint(50, 50)});
    view->ReportView()->clearSelection();
    EXPECT_FALSE(view->ShowContextMenu(QPoint(50, 50)));
    EXPECT_EQ(opened.size(), 1);
}

// Enter does what a double click does, on the row current now even when the record has not been
// shown yet; F2, Backspace and Delete ask for rename, up and delete.
TEST_F(MgxListViewTest, EnterF2BackspaceAndDeleteDoWhatTheirCommandsDo)
{
    QSignalSpy commands(view.get(), &MgxListView::CommandRequested);
    QSignalSpy launch(view.get(), &MgxListView::LaunchRequested);
    Click("old");
    QTest::keyClick(view->ReportView(), Qt::Key_Down); // scenario.mgx, written by 1.0a
    QTest::keyClick(view->ReportView(), Qt::Key_Return);
    ASSERT_EQ(launch.count(), 1);
    EXPECT_EQ(launch.at(0).at(0).toInt(), 3);

    for (const int key : {Qt::Key_F2, Qt::Key_Backspace, Qt::Key_Delete})
        QTest::keyClick(view->ReportView(), Qt::Key(key));
    ASSERT_EQ(commands.count(), 3);
    EXPECT_EQ(commands.at(0).at(0).toInt(), int(Commands::Rename));
    EXPECT_EQ(commands.at(1).at(0).toInt(), int(Commands::Up));
    EXPECT_EQ(commands.at(2).at(0).toInt(), int(Commands::Delete));

    // The Enter that ends a name edit is the edit's: it starts nothing.
    view->EditRow(RowOf("scenario.mgx"));
    auto* editor = view->findChild<QLineEdit*>(QStringLiteral("nameEditor"));
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(launch.count(), 1);

    Click("old");
    QTest::keyClick(view->ReportView(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(view->Navigation().CurrentFolder(), QDir::toNativeSeparators(folder.path() + "/old"));
}

// The panel shows the current row's record whichever way the row became current; keys that come
// faster than records load are taken in first, and only the row they stop on is loaded.
TEST_F(MgxListViewTest, ThePanelFollowsTheCurrentRowAndAHeldKeyLoadsOnlyWhereItStops)
{
    QSignalSpy shown(view.get(), &MgxListView::RecordShown);
    const auto pathOf = [&](const char* name) { return QDir::toNativeSeparators(folder.path() + "/" + name); };
    Click("scenario.mgx");
    ASSERT_EQ(shown.count(), 1);
    for (int i = 0; i < 3; ++i) // past pack.zip and broken.mgx to 4v4_chat_ageups.mgx
        QTest::keyClick(view->ReportView(), Qt::Key_Down);
    EXPECT_EQ(shown.count(), 1);
    QCoreApplication::processEvents();
    ASSERT_EQ(shown.count(), 2);
    EXPECT_EQ(shown.at(1).at(0).toString(), pathOf("4v4_chat_ageups.mgx"));
    EXPECT_TRUE(prompt.Messages().isEmpty()); // the damaged record passed over was never read

    QTest::keyClick(view->ReportView(), Qt::Key_End);
    QCoreApplication::processEvents();
    ASSERT_EQ(shown.count(), 3);
    EXPECT_EQ(shown.at(2).at(0).toString(), pathOf("1v1_arabia.mgx"));

    view->ReportView()->keyboardSearch(QStringLiteral("sc"));
    QCoreApplication::processEvents();
    ASSERT_EQ(shown.count(), 4);
    EXPECT_EQ(shown.at(3).at(0).toString(), pathOf("scenario.mgx"));
    EXPECT_EQ(view->CurrentRecord()->chapters.front().logVersion, 3);
}

TEST_F(MgxListViewTest, ListingAgainKeepsTheSelectionAndTheCurrentRow)
{
    Click("scenario.mgx");
    Click("1v1_arabia.mgx", Qt::ControlModifier);
    QSignalSpy shown(view.get(), &MgxListView::RecordShown);
    WriteSample(folder.path(), "scenario.mgx"); // unchanged name, new row above the others:
    WriteBytes(folder.path() + "/zz.mgx", "x");
    view->Navigation().Refresh();
    EXPECT_EQ(Names().at(1), "zz.mgx");
    QStringList selected;
    for (const int row : view->SelectedRows())
        selected.append(view->Item(row).name);
    EXPECT_EQ(selected, QStringList({"scenario.mgx", "1v1_arabia.mgx"}));
    EXPECT_EQ(view->ReportView()->currentIndex().row(), RowOf("1v1_arabia.mgx"));
    QCoreApplication::processEvents();
    EXPECT_EQ(shown.count(), 0);
}

// A record that cannot be shown leaves the panel empty, map included, not showing the one before.
TEST_F(MgxListViewTest, ARecordThatCannotBeShownLeavesNoMapOfTheOneBefore)
{
    const TerrainPic* map = pane.GetGeneralPage().GetMapContainer().Picture();
    Click("4v4_chat_ageups.mgx");
    ASSERT_FALSE(map->TerrainImage().isNull());
    Click("broken.mgx");
    EXPECT_TRUE(map->TerrainImage().isNull());
    EXPECT_EQ(VersionLabel(), QStringLiteral("版本："));
}

// After a repair the repaired record is shown at once, and a later click shows it too.
TEST_F(MgxListViewTest, ARepairedRecordIsShownAtOnce)
{
    KORVALE_NEED_REAL_RECORDS();
    const QString damaged = folder.path() + "/damaged.mgx";
    ASSERT_TRUE(QFile::copy(QString::fromStdString(korvale::test::RealRecordPath("aoc10a_4v4_headerend0.mgx")), damaged));
    QFile::setPermissions(damaged, QFile::ReadOwner | QFile::WriteOwner);
    view->Navigation().Refresh();
    QSignalSpy shown(view.get(), &MgxListView::RecordShown);
    prompt.AnswerNext(true);
    Click("damaged.mgx");
    ASSERT_EQ(prompt.Questions().size(), 1);
    ASSERT_EQ(shown.count(), 1);
    ASSERT_NE(view->CurrentRecord(), nullptr);
    EXPECT_EQ(view->CurrentRecord()->chapters.front().status, Mgx::ChapterInfo::Read);
    EXPECT_FALSE(pane.GetGeneralPage().GetMapContainer().Picture()->TerrainImage().isNull());
    EXPECT_NE(VersionLabel(), QStringLiteral("版本："));
}

TEST_F(MgxListViewTest, SelectAllAndInvertLeaveTheFocusOnTheLastEntry)
{
    Click("pack.zip");
    view->InvertSelection();
    QList<int> expected;
    for (int row = 0; row < view->RowCount(); ++row) {
        if (row != RowOf("pack.zip"))
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
    const int row = RowOf("pack.zip");
    view->EditRow(row);
    auto* editor = view->findChild<QLineEdit*>(QStringLiteral("nameEditor"));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "pack.zip");
    editor->setText("renamed.zip");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the editor commits after handling the key
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    ASSERT_EQ(edited.count(), 1);
    EXPECT_EQ(edited.at(0).at(0).toInt(), row);
    EXPECT_EQ(edited.at(0).at(1).toString(), "renamed.zip");
    EXPECT_EQ(view->ItemText(row), "pack.zip");
    EXPECT_TRUE(QFile::exists(folder.path() + "/pack.zip"));

    view->EditRow(row);
    editor = view->findChild<QLineEdit*>(QStringLiteral("nameEditor"));
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Escape);
    QCoreApplication::processEvents();
    ASSERT_EQ(edited.count(), 2);
    EXPECT_TRUE(edited.at(1).at(1).toString().isNull());

    view->UpdateRow(row, folder.path() + "/renamed.zip", "renamed.zip");
    EXPECT_EQ(view->ItemText(row), "renamed.zip");
    EXPECT_EQ(view->Item(row).fullPath, folder.path() + "/renamed.zip");
}

// A failed rename is said in a message box, which takes the focus from the editor and runs an
// event loop of its own: the view must be done with the editor before anyone hears how the edit
// ended, or it uses the editor after the box's loop deleted it.
TEST_F(MgxListViewTest, AMessageBoxAfterAnEditDoesNotOutliveTheEditor)
{
    view->setAttribute(Qt::WA_DontShowOnScreen, false);
    view->show();
    QApplication::setActiveWindow(view.get());
    QLineEdit box(view.get()); // stands for the box's button, which takes the focus
    int boxes = 0;
    // An editor closed twice is one used after it was deleted; Qt says so before it touches it.
    static QStringList warnings;
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtWarningMsg)
            warnings.append(text);
    });
    QObject::connect(view.get(), &MgxListView::NameEdited, view.get(), [&](int, const QString&) {
        box.show();
        box.setFocus();
        QEventLoop loop;
        QTimer::singleShot(0, &loop, &QEventLoop::quit);
        loop.exec();
        box.hide();
        ++boxes;
    });
    for (const int key : {Qt::Key_Return, Qt::Key_Escape}) {
        view->EditRow(RowOf("pack.zip"));
        auto* editor = view->findChild<QLineEdit*>(QStringLiteral("nameEditor"));
        ASSERT_NE(editor, nullptr);
        editor->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), editor);
        editor->setText("scenario.mgx");
        QTest::keyClick(editor, Qt::Key(key));
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(view->findChild<QLineEdit*>(QStringLiteral("nameEditor")));
    }
    qInstallMessageHandler(previous);
    EXPECT_EQ(boxes, 2);
    EXPECT_TRUE(warnings.filter(QStringLiteral("closeEditor")).isEmpty()) << warnings.join('\n').toStdString();
}

TEST_F(MgxListViewTest, NavigationEventsListFoldersAndReportTheResult)
{
    const QStringList before = Names();
    NavigationEvent missing(NavigationEvent::ListFolder, folder.path() + "/nowhere");
    QCoreApplication::sendEvent(view.get(), &missing);
    EXPECT_FALSE(missing.result);
    EXPECT_EQ(Names(), before);

    NavigationEvent relative(NavigationEvent::GoToTypedPath, "old");
    QCoreApplication::sendEvent(view.get(), &relative);
    EXPECT_FALSE(relative.result);

    NavigationEvent typed(NavigationEvent::GoToTypedPath, "  " + folder.path() + "/old  ");
    QCoreApplication::sendEvent(view.get(), &typed);
    EXPECT_TRUE(typed.result);
    EXPECT_EQ(Names(), QStringList({"1v1_arabia.mgx"}));

    NavigationEvent back(NavigationEvent::ListFolder, folder.path());
    QCoreApplication::sendEvent(view.get(), &back);
    EXPECT_TRUE(back.result);
    EXPECT_EQ(Names(), before);
}

TEST_F(MgxListViewTest, RemovingARowAndRefreshing)
{
    const int row = RowOf("broken.mgx");
    view->RemoveRow(row);
    EXPECT_EQ(RowOf("broken.mgx"), -1);
    WriteBytes(folder.path() + "/new.rar", "Rar!");
    view->Navigation().Refresh();
    EXPECT_NE(RowOf("broken.mgx"), -1);
    EXPECT_NE(RowOf("new.rar"), -1);
}

TEST_F(MgxListViewTest, ListAndReportViewsShareOneSelection)
{
    EXPECT_TRUE(view->IsReportView());
    Click("pack.zip");
    view->SetReportView(false);
    EXPECT_FALSE(view->IsReportView());
    EXPECT_TRUE(view->PlainListView()->isVisible());
    EXPECT_EQ(view->PlainListView()->selectionModel(), view->ReportView()->selectionModel());
    EXPECT_EQ(view->SelectedRows(), QList<int>({RowOf("pack.zip")}));

    QSignalSpy shown(view.get(), &MgxListView::RecordShown);
    const QRect cell = view->PlainListView()->visualRect(view->Model().index(RowOf("scenario.mgx"), 0));
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
    view->Navigation().Refresh();
    Click("scenario.mgx");
    const QImage picture = view->grab().toImage();
    if (const QByteArray dir = qgetenv("KORVALE_SCREENSHOT_DIR"); !dir.isEmpty()) {
        picture.save(QString::fromLocal8Bit(dir) + "/record-list.png");
        view->SetReportView(false);
        view->grab().save(QString::fromLocal8Bit(dir) + "/record-list-plain.png");
        view->SetReportView(true);
    }

    QTreeView* report = view->ReportView();
    for (const QString& name : {QString("old"), QString("broken.mgx"), QString("pack.zip"), QString("archive.rar")}) {
        const QRect cell = report->visualRect(view->Model().index(RowOf(name), 0));
        const QImage icon = view->Model().data(view->Model().index(RowOf(name), 0), Qt::DecorationRole)
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
    Click("old");
    Click("scenario.mgx");
    Click("scenario.mgx");
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules(QString());
    const QString path = QDir::toNativeSeparators(folder.path() + "/scenario.mgx");
    EXPECT_EQ(traced, QStringList({"single Selected! [old]", "single Selected! [scenario.mgx]",
                                   "show mgx file info [" + path + "]", "single Selected! [scenario.mgx]",
                                   "show mgx file info [" + path + "]"}));
}

// A record's name cell shows the map tip, whose first line is the whole name; other cut-off
// cells keep the text tip.
TEST_F(MgxListViewTest, CutOffNamesGetATipWithTheWholeName)
{
    WriteBytes(folder.path() + "/a_rather_long_archive_name.zip", "PK");
    view->Navigation().Refresh();
    QTreeView* report = view->ReportView();
    const auto tipAt = [&](const QString& name) {
        QToolTip::hideText();
        const QPoint at = CentreOf(RowOf(name));
        QHelpEvent help(QEvent::ToolTip, at, report->viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(report->viewport(), &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    // A hidden tip lingers for a moment, so the name that fits is asked first.
    EXPECT_EQ(tipAt("old"), QString());
    EXPECT_EQ(tipAt("a_rather_long_archive_name.zip"), "a_rather_long_archive_name.zip");
    EXPECT_FALSE(view->HoverTip()->isVisible());
    tipAt("4v4_chat_ageups.mgx");
    ASSERT_TRUE(view->HoverTip()->isVisible());
    EXPECT_EQ(view->HoverTip()->TitleLabel()->text(), "4v4_chat_ageups.mgx");
}

// The extra columns are off until switched on from the header's menu; switching them on, moving
// them and sorting by them leaves the three-column block byte for byte as it was, and their own
// key brings them back at the next start.
TEST_F(MgxListViewTest, ExtraColumnsAreSwitchedFromTheHeaderMenuAndKeptUnderTheirOwnKey)
{
    QHeaderView* header = view->ReportView()->header();
    std::unique_ptr<QMenu> menu(view->Columns().CreateColumnMenu(nullptr));
    const QList<QAction*> actions = menu->actions();
    ASSERT_EQ(actions.size(), LibraryColumns::Count);
    QStringList texts;
    for (QAction* action : actions) {
        texts.append(action->text());
        EXPECT_TRUE(action->isCheckable());
        EXPECT_FALSE(action->isChecked());
        EXPECT_TRUE(header->isSectionHidden(action->data().toInt()));
    }
    EXPECT_EQ(texts, (QStringList{"对手/玩家", "地图", "时长", "版本", "人数"}));
    // A right click on the header opens the same menu.
    Q_EMIT header->customContextMenuRequested(QPoint(5, 5));
    auto* popup = view->findChild<QMenu*>(QStringLiteral("columnMenu"));
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->actions().size(), LibraryColumns::Count);
    popup->close();

    view->Columns().SortByColumn(2);
    const QByteArray before = view->Columns().Current().BaseBlock();
    actions[0]->trigger(); // players
    actions[2]->trigger(); // duration
    EXPECT_TRUE(view->Columns().IsExtraColumnShown(LibraryColumns::Players));
    EXPECT_TRUE(view->Columns().IsExtraColumnShown(LibraryColumns::Duration));
    EXPECT_FALSE(view->Columns().IsExtraColumnShown(LibraryColumns::Map));
    header->resizeSection(LibraryColumns::Players, 150);
    header->moveSection(header->visualIndex(LibraryColumns::Players), 0);
    EXPECT_EQ(view->Columns().Current().BaseBlock(), before);
    ASSERT_EQ(before.size(), 8 + 9 * 3);

    view.reset();
    QSettings profile("Korvale", "Korvale");
    EXPECT_EQ(profile.value(ProfileKey()).toByteArray(), before);
    EXPECT_TRUE(profile.contains(ExtraColumnsKey()));

    view = MakeView();
    header = view->ReportView()->header();
    EXPECT_TRUE(view->Columns().IsExtraColumnShown(LibraryColumns::Players));
    EXPECT_TRUE(view->Columns().IsExtraColumnShown(LibraryColumns::Duration));
    for (const int hidden : {LibraryColumns::Map, LibraryColumns::Version, LibraryColumns::PlayerCount})
        EXPECT_FALSE(view->Columns().IsExtraColumnShown(hidden)) << hidden;
    EXPECT_EQ(header->visualIndex(LibraryColumns::Players), 0);
    EXPECT_EQ(header->visualIndex(0), 1);
    EXPECT_EQ(header->sectionSize(LibraryColumns::Players), 150);
    EXPECT_EQ(view->Columns().Sort().value, 3);

    // Switched off again: gone from the screen, and off at the next start.
    std::unique_ptr<QMenu> again(view->Columns().CreateColumnMenu(nullptr));
    EXPECT_TRUE(again->actions()[0]->isChecked());
    again->actions()[0]->trigger();
    EXPECT_TRUE(header->isSectionHidden(LibraryColumns::Players));
    view.reset();
    view = MakeView();
    EXPECT_FALSE(view->Columns().IsExtraColumnShown(LibraryColumns::Players));
    EXPECT_TRUE(view->Columns().IsExtraColumnShown(LibraryColumns::Duration));
}

TEST_F(MgxListViewTest, ASortByAnExtraColumnIsKeptWithoutBreakingTheBlock)
{
    view->Columns().SetExtraColumnShown(LibraryColumns::Duration, true);
    view->Columns().SortByColumn(LibraryColumns::Duration); // reversed: longest first
    EXPECT_EQ(view->Columns().Sort().value, LibraryColumns::Duration + 1);
    EXPECT_EQ(DecodeHeaderState(view->Columns().Current().BaseBlock(), 3)->sortState, 0);
    EXPECT_EQ(DecodeHeaderState(view->Columns().Current().ExtrasBlock(), LibraryColumns::Count)->sortState, LibraryColumns::Duration + 1 - LibraryColumns::First);
    view->Columns().SortByColumn(LibraryColumns::Duration);
    view.reset();

    const std::optional<HeaderState> block =
        DecodeHeaderState(QSettings("Korvale", "Korvale").value(ProfileKey()).toByteArray(), 3);
    ASSERT_TRUE(block.has_value());
    EXPECT_EQ(block->sortState, 0);
    view = MakeView();
    EXPECT_EQ(view->Columns().Sort().value, -(LibraryColumns::Duration + 1));
    EXPECT_EQ(view->ReportView()->header()->sortIndicatorSection(), LibraryColumns::Duration);
    // The sort commands still reach the first three columns.
    view->Columns().SortByColumn(0);
    EXPECT_EQ(view->Columns().Sort().value, 1);
    EXPECT_EQ(DecodeHeaderState(view->Columns().Current().BaseBlock(), 3)->sortState, 1);
    EXPECT_EQ(DecodeHeaderState(view->Columns().Current().ExtrasBlock(), LibraryColumns::Count)->sortState, 0);
}

// Summaries fill the extra columns of the rows standing, without moving the selection or the
// scroll position.
TEST_F(MgxListViewTest, ExtraColumnsFillInAsSummariesArriveAndKeepTheSelection)
{
    for (const int column : {LibraryColumns::Players, LibraryColumns::Map, LibraryColumns::Duration,
                             LibraryColumns::Version, LibraryColumns::PlayerCount})
        view->Columns().SetExtraColumnShown(column, true);
    view->resize(900, 300);
    Click("4v4_chat_ageups.mgx");
    const int scroll = view->ReportView()->horizontalScrollBar()->value();
    const int row = RowOf("4v4_chat_ageups.mgx");
    EXPECT_EQ(view->Model().index(row, LibraryColumns::Players).data().toString(), "");

    Mgx::RecordReader reader;
    QList<LibrarySummary> summaries;
    for (const QString& name : {QStringLiteral("1v1_arabia.mgx"), QStringLiteral("4v4_chat_ageups.mgx"),
                                QStringLiteral("scenario.mgx"), QStringLiteral("broken.mgx")})
        summaries.append(ReadLibrarySummary(reader, folder.path() + "/" + name, 0, 0));
    view->Model().AddSummaries(summaries, LibrarySearch::TableNames());

    EXPECT_EQ(view->SelectedRows(), QList<int>{row});
    EXPECT_EQ(view->ReportView()->horizontalScrollBar()->value(), scroll);
    EXPECT_EQ(view->Model().index(row, LibraryColumns::Players).data().toString().count(" vs "), 1);
    EXPECT_EQ(view->Model().index(row, LibraryColumns::PlayerCount).data().toString(), "8");
    EXPECT_EQ(view->Model().index(RowOf("1v1_arabia.mgx"), LibraryColumns::Map).data().toString(), "阿拉伯");
    EXPECT_EQ(view->Model().index(RowOf("scenario.mgx"), LibraryColumns::Version).data().toString(), "1.0a");
    EXPECT_EQ(view->Model().index(RowOf("broken.mgx"), LibraryColumns::Players).data().toString(), "-");
    EXPECT_EQ(view->Model().index(RowOf("pack.zip"), LibraryColumns::Players).data().toString(), "");
    view->grab().save(QString::fromStdString(korvale::build::BuildPath("list-extra-columns.png")));
}

// The map tip: a real record shows its map as the compact pane draws it and its players; folders,
// archives and damaged records show none. The time from the hover to the shown tip is printed.
TEST_F(MgxListViewTest, TheMapTipShowsForARealRecordOnly)
{
    KORVALE_NEED_REAL_RECORDS();
    const QString real = "aoc10a_4v4_arabia_gbk.mgx";
    const QString other = "aoc10c_1v1_arabia.mgx";
    for (const QString& name : {real, other})
        ASSERT_TRUE(QFile::copy(QString::fromStdString(korvale::test::RealRecordPath(name.toStdString())),
                                folder.path() + "/" + name));
    view->Navigation().Refresh();
    QTreeView* report = view->ReportView();
    RecordHoverTip* tip = view->HoverTip();
    // Wall and thread CPU milliseconds: on a busy machine the wall time mostly waits for a core.
    const auto hover = [&](const QString& name, int column = 0) {
        tip->hide();
        const QPoint at = report->visualRect(view->Model().index(RowOf(name), column)).center();
        QHelpEvent help(QEvent::ToolTip, at, report->viewport()->mapToGlobal(at));
        QElapsedTimer timer;
        timespec cpuStart{};
        timespec cpuEnd{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpuStart);
        timer.start();
        QCoreApplication::sendEvent(report->viewport(), &help);
        const double wall = timer.nsecsElapsed() / 1e6;
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpuEnd);
        const double cpu = (cpuEnd.tv_sec - cpuStart.tv_sec) * 1e3 + (cpuEnd.tv_nsec - cpuStart.tv_nsec) / 1e6;
        return std::to_string(wall) + " ms (cpu " + std::to_string(cpu) + " ms)";
    };

    // The first tip of a run also makes its window; the figures that matter are the next ones.
    const std::string first = hover(other);
    EXPECT_TRUE(tip->isVisible());
    const std::string read = hover(real);
    ASSERT_TRUE(tip->isVisible());
    EXPECT_EQ(tip->TitleLabel()->text(), real);
    EXPECT_EQ(tip->MapLabel()->pixmap().size(), QSize(179, 89));
    const QImage map = tip->MapLabel()->pixmap().toImage();
    EXPECT_GT(map.pixelColor(89, 44).alpha(), 0); // the diamond's middle is drawn
    EXPECT_TRUE(tip->PlayersLabel()->isVisible());
    EXPECT_EQ(tip->PlayersLabel()->text().count("<br>vs<br>"), 1); // 4 against 4
    tip->grab().save(QString::fromStdString(korvale::build::BuildPath("list-map-tip.png")));
    const std::string kept = hover(real);
    EXPECT_TRUE(tip->isVisible());
    std::cout << "map tip shown after the hover: " << first << " first tip of the run, " << read << " record read, "
              << kept << " picture kept\n";
    RecordProperty("hoverRead", read);

    // Leaving the row hides it; so does a click.
    QMouseEvent away(QEvent::MouseMove, CentreOf(RowOf("old")), report->viewport()->mapToGlobal(CentreOf(RowOf("old"))),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(report->viewport(), &away);
    EXPECT_FALSE(tip->isVisible());

    for (const QString& name : {QStringLiteral("old"), QStringLiteral("pack.zip"), QStringLiteral("broken.mgx")}) {
        hover(name);
        EXPECT_FALSE(tip->isVisible()) << name.toStdString();
    }
    hover(real, 1); // the size cell keeps the text tip
    EXPECT_FALSE(tip->isVisible());

    // The plain list view shows it too.
    view->SetReportView(false);
    QListView* list = view->PlainListView();
    list->doItemsLayout();
    const QPoint at = list->visualRect(view->Model().index(RowOf(real), 0)).center();
    QHelpEvent help(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(list->viewport(), &help);
    EXPECT_TRUE(tip->isVisible());
}

// Reading for the tips never touches the shown record, and a record changed on disk is read again.
TEST(HoverPictures, KeepsTheLastFewAndReadsAChangedRecordAgain)
{
    EnsureApplication();
    QTemporaryDir folder;
    WriteSample(folder.path(), "1v1_arabia.mgx");
    WriteSample(folder.path(), "4v4_chat_ageups.mgx");
    WriteBytes(folder.path() + "/broken.mgx", QByteArray(64, '\x7f'));
    HoverPictures pictures(1);
    const auto first = pictures.PictureOf(folder.path() + "/1v1_arabia.mgx");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->sides.size(), 2);
    EXPECT_EQ(pictures.PictureOf(folder.path() + "/1v1_arabia.mgx"), first);
    EXPECT_NE(pictures.PictureOf(folder.path() + "/4v4_chat_ageups.mgx"), nullptr);
    EXPECT_EQ(pictures.CachedCount(), 1);
    EXPECT_NE(pictures.PictureOf(folder.path() + "/1v1_arabia.mgx"), first); // pushed out, read again
    EXPECT_EQ(pictures.PictureOf(folder.path() + "/broken.mgx"), nullptr);
    EXPECT_EQ(pictures.PictureOf(folder.path() + "/missing.mgx"), nullptr);

    QList<LibraryPlayer> side{{"<b>甲</b>", 1, 1, 2, 1}};
    const QString html = HoverPlayersHtml({side, {{"乙", 2, 6, 3, 1}}});
    EXPECT_TRUE(html.contains("&lt;b&gt;甲&lt;/b&gt;"));
    EXPECT_TRUE(html.contains("#ff0000")); // colour 1: red
    EXPECT_TRUE(html.contains("vs<br><span"));
}

} // namespace
