#include "MgxListView.h"
#include "ListNavigation.h"
#include "ListColumns.h"

#include "FolderWatch.h"
#include "InfoContainer.h"
#include "RecordListModel.h"
#include "RecordWriter.h"
#include "SampleRecords.h"
#include "ScriptedPrompt.h"
#include "ShellTestSupport.h"
#include "TestFiles.h"

#include <QApplication>
#include <QFile>
#include <QItemSelectionModel>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include <limits>

#include <filesystem>

namespace {

// A folder of forty records (the first three real samples) in a view too short to show them all.
class MgxListViewWatchTest : public ::testing::Test {
protected:
    static constexpr int DelayMs = 400;

    static void SetUpTestSuite() { EnsureShellApplication(); } // before the members, which are widgets

    MgxListViewWatchTest()
    {
        QStandardPaths::setTestModeEnabled(true);
        const std::vector<Mgx::SampleRecord> samples = Mgx::SampleRecords();
        for (std::size_t i = 0; i < 3; ++i)
            Mgx::RecordWriter(samples[i].blueprint)
                .WriteFile(std::filesystem::path(Path(samples[i].fileName.c_str()).toStdString()));
        for (int i = 0; i < 37; ++i)
            TestFiles::Write(dir.path() + QStringLiteral("/filler%1.mgx").arg(i, 2, 10, QLatin1Char('0')), "x");
        GameSettings settings;
        settings.SaveGameFolder = dir.path();
        view.SetSettings(settings);
        view.SetInfoPane(&pane);
        view.SetPrompt(&prompt);
        view.Navigation().Watcher().SetDelay(DelayMs);
        view.resize(420, 200);
        view.setAttribute(Qt::WA_DontShowOnScreen);
        view.show();
    }

    QString Path(const char* name) const { return dir.path() + QLatin1Char('/') + QString::fromUtf8(name); }

    int RowOf(const QString& name) const
    {
        for (int row = 0; row < view.RowCount(); ++row)
            if (view.Item(row).name == name)
                return row;
        return -1;
    }

    QStringList SelectedNames() const
    {
        QStringList names;
        for (const int row : view.SelectedRows())
            names.append(view.Item(row).name);
        names.sort();
        return names;
    }

    void Click(const char* name)
    {
        const QModelIndex index = view.Model().index(RowOf(QString::fromUtf8(name)), 0);
        view.ReportView()->scrollTo(index);
        QTest::mouseClick(view.ReportView()->viewport(), Qt::LeftButton, {}, view.ReportView()->visualRect(index).center());
    }

    bool WaitForRows(int rows) { return QTest::qWaitFor([&] { return view.RowCount() == rows; }, 3000); }

    QTemporaryDir dir;
    InfoContainer pane;
    ScriptedPrompt prompt;
    MgxListView view;
};

} // namespace

TEST_F(MgxListViewWatchTest, NewAndRemovedRecordsShowAfterTheDelayKeepingSelectionScrollAndTheShownRecord)
{
    ASSERT_EQ(view.RowCount(), 40);
    Click("1v1_arabia.mgx");
    const Mgx::GameRecord* shown = view.CurrentRecord();
    ASSERT_NE(shown, nullptr);
    Click("4v4_chat_ageups.mgx");
    view.ReportView()->selectionModel()->select(view.Model().index(RowOf(QStringLiteral("filler05.mgx")), 0),
                                                QItemSelectionModel::Select | QItemSelectionModel::Rows);
    shown = view.CurrentRecord();
    ASSERT_NE(shown, nullptr);
    const QString currentName = view.Item(view.ReportView()->currentIndex().row()).name;
    QScrollBar* scroll = view.ReportView()->verticalScrollBar();
    ASSERT_GT(scroll->maximum(), 5) << "the view must be able to scroll";
    scroll->setValue(5);
    const QStringList selected = SelectedNames();
    ASSERT_EQ(selected, (QStringList{"4v4_chat_ageups.mgx", "filler05.mgx"}));

    // A game just finished: it appears, once the writes have settled. The delay is held until the
    // change has been seen, so "nothing before the delay" does not depend on the machine's speed.
    view.Navigation().Watcher().SetDelay(std::numeric_limits<int>::max());
    Mgx::RecordWriter(Mgx::SampleRecords()[0].blueprint).WriteFile(std::filesystem::path(Path("zz_new.mgx").toStdString()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.Navigation().Watcher().IsPending(); }, 30000));
    EXPECT_EQ(view.RowCount(), 40) << "nothing before the delay";
    view.Navigation().Watcher().SetDelay(DelayMs);
    ASSERT_TRUE(WaitForRows(41));
    EXPECT_NE(RowOf(QStringLiteral("zz_new.mgx")), -1);
    EXPECT_EQ(SelectedNames(), selected);
    EXPECT_EQ(scroll->value(), 5);
    EXPECT_EQ(view.Item(view.ReportView()->currentIndex().row()).name, currentName);
    EXPECT_EQ(view.CurrentRecord(), shown) << "the record shown is not loaded again";

    // A selected record removed: it goes, the other stays selected.
    ASSERT_TRUE(QFile::remove(Path("filler05.mgx")));
    ASSERT_TRUE(WaitForRows(40));
    EXPECT_EQ(RowOf(QStringLiteral("filler05.mgx")), -1);
    EXPECT_EQ(SelectedNames(), QStringList{"4v4_chat_ageups.mgx"});
    EXPECT_EQ(view.CurrentRecord(), shown);
}

TEST_F(MgxListViewWatchTest, AGrowingRecordShowsItsNewSizeAndAnotherFolderIsWatchedInstead)
{
    const int row = RowOf(QStringLiteral("filler00.mgx"));
    ASSERT_NE(row, -1);
    QFile file(Path("filler00.mgx"));
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write(QByteArray(5000, 'y'));
    file.close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.Item(RowOf(QStringLiteral("filler00.mgx"))).size == 5001; }, 3000));

    QTemporaryDir other;
    ASSERT_TRUE(view.Navigation().ListFolder(other.path()));
    EXPECT_EQ(view.Navigation().Watcher().Folder(), view.Navigation().CurrentFolder());
    TestFiles::Write(Path("late.mgx"), "x");
    TestFiles::Write(other.path() + QStringLiteral("/here.mgx"), "x");
    ASSERT_TRUE(WaitForRows(1));
    EXPECT_EQ(view.Item(0).name, QStringLiteral("here.mgx"));
}
