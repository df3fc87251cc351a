#include "ExtractZipArchive.h"
#include "FileCommandsFixture.h"
#include "MemorySelection.h"
#include "ProcessRunner.h"
#include "RecordingProcessRunner.h"
#include "RawZip.h"
#include "ScriptedPrompt.h"
#include "TestFiles.h"
#include "ZipTestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace TestFiles;

namespace {

using Kind = UserPrompt::MessageKind;

class FileCommandsTest : public FileCommandsFixture {
protected:
    void SetUp() override
    {
        FileCommandsFixture::SetUp();
        QDir(m_root.path()).mkdir(QStringLiteral("list"));
        m_selection.folder = m_root.filePath(QStringLiteral("list"));
    }
    QString List(const QString& name = {}) const { return m_root.filePath(QStringLiteral("list/") + name); }
    // Writes list/name holding its own name and lists it, selected.
    void Add(const QString& name, bool selected = true)
    {
        Write(List(name), name.toUtf8());
        m_selection.Add(name, MgxItemKind::Record, selected);
    }
};

} // namespace

TEST_F(FileCommandsTest, CopyAsksBeforeOverwritingNamingTheFileAndNoKeepsItAndGoesOn)
{
    Add("a.mgx");
    Add("b.mgx");
    Add("c.mgx");
    Write(To("b.mgx"), "theirs");
    m_prompt.PickNext(To());
    m_prompt.AnswerNext(false);
    m_commands.CopyToFolder();
    EXPECT_EQ(m_prompt.Pickers().value(0).title, QStringLiteral("拷贝到..."));
    EXPECT_EQ(m_prompt.Pickers().value(0).startPath, List().chopped(1)) << "the picker opens in the folder listed";
    ASSERT_EQ(m_prompt.AskedQuestions().size(), 1);
    EXPECT_EQ(m_prompt.AskedQuestions()[0].text, "文件已存在，是否覆盖？\n" + To("b.mgx"));
    EXPECT_EQ(m_prompt.AskedQuestions()[0].kind, UserPrompt::QuestionKind::Cautious);
    EXPECT_EQ(m_prompt.MessageTexts(), QStringList{"已复制 2 个文件到：\n" + To().chopped(1)});
    EXPECT_EQ(Read(To("a.mgx")), QByteArray("a.mgx"));
    EXPECT_EQ(Read(To("b.mgx")), QByteArray("theirs"));
    EXPECT_EQ(Read(To("c.mgx")), QByteArray("c.mgx")) << "the file after the one declined is copied";

    // The folder without its trailing separator gives the same targets; 全部是 answers for every file.
    m_prompt.PickNext(m_root.filePath("to"));
    m_prompt.AnswerNextAll(UserPrompt::Answer::YesToAll);
    m_commands.CopyToFolder();
    EXPECT_EQ(m_prompt.AskedQuestions().size(), 2) << "one question for the three files that exist";
    EXPECT_EQ(m_prompt.MessageTexts().value(1), "已复制 3 个文件到：\n" + To().chopped(1));
    EXPECT_EQ(Read(To("b.mgx")), QByteArray("b.mgx"));
    EXPECT_EQ(m_selection.Labels(), (QStringList{"a.mgx", "b.mgx", "c.mgx"})) << "copies leave the list alone";

    // 全部否 keeps every file there.
    Write(To("a.mgx"), "mine");
    m_prompt.PickNext(To());
    m_prompt.AnswerNextAll(UserPrompt::Answer::NoToAll);
    m_commands.CopyToFolder();
    EXPECT_EQ(m_prompt.AskedQuestions().size(), 3);
    EXPECT_EQ(m_prompt.MessageTexts().value(2), "已复制 0 个文件到：\n" + To().chopped(1));
    EXPECT_EQ(Read(To("a.mgx")), QByteArray("mine"));
}

