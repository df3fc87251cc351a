#include "BuildPaths.h"
#include "TemplateRenamer.h"

#include "MemorySelection.h"
#include "RecordWriter.h"
#include "SampleRecords.h"
#include "ScriptedPrompt.h"
#include "ShellTestSupport.h"
#include "TemplateRenameDialog.h"
#include "TestFiles.h"

#include <QDir>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// A folder with the bundled samples (records), a subfolder and a selection over all of them.
class TemplateRenamerTest : public ::testing::Test {
protected:
    TemplateRenamerTest()
    {
        EnsureShellApplication();
        selection.folder = dir.path();
        for (const Mgx::SampleRecord& sample : Mgx::SampleRecords()) {
            if (sample.fileName == "unfinished.mgx")
                continue;
            Mgx::RecordWriter(sample.blueprint).WriteFile(std::filesystem::path(Path(sample.fileName.c_str()).toStdString()));
            selection.Add(QString::fromStdString(sample.fileName));
        }
        QDir(dir.path()).mkdir(QStringLiteral("old"));
        selection.Add(QStringLiteral("old"), MgxItemKind::Folder);
        TestFiles::Write(Path("broken.mgx"), QByteArray(64, '\x7f'));
        selection.Add(QStringLiteral("broken.mgx"));
    }

    QString Path(const char* name) const { return dir.path() + QLatin1Char('/') + QString::fromUtf8(name); }

    QTemporaryDir dir;
    MemorySelection selection;
    ScriptedPrompt prompt;
};

const TemplateSource* SourceNamed(const QList<TemplateSource>& sources, const char* name)
{
    for (const TemplateSource& source : sources)
        if (source.name == QString::fromUtf8(name))
            return &source;
    return nullptr;
}

} // namespace

TEST_F(TemplateRenamerTest, SelectedRecordsAreReadOnceAndAnUnreadableOneIsMarkedWhenItsRecordIsNeeded)
{
    const QList<TemplateSource> sources = TemplateRenamer(prompt, selection).SelectedRecords();
    ASSERT_EQ(sources.size(), 4) << "the folder is left out";
    const TemplateSource* arabia = SourceNamed(sources, "1v1_arabia.mgx");
    ASSERT_NE(arabia, nullptr);
    EXPECT_TRUE(arabia->fields.hasRecord);
    EXPECT_EQ(arabia->fields.map, QStringLiteral("阿拉伯"));
    EXPECT_TRUE(arabia->fields.players.contains(QStringLiteral(" vs ")));
    const TemplateSource* broken = SourceNamed(sources, "broken.mgx");
    ASSERT_NE(broken, nullptr);
    EXPECT_FALSE(broken->fields.hasRecord);

    const QSet<QString> taken = NamesInFolder(dir.path());
    const RenamePlan byMap = PlanTemplateRename(dir.path(), QStringLiteral("{原名} {地图}"), sources, taken);
    for (const PlannedRename& step : byMap.steps)
        EXPECT_EQ(step.mark == RenameMark::Unreadable, step.oldName == QStringLiteral("broken.mgx"))
            << step.oldName.toStdString();
    const RenamePlan byName = PlanTemplateRename(dir.path(), QStringLiteral("{原名}-1"), sources, taken);
    EXPECT_FALSE(byName.HasMarks()) << "a damaged record keeps its own name and time";
}

TEST_F(TemplateRenamerTest, ApplyStopsAtAClashOnDiskWithTheRenameMessageAndUndoPutsTheBatchBack)
{
    TemplateRenamer renamer(prompt, selection);
    int relisted = 0;
    renamer.SetRelist([&] { ++relisted; });
    const RenamePlan plan = PlanTemplateRename(dir.path(), QStringLiteral("{原名}_x"), renamer.SelectedRecords(),
                                               NamesInFolder(dir.path()));
    ASSERT_FALSE(plan.HasMarks());
    ASSERT_EQ(plan.steps.size(), 4);
    const QString clashing = dir.path() + QLatin1Char('/') + plan.steps[1].newName;
    TestFiles::Write(clashing, "arrived after the preview");
    EXPECT_FALSE(renamer.CanUndo());

    EXPECT_FALSE(renamer.Apply(plan));
    ASSERT_EQ(prompt.Messages().size(), 1);
    const QString source = dir.path() + QLatin1Char('/') + plan.steps[1].oldName;
    EXPECT_EQ(prompt.Messages()[0].text,
              QStringLiteral("重命名\"") + source + QStringLiteral("\"到\"") + clashing + QStringLiteral("\"失败！操作中止。"));
    EXPECT_EQ(TestFiles::Read(clashing), QByteArray("arrived after the preview"));
    const int firstRow = plan.steps[0].row;
    EXPECT_EQ(selection.LabelText(firstRow), plan.steps[0].newName) << "the done rename reaches the list";
    EXPECT_EQ(selection.Item(firstRow).fullPath, dir.path() + QLatin1Char('/') + plan.steps[0].newName);
    EXPECT_EQ(selection.LabelText(plan.steps[1].row), plan.steps[1].oldName);
    EXPECT_TRUE(QFile::exists(dir.path() + QLatin1Char('/') + plan.steps[2].oldName)) << "nothing after the failure";

    ASSERT_TRUE(renamer.CanUndo());
    EXPECT_TRUE(renamer.Undo());
    EXPECT_FALSE(renamer.CanUndo());
    EXPECT_EQ(relisted, 1);
    for (const PlannedRename& step : plan.steps)
        EXPECT_TRUE(QFile::exists(dir.path() + QLatin1Char('/') + step.oldName)) << step.oldName.toStdString();
    EXPECT_FALSE(QFile::exists(dir.path() + QLatin1Char('/') + plan.steps[0].newName));
}

