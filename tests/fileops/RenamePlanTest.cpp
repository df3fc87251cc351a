#include "RenamePlan.h"

#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

PlannedRename Step(int row, const char* from, const QString& to) { return {row, QString::fromUtf8(from), to, {}}; }

QSet<QString> Names(std::initializer_list<const char*> names)
{
    QSet<QString> set;
    for (const char* name : names)
        set.insert(QString::fromUtf8(name));
    return set;
}

RenameMark MarkOf(const RenamePlan& plan, const char* oldName)
{
    for (const PlannedRename& step : plan.steps)
        if (step.oldName == QString::fromUtf8(oldName))
            return step.mark;
    ADD_FAILURE() << "no step for " << oldName;
    return RenameMark::None;
}

QStringList OldNamesInOrder(const RenamePlan& plan)
{
    QStringList names;
    for (const PlannedRename& step : plan.steps)
        names.append(step.oldName);
    return names;
}

} // namespace

TEST(RenamePlan, NamesAFileSystemOrWindowsCannotHoldAreMarked)
{
    for (const QString& bad : {QStringLiteral("a/b.mgx"), QStringLiteral("a\\b.mgx"), QStringLiteral("a:b.mgx"),
                               QStringLiteral("a*b.mgx"), QStringLiteral("a?b.mgx"), QStringLiteral("a\"b.mgx"),
                               QStringLiteral("a<b.mgx"), QStringLiteral("a>b.mgx"), QStringLiteral("a|b.mgx"),
                               QString(QStringLiteral("a") + QChar(0) + QStringLiteral("b.mgx")),
                               QString(QStringLiteral("a") + QChar(0x1f) + QStringLiteral(".mgx")),
                               QStringLiteral(""), QStringLiteral("."), QStringLiteral(".."), QStringLiteral("a.mgx."),
                               QStringLiteral("a.mgx "), QString(86, QChar(0x767d)) + QStringLiteral(".mgx")})
        EXPECT_TRUE(IsInvalidFileName(bad)) << bad.toStdString();
    for (const QString& good : {QStringLiteral("2026-12-08_2130 白马, Cid vs Bob 00-38-12.mgx"), QStringLiteral(".mgx"),
                                QStringLiteral("{x}.mgx"), QString(85, QChar(0x767d))})
        EXPECT_FALSE(IsInvalidFileName(good)) << good.toStdString();

    const RenamePlan plan = PlanRenames(QStringLiteral("/f"), {Step(0, "a.mgx", QStringLiteral("x:y.mgx")),
                                                                Step(1, "b.mgx", QStringLiteral("ok.mgx"))},
                                        Names({"a.mgx", "b.mgx"}));
    EXPECT_EQ(MarkOf(plan, "a.mgx"), RenameMark::InvalidName);
    EXPECT_EQ(MarkOf(plan, "b.mgx"), RenameMark::None);
    EXPECT_TRUE(plan.HasMarks());
}

TEST(RenamePlan, ClashesAreMarkedAndFreedNamesAreTakenInOrder)
{
    // Two new names alike.
    RenamePlan plan = PlanRenames(QStringLiteral("/f"), {Step(0, "a.mgx", QStringLiteral("x.mgx")),
                                                          Step(1, "b.mgx", QStringLiteral("x.mgx")),
                                                          Step(2, "c.mgx", QStringLiteral("y.mgx"))},
                                  Names({"a.mgx", "b.mgx", "c.mgx"}));
    EXPECT_EQ(MarkOf(plan, "a.mgx"), RenameMark::Clash);
    EXPECT_EQ(MarkOf(plan, "b.mgx"), RenameMark::Clash);
    EXPECT_EQ(MarkOf(plan, "c.mgx"), RenameMark::None);

    // A name held by a file that stays, or by an entry that keeps its name.
    plan = PlanRenames(QStringLiteral("/f"), {Step(0, "a.mgx", QStringLiteral("keep.mgx")),
                                               Step(1, "b.mgx", QStringLiteral("c.mgx")),
                                               Step(2, "c.mgx", QStringLiteral("c.mgx"))},
                       Names({"a.mgx", "b.mgx", "c.mgx", "keep.mgx"}));
    EXPECT_EQ(MarkOf(plan, "a.mgx"), RenameMark::Clash);
    EXPECT_EQ(MarkOf(plan, "b.mgx"), RenameMark::Clash);

    // A chain: b must leave before a takes its name, c before b.
    plan = PlanRenames(QStringLiteral("/f"), {Step(0, "a.mgx", QStringLiteral("b.mgx")),
                                               Step(1, "b.mgx", QStringLiteral("c.mgx")),
                                               Step(2, "c.mgx", QStringLiteral("d.mgx"))},
                       Names({"a.mgx", "b.mgx", "c.mgx"}));
    EXPECT_FALSE(plan.HasMarks());
    EXPECT_EQ(OldNamesInOrder(plan), (QStringList{"c.mgx", "b.mgx", "a.mgx"}));

    // A swap cannot be done one rename at a time without replacing.
    plan = PlanRenames(QStringLiteral("/f"), {Step(0, "a.mgx", QStringLiteral("b.mgx")),
                                               Step(1, "b.mgx", QStringLiteral("a.mgx")),
                                               Step(2, "c.mgx", QStringLiteral("e.mgx"))},
                       Names({"a.mgx", "b.mgx", "c.mgx"}));
    EXPECT_EQ(MarkOf(plan, "a.mgx"), RenameMark::Clash);
    EXPECT_EQ(MarkOf(plan, "b.mgx"), RenameMark::Clash);
    EXPECT_EQ(MarkOf(plan, "c.mgx"), RenameMark::None);
}