TEST_F(FileCommandsTest, CopySkipsFoldersSaysSoOnceAndStopsAtAFailure)
{
    Add("a.mgx");
    QDir(List()).mkdir(QStringLiteral("folder"));
    m_selection.Add(QStringLiteral("folder"), MgxItemKind::Folder);
    QDir(List()).mkdir(QStringLiteral("other"));
    m_selection.Add(QStringLiteral("other"), MgxItemKind::Folder);
    Add("c.mgx");
    m_prompt.PickNext(To());
    m_commands.CopyToFolder();
    EXPECT_EQ(m_prompt.MessageTexts(), QStringList{"已复制 2 个文件到：\n" + To().chopped(1)
                                          + "\n文件夹不参与此操作，已跳过：folder、other"});
    EXPECT_EQ(Names(To()), (QStringList{"a.mgx", "c.mgx"}));

    // Only folders: nothing to pick a folder for.
    for (MemorySelection::Row& row : m_selection.rows)
        row.selected = row.item.kind == MgxItemKind::Folder;
    m_commands.CopyToFolder();
    EXPECT_EQ(m_prompt.Pickers().size(), 1);
    EXPECT_EQ(m_prompt.MessageTexts().value(1), QStringLiteral("文件夹不参与此操作，已跳过：folder、other"));

    // A source that disappears while the command runs stops it with one message.
    m_selection.rows.removeAt(2);
    m_selection.rows.removeAt(1);
    for (MemorySelection::Row& row : m_selection.rows)
        row.selected = true;
    m_progress.onAdvance = [&](int step) {
        if (step == 1)
            QFile::remove(List("c.mgx"));
    };
    m_prompt.PickNext(m_root.filePath("to2"));
    QDir(m_root.path()).mkdir(QStringLiteral("to2"));
    m_commands.CopyToFolder();
    EXPECT_EQ(m_prompt.MessageTexts().value(2), "拷贝\"" + List("c.mgx") + "\"到\"" + m_root.filePath("to2/c.mgx") + "\"失败！操作中止。");
    EXPECT_EQ(m_prompt.Messages().size(), 3);
    EXPECT_EQ(Names(m_root.filePath("to2")), QStringList{"a.mgx"});
}

TEST_F(FileCommandsTest, MoveStopsAtAnExistingTargetAndOpensInTheListedFolder)
{
    Add("a.mgx");
    Add("b.mgx");
    Add("c.mgx");
    Write(To("b.mgx"), "theirs");
    m_prompt.PickNext(To());
    m_commands.MoveToFolder();
    EXPECT_EQ(m_prompt.Pickers().value(0).title, QStringLiteral("移动到..."));
    EXPECT_TRUE(m_prompt.Questions().isEmpty()) << "a move never offers to overwrite";
    EXPECT_EQ(m_prompt.MessageTexts(), QStringList{"移动\"" + List("b.mgx") + "\"到\"" + To("b.mgx") + "\"失败！操作中止。"});
    EXPECT_EQ(m_selection.Labels(), (QStringList{"b.mgx", "c.mgx"}));
    EXPECT_EQ(m_selection.SelectedRows(), (QList<int>{0, 1}));
    EXPECT_EQ(Names(List()), (QStringList{"b.mgx", "c.mgx"}));
    EXPECT_EQ(Read(To("b.mgx")), QByteArray("theirs"));

    m_selection.rows[0].selected = false;
    m_prompt.PickNext(std::nullopt);
    m_commands.MoveToFolder();
    EXPECT_EQ(m_prompt.Pickers().value(1).startPath, List().chopped(1));
    EXPECT_EQ(m_selection.Labels(), (QStringList{"b.mgx", "c.mgx"})) << "cancel moves nothing";

    m_selection.rows[0].selected = true;
    Write(To("c2.mgx"), "");
    QFile::remove(To("b.mgx"));
    m_prompt.PickNext(To());
    m_commands.MoveToFolder();
    EXPECT_EQ(m_prompt.MessageTexts().value(1), "已移动 2 个文件到：\n" + To().chopped(1)) << "says where the files went";
    EXPECT_TRUE(m_selection.Labels().isEmpty());
}

TEST_F(FileCommandsTest, MoveIntoAReadOnlyFolderLosesNothing)
{
    SmallMount mount(1 << 20, true);
    if (!mount.IsMounted())
        GTEST_SKIP() << "cannot mount a read-only file system here";
    Add("a.mgx");
    m_prompt.PickNext(mount.Path());
    m_commands.MoveToFolder();
    EXPECT_EQ(m_prompt.Messages().size(), 1);
    EXPECT_EQ(Read(List("a.mgx")), QByteArray("a.mgx"));
    EXPECT_EQ(m_selection.Labels(), QStringList{"a.mgx"});
}