TEST_F(TemplateRenamerTest, AnUndoThatCannotFinishKeepsTheRestForAnotherTry)
{
    TemplateRenamer renamer(prompt, selection);
    renamer.SetRelist([] {});
    QList<TemplateSource> sources = renamer.SelectedRecords();
    sources.resize(2);
    renamer.SetAskPlan([&](const QString& folder, const QList<TemplateSource>& asked) -> std::optional<RenamePlan> {
        EXPECT_EQ(folder, dir.path());
        EXPECT_EQ(asked.size(), 4);
        return PlanTemplateRename(folder, QStringLiteral("{原名}.done"), sources, NamesInFolder(folder));
    });
    renamer.RenameSelected();
    ASSERT_TRUE(renamer.CanUndo());
    EXPECT_TRUE(prompt.Messages().isEmpty());

    // The first record's old name is taken again meanwhile: the second is put back, the first waits.
    const QString firstOld = Path(sources[0].name.toUtf8().constData());
    TestFiles::Write(firstOld, "newcomer");
    EXPECT_FALSE(renamer.Undo());
    ASSERT_EQ(prompt.Messages().size(), 1);
    EXPECT_TRUE(prompt.Messages()[0].text.endsWith(QStringLiteral("\"失败！操作中止。")));
    EXPECT_TRUE(QFile::exists(Path(sources[1].name.toUtf8().constData())));
    EXPECT_EQ(TestFiles::Read(firstOld), QByteArray("newcomer"));
    EXPECT_TRUE(renamer.CanUndo());

    QFile::remove(firstOld);
    EXPECT_TRUE(renamer.Undo());
    EXPECT_FALSE(renamer.CanUndo());
    EXPECT_TRUE(QFile::exists(firstOld));
}

TEST_F(TemplateRenamerTest, TheDialogPreviewsLiveAndKeepsOkOffWhileAnythingIsMarked)
{
    TemplateRenameDialog dialog(dir.path(), TemplateRenamer(prompt, selection).SelectedRecords());
    QTableWidget* preview = dialog.Preview();
    ASSERT_EQ(preview->rowCount(), 4);
    EXPECT_FALSE(dialog.OkButton()->isEnabled()) << "the default template needs the damaged record";

    dialog.SetTemplate(QStringLiteral("{原名} {版本}"));
    EXPECT_EQ(preview->item(0, 2)->text().isEmpty(), preview->item(0, 0)->text() != QStringLiteral("broken.mgx"));

    dialog.SetTemplate(QStringLiteral("same"));
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    for (int row = 0; row < preview->rowCount(); ++row) {
        EXPECT_EQ(preview->item(row, 1)->text(), QStringLiteral("same.mgx"));
        EXPECT_EQ(preview->item(row, 2)->text(), QStringLiteral("名称冲突"));
    }

    dialog.SetTemplate(QStringLiteral("{原名} 1:2"));
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    EXPECT_EQ(preview->item(0, 2)->text(), QStringLiteral("含有文件名不能使用的字符"));

    dialog.SetTemplate(QStringLiteral("{日期}_{原名}"));
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    EXPECT_FALSE(dialog.Plan().HasMarks());
    EXPECT_TRUE(preview->item(0, 1)->text().endsWith(preview->item(0, 0)->text()));

    dialog.SetTemplate(QStringLiteral("{原名} {地图} {时长}"));
    dialog.resize(760, 260);
    const QImage shot = dialog.grab().toImage();
    EXPECT_FALSE(shot.isNull());
    shot.save(QString::fromStdString(korvale::build::BuildPath("template-rename-dialog.png")));
}