class RenamePlanOnDisk : public ::testing::Test {
protected:
    QString Path(const char* name) const { return dir.path() + QLatin1Char('/') + QString::fromUtf8(name); }
    void Write(const char* name) { TestFiles::Write(Path(name), QByteArray(name)); }
    std::optional<QByteArray> Read(const char* name) const { return TestFiles::Read(Path(name)); }

    QTemporaryDir dir;
};

TEST_F(RenamePlanOnDisk, ApplyRunsTheChainAndUndoPutsEveryNameBack)
{
    Write("a.mgx");
    Write("b.mgx");
    Write("other.mgx");
    const RenamePlan plan = PlanRenames(dir.path(), {Step(0, "a.mgx", QStringLiteral("b.mgx")),
                                                      Step(1, "b.mgx", QStringLiteral("c.mgx")),
                                                      Step(2, "other.mgx", QStringLiteral("other.mgx"))},
                                        NamesInFolder(dir.path()));
    ASSERT_FALSE(plan.HasMarks());
    const RenameRun run = ApplyRenamePlan(plan);
    EXPECT_FALSE(run.failed);
    ASSERT_EQ(run.done.size(), 2) << "an unchanged name is not renamed";
    EXPECT_EQ(Read("b.mgx"), QByteArray("a.mgx"));
    EXPECT_EQ(Read("c.mgx"), QByteArray("b.mgx"));
    EXPECT_EQ(run.done[1].row, 0);

    const RenameRun undo = UndoRenames(run.done);
    EXPECT_FALSE(undo.failed);
    EXPECT_EQ(TestFiles::Names(dir.path()), (QStringList{"a.mgx", "b.mgx", "other.mgx"}));
    EXPECT_EQ(Read("a.mgx"), QByteArray("a.mgx"));
    EXPECT_EQ(Read("b.mgx"), QByteArray("b.mgx"));
}

TEST_F(RenamePlanOnDisk, AClashOnDiskStopsAtTheFirstFailureAndNothingIsReplaced)
{
    Write("1.mgx");
    Write("2.mgx");
    Write("3.mgx");
    const RenamePlan plan = PlanRenames(dir.path(), {Step(0, "1.mgx", QStringLiteral("one.mgx")),
                                                      Step(1, "2.mgx", QStringLiteral("two.mgx")),
                                                      Step(2, "3.mgx", QStringLiteral("three.mgx"))},
                                        NamesInFolder(dir.path()));
    ASSERT_FALSE(plan.HasMarks());
    Write("two.mgx"); // arrives after the preview
    const RenameRun run = ApplyRenamePlan(plan);
    EXPECT_TRUE(run.failed);
    EXPECT_EQ(run.failedFrom, Path("2.mgx"));
    EXPECT_EQ(run.failedTo, Path("two.mgx"));
    ASSERT_EQ(run.done.size(), 1);
    EXPECT_EQ(TestFiles::Names(dir.path()), (QStringList{"2.mgx", "3.mgx", "one.mgx", "two.mgx"}));
    EXPECT_EQ(Read("two.mgx"), QByteArray("two.mgx")) << "the newcomer is not replaced";

    // The old name taken meanwhile: the undo refuses to replace it.
    TestFiles::Write(Path("1.mgx"), "newcomer");
    const RenameRun undo = UndoRenames(run.done);
    EXPECT_TRUE(undo.failed);
    EXPECT_TRUE(undo.done.isEmpty());
    EXPECT_EQ(Read("one.mgx"), QByteArray("1.mgx"));
    EXPECT_EQ(Read("1.mgx"), QByteArray("newcomer"));
}