TEST_F(FileCommandsTest, DeleteAsksOncePerEntryAndRemovesForGood)
{
    Add("A.mgx");
    Add("B.mgx");
    Add("C.mgx");
    Add("D.mgx", false);
    m_prompt.AnswerNext(false);
    m_prompt.AnswerNext(true);
    m_prompt.AnswerNext(true);
    m_commands.DeleteSelected();
    EXPECT_EQ(m_prompt.Questions(), (QStringList{"确定删除\"A.mgx\"？\n", "确定删除\"B.mgx\"？\n", "确定删除\"C.mgx\"？\n"}));
    EXPECT_EQ(m_selection.Labels(), (QStringList{"A.mgx", "D.mgx"}));
    EXPECT_EQ(m_selection.SelectedRows(), QList<int>{0});
    EXPECT_EQ(Names(List()), (QStringList{"A.mgx", "D.mgx"}));
    EXPECT_TRUE(m_prompt.Messages().isEmpty());

    // A folder is not asked about nor deleted; the records carry on and the folder is named once.
    QDir(List()).mkdir(QStringLiteral("folder"));
    m_selection.rows.clear();
    m_selection.Add(QStringLiteral("folder"), MgxItemKind::Folder);
    Add("D.mgx");
    m_prompt.AnswerNext(true);
    m_commands.DeleteSelected();
    EXPECT_EQ(m_prompt.Questions().size(), 4);
    EXPECT_EQ(m_prompt.Questions().last(), QStringLiteral("确定删除\"D.mgx\"？\n"));
    EXPECT_EQ(m_prompt.MessageTexts(), QStringList{"文件夹不参与此操作，已跳过：folder"});
    EXPECT_FALSE(QFileInfo::exists(List("D.mgx")));
    EXPECT_TRUE(QFileInfo(List("folder")).isDir());
    EXPECT_EQ(m_selection.Labels(), QStringList{"folder"});
}

TEST_F(FileCommandsTest, RenameChangesTheFileOnlyForANewFreeName)
{
    m_commands.RenameSelected();
    EXPECT_TRUE(m_selection.editStarted.isEmpty());
    Add("a.mgx", false);
    Add("b.mgx");
    Add("c.mgx");
    m_commands.RenameSelected();
    EXPECT_EQ(m_selection.editStarted, QList<int>{1});

    EXPECT_FALSE(m_commands.FinishRename(1, std::nullopt));
    EXPECT_FALSE(m_commands.FinishRename(1, QStringLiteral("b.mgx")));
    EXPECT_TRUE(m_prompt.Messages().isEmpty());
    EXPECT_FALSE(m_commands.FinishRename(1, QStringLiteral("a.mgx")));
    EXPECT_FALSE(m_commands.FinishRename(1, QStringLiteral("../b.mgx")));
    EXPECT_EQ(m_prompt.Messages().size(), 2);
    EXPECT_EQ(Read(List("a.mgx")), QByteArray("a.mgx"));
    EXPECT_EQ(m_selection.Labels(), (QStringList{"a.mgx", "b.mgx", "c.mgx"}));

    EXPECT_TRUE(m_commands.FinishRename(1, QStringLiteral("新名字.mgx")));
    EXPECT_EQ(m_selection.rows[1].item.fullPath, List("新名字.mgx"));
    EXPECT_EQ(m_selection.rows[1].item.name, QStringLiteral("新名字.mgx"));
    EXPECT_EQ(Read(List("新名字.mgx")), QByteArray("b.mgx"));
    EXPECT_FALSE(QFileInfo::exists(List("b.mgx")));
}

TEST_F(FileCommandsTest, PackNamesTheArchiveAndRefreshesOnlyForTheCurrentFolder)
{
    m_commands.PackIntoZip();
    EXPECT_TRUE(m_prompt.Pickers().isEmpty()) << "nothing selected, nothing asked";
    Add("a.mgx");
    Add("b.mgx");
    m_prompt.PickNext(std::nullopt);
    m_commands.PackIntoZip();
    EXPECT_EQ(m_prompt.Pickers().value(0).nameFilters, QStringList{"Zip Files (*.Zip)"});
    EXPECT_TRUE(m_prompt.Messages().isEmpty());

    m_prompt.PickNext(To("x.zip"));
    m_commands.PackIntoZip();
    EXPECT_EQ(m_prompt.MessageTexts(), QStringList{"文件压缩完毕，保存为：\n" + To("x.zip")});
    EXPECT_EQ(m_prompt.Messages().value(0).kind, Kind::Plain);
    EXPECT_EQ(m_selection.refreshCount, 0);

    m_prompt.PickNext(List("y.zip"));
    m_commands.PackIntoZip();
    EXPECT_EQ(m_selection.refreshCount, 1);
    EXPECT_TRUE(QFileInfo::exists(List("y.zip")));

    QFile::remove(List("b.mgx"));
    m_prompt.PickNext(To("z.zip"));
    m_commands.PackIntoZip();
    EXPECT_EQ(m_prompt.Messages().value(2).text, "压缩文件" + To("z.zip") + "失败");
    EXPECT_EQ(m_prompt.Messages().value(2).kind, Kind::Error);
    EXPECT_EQ(Names(To()), QStringList{"x.zip"});
}

