// Entering, browsing and leaving Zip and RAR archives in the record list, off screen.
#include "AddressBarStub.h"
#include "MgxListView.h"
#include "ListNavigation.h"
#include "ListColumns.h"
#include "TestApplication.h"

#include "ArchiveMessages.h"
#include "ArchiveTestSupport.h"
#include "FolderWatch.h"
#include "InfoContainer.h"
#include "LibrarySearch.h"
#include "NavigationEvent.h"
#include "PathCombo.h"
#include "PathComboEdit.h"
#include "RecordListModel.h"
#include "RecordWriter.h"
#include "SampleRecords.h"
#include "ScriptedPrompt.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace ArchiveFixtures;

namespace {

QByteArray SampleBytes(const char* fileName)
{
    for (const Mgx::SampleRecord& sample : Mgx::SampleRecords()) {
        if (sample.fileName == fileName) {
            const std::vector<std::uint8_t> bytes = Mgx::RecordWriter(sample.blueprint).FileBytes();
            return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
        }
    }
    ADD_FAILURE() << "no sample " << fileName;
    return {};
}

// A folder holding cup.zip (two records, a folder with one more, an archive inside and a record
// whose body start is missing), the same as cup.rar, and a damaged broken.zip.
class MgxListViewArchiveTest : public ::testing::TestWithParam<const char*> {
protected:
    static void SetUpTestSuite()
    {
        QStandardPaths::setTestModeEnabled(true);
        korvale::test::EnsureApplicationOf<QApplication>("korvale_app_tests");
    }

    MgxListViewArchiveTest()
    {
        const QList<Entry> entries{{"1v1_arabia.mgx", SampleBytes("1v1_arabia.mgx")},
                                   {"final/scenario.mgx", SampleBytes("scenario.mgx")},
                                   {"4v4_chat_ageups.mgx", SampleBytes("4v4_chat_ageups.mgx")},
                                   {"nested.rar", "Rar!"},
                                   {"headless.mgx", QByteArray(64, '\0')},
                                   {"readme.txt", "not listed"}};
        WriteArchive(folder.filePath("cup.zip"), entries);
        WriteArchive(folder.filePath("cup.rar"), entries);
        TestFiles::Write(folder.filePath("broken.zip"), "PK\x03\x04 and then nothing");
        GameSettings settings;
        settings.SaveGameFolder = folder.path();
        view.SetSettings(settings);
        view.SetInfoPane(&pane);
        view.SetPrompt(&prompt);
        view.SetAddressBarTarget(&addressBar);
        view.resize(520, 300);
        view.setAttribute(Qt::WA_DontShowOnScreen);
        view.show();
        QCoreApplication::sendPostedEvents(&addressBar);
        addressBar.shown.clear();
    }

    QString Archive() const { return QDir::toNativeSeparators(folder.filePath(QStringLiteral("cup.") + GetParam())); }

    QStringList Names() const
    {
        QStringList result;
        for (const MgxListItem& item : view.Model().Items())
            result.append(item.name);
        return result;
    }

    QPoint CentreOf(const QString& name) const
    {
        return view.ReportView()->visualRect(view.Model().index(int(Names().indexOf(name)), 0)).center();
    }
    void Click(const QString& name) { QTest::mouseClick(view.ReportView()->viewport(), Qt::LeftButton, {}, CentreOf(name)); }
    void DoubleClick(const QString& name)
    {
        Click(name);
        QTest::mouseDClick(view.ReportView()->viewport(), Qt::LeftButton, {}, CentreOf(name));
        QCoreApplication::sendPostedEvents(&addressBar);
    }
    bool List(const QString& path)
    {
        NavigationEvent event(NavigationEvent::ListFolder, path);
        QCoreApplication::sendEvent(&view, &event);
        return event.result;
    }

    QTemporaryDir folder;
    InfoContainer pane;
    ScriptedPrompt prompt;
    AddressBarStub addressBar;
    MgxListView view;
};

} // namespace

TEST_P(MgxListViewArchiveTest, ADoubleClickEntersTheArchiveAndItsFoldersAndUpLeaves)
{
    const QString cup = QStringLiteral("cup.") + GetParam();
    DoubleClick(cup);
    EXPECT_EQ(view.Navigation().CurrentFolder(), Archive());
    ASSERT_TRUE(view.Navigation().CurrentArchive());
    EXPECT_EQ(view.Navigation().CurrentArchive()->innerFolder, QString());
    EXPECT_EQ(addressBar.shown, QStringList{Archive()});
    // Folders first, then by time (all equal here) in the usual order; the text file is not listed.
    EXPECT_EQ(Names().size(), 5);
    EXPECT_EQ(Names().first(), "final");
    EXPECT_FALSE(Names().contains("readme.txt"));
    // The folder watch leaves archives alone.
    EXPECT_TRUE(view.Navigation().Watcher().Folder().isEmpty());

    DoubleClick("final");
    EXPECT_EQ(view.Navigation().CurrentFolder(), Archive() + "/final");
    EXPECT_EQ(Names(), QStringList{"scenario.mgx"});
    EXPECT_EQ(addressBar.shown.last(), Archive() + "/final");

    // Up climbs the archive's folders, then leaves it; the address bar follows.
    view.Navigation().Up();
    EXPECT_EQ(view.Navigation().CurrentFolder(), Archive());
    view.Navigation().Up();
    QCoreApplication::sendPostedEvents(&addressBar);
    EXPECT_EQ(addressBar.shown.last(), QDir::toNativeSeparators(folder.path()));
    EXPECT_EQ(view.Navigation().CurrentFolder(), QDir::toNativeSeparators(folder.path()));
    EXPECT_FALSE(view.Navigation().CurrentArchive());
    EXPECT_EQ(view.Navigation().Watcher().Folder(), QDir::toNativeSeparators(folder.path()));

    NavigationEvent typed(NavigationEvent::GoToTypedPath, Archive() + "/final/");
    QCoreApplication::sendEvent(&view, &typed);
    EXPECT_TRUE(typed.result);
    EXPECT_EQ(Names(), QStringList{"scenario.mgx"});
    EXPECT_TRUE(prompt.Messages().isEmpty());
}