TEST_F(FileCommandsTest, PackLeavesFoldersOutAndSaysSo)
{
    Add("a.mgx");
    QDir(List()).mkdir(QStringLiteral("folder"));
    m_selection.Add(QStringLiteral("folder"), MgxItemKind::Folder);
    Add("b.mgx");
    m_prompt.PickNext(To("x.zip"));
    m_commands.PackIntoZip();
    EXPECT_EQ(m_prompt.MessageTexts(), QStringList{"文件压缩完毕，保存为：\n" + To("x.zip") + "\n文件夹不参与此操作，已跳过：folder"});
    QDir(m_root.path()).mkdir(QStringLiteral("out"));
    ASSERT_EQ(ExtractZipArchive(To("x.zip"), m_root.filePath("out"), ZipOverwrite::Always), 0);
    EXPECT_EQ(Names(m_root.filePath("out")), (QStringList{"a.mgx", "b.mgx"}));
}

TEST_F(FileCommandsTest, UnpackGoesOnPastADamagedEntryRunsTheRarToolAndSaysWhatItDid)
{
    Write(List("bad.zip"), BuildZip({{"x.mgx", "x", 0, {}, false, 1}, {"y.mgx", "y"}}));
    m_selection.Add(QStringLiteral("bad.zip"), MgxItemKind::Zip);
    Add("r.mgx");
    Write(List("good.zip"), BuildZip({{"saves/g.mgx", "g"}}));
    m_selection.Add(QStringLiteral("good.zip"), MgxItemKind::Zip);
    Write(List("game.rar"), "rar");
    m_selection.Add(QStringLiteral("game.rar"), MgxItemKind::Rar);
    QDir(m_root.path()).mkdir(QStringLiteral("program"));
    Write(m_root.filePath("program/unrar"), "#!/bin/sh\n");
    QFile::setPermissions(m_root.filePath("program/unrar"), QFile::ReadOwner | QFile::ExeOwner);
    m_commands.SetToolSearch(m_root.filePath("program"), QString());

    m_commands.UnpackSelected();
    EXPECT_EQ(Read(List("saves/g.mgx")), QByteArray("g"));
    EXPECT_EQ(Read(List("y.mgx")), QByteArray("y")) << "the entry after the damaged one";
    EXPECT_FALSE(QFileInfo::exists(List("x.mgx")));
    ASSERT_EQ(m_runner.waited.size(), 1) << "a file libarchive cannot read goes to the tool";
    EXPECT_EQ(m_runner.waited[0].arguments.mid(0, 4), (QStringList{"x", "-o+", "-inul", List("game.rar")}));
    EXPECT_EQ(m_selection.refreshCount, 1);
    ASSERT_EQ(m_prompt.Messages().size(), 1);
    EXPECT_EQ(m_prompt.Messages()[0].text,
              QStringLiteral("解压缩完成：2 个文件\n1 个文件未能解压缩：\nx.mgx：数据已损坏（大小或校验和不符）"));
    EXPECT_EQ(m_prompt.Messages()[0].kind, Kind::Warning);

    // An archive that cannot be read at all is named; a clean unpack says only what it did.
    Write(List("cut.zip"), "PK\x03\x04 cut short");
    for (auto& row : m_selection.rows)
        row.selected = false;
    m_selection.Add(QStringLiteral("cut.zip"), MgxItemKind::Zip);
    m_selection.Add(QStringLiteral("good.zip"), MgxItemKind::Zip);
    m_prompt.AnswerNextAll(UserPrompt::Answer::YesToAll);
    m_commands.UnpackSelected();
    ASSERT_EQ(m_prompt.Messages().size(), 2);
    EXPECT_EQ(m_prompt.Messages()[1].text, "解压缩完成：1 个文件\n无法解压缩压缩包，文件可能已损坏：" + List("cut.zip"));
}

// Re-unpacking a large archive asks once, not once per file.
TEST_F(FileCommandsTest, UnpackOffersAnAnswerForAllFiles)
{
    QList<RawZipEntry> entries;
    for (int i = 0; i < 50; ++i) {
        const QByteArray name = "r" + QByteArray::number(i) + ".mgx";
        Write(List(QString::fromLatin1(name)), "mine");
        entries.append(RawZipEntry(name, "from zip"));
    }
    entries.append(RawZipEntry("new.mgx", "new"));
    Write(List("games.zip"), BuildZip(entries));
    m_selection.Add(QStringLiteral("games.zip"), MgxItemKind::Zip);
    m_prompt.AnswerNextAll(UserPrompt::Answer::No);
    m_prompt.AnswerNextAll(UserPrompt::Answer::NoToAll);
    m_commands.UnpackSelected();
    EXPECT_EQ(m_prompt.Questions().size(), 2);
    EXPECT_EQ(Read(List("r49.mgx")), QByteArray("mine"));
    EXPECT_EQ(Read(List("new.mgx")), QByteArray("new"));
    EXPECT_EQ(m_prompt.Messages().value(0).text, QStringLiteral("解压缩完成：1 个文件"));

    m_prompt.AnswerNextAll(UserPrompt::Answer::YesToAll);
    m_commands.UnpackSelected();
    EXPECT_EQ(m_prompt.Questions().size(), 3);
    EXPECT_EQ(Read(List("r0.mgx")), QByteArray("from zip"));
    EXPECT_EQ(Read(List("r49.mgx")), QByteArray("from zip"));
    EXPECT_EQ(m_prompt.Messages().value(1).text, QStringLiteral("解压缩完成：51 个文件"));
}

// Unpacking never replaces a file of the folder unasked: each one that exists is asked about,
// with its path, and kept on No.
TEST_F(FileCommandsTest, UnpackAsksBeforeReplacingAnExistingFile)
{
    Write(List("a.mgx"), "mine");
    Write(List("b.mgx"), "mine too");
    Write(List("games.zip"), BuildZip({{"a.mgx", "from zip"}, {"b.mgx", "from zip"}, {"c.mgx", "new"}}));
    m_selection.Add(QStringLiteral("games.zip"), MgxItemKind::Zip);
    m_prompt.AnswerNext(false);
    m_prompt.AnswerNext(true);
    m_commands.UnpackSelected();
    EXPECT_EQ(Read(List("a.mgx")), QByteArray("mine"));
    EXPECT_EQ(Read(List("b.mgx")), QByteArray("from zip"));
    EXPECT_EQ(Read(List("c.mgx")), QByteArray("new"));
    ASSERT_EQ(m_prompt.Questions().size(), 2);
    EXPECT_EQ(m_prompt.Questions().front(), "文件已存在，是否覆盖？\n" + QDir::toNativeSeparators(List("a.mgx")));
    EXPECT_EQ(m_prompt.AskedQuestions().front().kind, UserPrompt::QuestionKind::Cautious);
}

TEST_F(FileCommandsTest, CommandIdsReachTheirCommands)
{
    Add("a.mgx");
    EXPECT_TRUE(m_commands.RunCommand(32830));
    EXPECT_TRUE(m_commands.RunCommand(32831));
    EXPECT_TRUE(m_commands.RunCommand(32803));
    EXPECT_TRUE(m_commands.RunCommand(32802));
    EXPECT_TRUE(m_commands.RunCommand(32807));
    EXPECT_TRUE(m_commands.RunCommand(32805));
    QStringList titles;
    for (const ScriptedPrompt::Picker& picker : m_prompt.Pickers())
        titles.append(picker.title);
    EXPECT_EQ(titles, (QStringList{"拷贝到...", "移动到...", "拷贝到...", "移动到...", "另存为"}));
    EXPECT_EQ(m_selection.editStarted, QList<int>{0});
    EXPECT_TRUE(m_commands.RunCommand(32804));
    EXPECT_EQ(m_prompt.Questions().size(), 1);
    EXPECT_FALSE(m_commands.RunCommand(32806));
}