TEST_P(MgxListViewArchiveTest, AClickShowsARecordReadFromTheArchive)
{
    ASSERT_TRUE(view.Navigation().NavigateTo(Archive()));
    QSignalSpy shown(&view, &MgxListView::RecordShown);
    Click("4v4_chat_ageups.mgx");
    ASSERT_EQ(shown.count(), 1);
    EXPECT_EQ(shown.at(0).at(0).toString(), Archive() + "/4v4_chat_ageups.mgx");
    ASSERT_NE(view.CurrentRecord(), nullptr);
    EXPECT_EQ(view.CurrentRecord()->FullPath(), (Archive() + "/4v4_chat_ageups.mgx").toStdString());
    EXPECT_FALSE(pane.findChild<QLabel*>(QStringLiteral("versionLabel"))->text().isEmpty());
    EXPECT_TRUE(prompt.Messages().isEmpty());
    // Nothing was unpacked beside the archive.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(), 3);
}

TEST_P(MgxListViewArchiveTest, NestedArchivesAndRepairAreRefusedWithOneMessageEach)
{
    ASSERT_TRUE(view.Navigation().NavigateTo(Archive()));
    DoubleClick("nested.rar");
    EXPECT_EQ(view.Navigation().CurrentFolder(), Archive());
    Click("headless.mgx");
    EXPECT_EQ(prompt.MessageTexts(), (QStringList{ArchiveMessages::Nested(), ArchiveMessages::RepairRefused()}));
    EXPECT_TRUE(prompt.AskedQuestions().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(ZipAndRar, MgxListViewArchiveTest, ::testing::Values("zip", "rar"));

class MgxListViewBrokenArchiveTest : public MgxListViewArchiveTest {};

TEST_P(MgxListViewBrokenArchiveTest, ADamagedArchiveKeepsTheOldListingAndAddress)
{
    const QStringList before = Names();
    DoubleClick("broken.zip");
    EXPECT_EQ(Names(), before);
    EXPECT_EQ(view.Navigation().CurrentFolder(), QDir::toNativeSeparators(folder.path()));
    EXPECT_TRUE(addressBar.shown.isEmpty());
    EXPECT_EQ(prompt.MessageTexts(), QStringList{ArchiveMessages::ForResult(ArchiveResult::Damaged)});
    // A folder the archive does not hold is no place to go either.
    EXPECT_FALSE(view.Navigation().NavigateTo(Archive() + "/nowhere"));
    EXPECT_EQ(Names(), before);
}

INSTANTIATE_TEST_SUITE_P(Zip, MgxListViewBrokenArchiveTest, ::testing::Values("zip"));

TEST_P(MgxListViewArchiveTest, TheSearchDoesNotApplyInsideAnArchive)
{
    QTemporaryDir cache;
    LibrarySearch search(view.Model(), cache.filePath("library.db"));
    QObject::connect(&view.Navigation(), &ListNavigation::FolderListed, &search, &LibrarySearch::FolderListed);
    search.SetQuery(QStringLiteral("no such player"));
    ASSERT_TRUE(view.Navigation().NavigateTo(Archive()));
    EXPECT_FALSE(view.Model().IsFiltered());
    EXPECT_EQ(view.Model().rowCount(), 5);
    search.Indexer().WaitForDone(5000);
    QCoreApplication::processEvents();
    EXPECT_EQ(view.Model().rowCount(), 5);
}

TEST(PathComboArchiveTest, TheInsideOfAnArchiveShowsWithATrailingSeparator)
{
    QStandardPaths::setTestModeEnabled(true);
    korvale::test::EnsureApplicationOf<QApplication>("korvale_app_tests");
    QTemporaryDir folder;
    WriteArchive(folder.filePath("cup.zip"), {{"final/a.mgx", "a"}});
    PathCombo combo;
    combo.SetFixedEntries({{QStringLiteral("/"), QStringLiteral("计算机"), 1, PathEntries::Kind::Computer}});
    for (const QString& inside : {folder.filePath("cup.zip"), folder.filePath("cup.zip/final")}) {
        NavigationEvent select(NavigationEvent::SelectFolder, inside);
        QCoreApplication::sendEvent(&combo, &select);
        EXPECT_EQ(combo.Edit()->text(), QDir::toNativeSeparators(inside) + QDir::separator());
        EXPECT_EQ(combo.SelectedFolder(), inside);
    }
    NavigationEvent plain(NavigationEvent::SelectFolder, folder.path());
    QCoreApplication::sendEvent(&combo, &plain);
    EXPECT_EQ(combo.Edit()->text(), QDir::toNativeSeparators(folder.path()));
}
