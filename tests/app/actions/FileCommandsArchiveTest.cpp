// The file commands inside an archive: copy-to extracts, everything else is refused with one text.
#include "ArchiveMessages.h"
#include "ArchiveResult.h"
#include "FileCommandsFixture.h"
#include "MemorySelection.h"
#include "ProcessRunner.h"
#include "RecordingProcessRunner.h"
#include "RawZip.h"
#include "ScriptedPrompt.h"
#include "TemplateRenamer.h"
#include "TestFiles.h"
#include "ZipTestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace TestFiles;

namespace {

class FileCommandsArchiveTest : public FileCommandsFixture {
protected:
    void SetUp() override
    {
        FileCommandsFixture::SetUp();
        Write(Archive(), BuildZip({{"final/g1.mgx", "one"}, {"final/g2.mgx", "two"}, {"final/round/g3.mgx", "three"},
                                   {"final/inner.zip", "PK"}}));
        m_selection.folder = Archive() + QStringLiteral("/final");
    }
    QString Archive() const { return m_root.filePath(QStringLiteral("cup.zip")); }
};

} // namespace

TEST_F(FileCommandsArchiveTest, CopyToExtractsTheSelectionAndAsksBeforeReplacingNamingTheFile)
{
    m_selection.Add(QStringLiteral("g1.mgx"));
    m_selection.Add(QStringLiteral("round"), MgxItemKind::Folder);
    m_selection.Add(QStringLiteral("g2.mgx"));
    Write(To("g2.mgx"), "mine");
    m_prompt.PickNext(To());
    m_prompt.AnswerNext(false);
    m_commands.CopyToFolder();
    EXPECT_EQ(Read(To("g1.mgx")), QByteArray("one"));
    EXPECT_EQ(Read(To("round/g3.mgx")), QByteArray("three"));
    EXPECT_EQ(Read(To("g2.mgx")), QByteArray("mine"));
    ASSERT_EQ(m_prompt.AskedQuestions().size(), 1);
    EXPECT_EQ(m_prompt.AskedQuestions()[0].text, "文件已存在，是否覆盖？\n" + To("g2.mgx"));
    EXPECT_EQ(m_prompt.AskedQuestions()[0].kind, UserPrompt::QuestionKind::Cautious);
    // Declining keeps the player's file and is no failure: the box says what was copied, and where.
    EXPECT_EQ(m_prompt.MessageTexts(), QStringList{"已复制 2 个文件到：\n" + To().chopped(1)});

    m_prompt.PickNext(To());
    for (int i = 0; i < 3; ++i)
        m_prompt.AnswerNext(true);
    m_commands.CopyToFolder();
    EXPECT_EQ(Read(To("g2.mgx")), QByteArray("two"));
    EXPECT_EQ(m_prompt.MessageTexts().value(1), "已复制 3 个文件到：\n" + To().chopped(1));
    EXPECT_EQ(Names(To()), (QStringList{"g1.mgx", "g2.mgx", "round"}));
}

TEST_F(FileCommandsArchiveTest, AnOversizedEntryStopsTheCopyWithItsOwnMessage)
{
    RawZipEntry bomb("bomb.mgx", "small");
    bomb.declaredSize = quint32(MaxArchiveEntrySize + 1);
    Write(m_root.filePath("big.zip"), BuildZip({bomb, {"g1.mgx", "one"}}));
    m_selection.folder = m_root.filePath("big.zip");
    m_selection.Add(QStringLiteral("bomb.mgx"));
    m_selection.Add(QStringLiteral("g1.mgx"));
    m_prompt.PickNext(To());
    m_commands.CopyToFolder();
    EXPECT_EQ(m_prompt.MessageTexts(), QStringList{ArchiveMessages::ForResult(ArchiveResult::TooLarge)});
    EXPECT_TRUE(Names(To()).isEmpty());
}

TEST_F(FileCommandsArchiveTest, EveryOtherCommandIsRefusedWithOneTextAndChangesNothing)
{
    m_selection.Add(QStringLiteral("g1.mgx"));
    m_selection.Add(QStringLiteral("inner.zip"), MgxItemKind::Zip);
    const std::optional<QByteArray> before = Read(Archive());
    // Move (menu and context menu), delete, rename, pack, unpack.
    for (const int id : {32802, 32831, 32804, 32805, 32807, 32808})
        EXPECT_TRUE(m_commands.RunCommand(id)) << id;
    TemplateRenamer renamer(m_prompt, m_selection);
    renamer.RenameSelected();
    EXPECT_EQ(m_prompt.MessageTexts(), QStringList(7, ArchiveMessages::Refused()));
    EXPECT_TRUE(m_prompt.Pickers().isEmpty());
    EXPECT_TRUE(m_prompt.AskedQuestions().isEmpty());
    EXPECT_TRUE(m_selection.editStarted.isEmpty());
    EXPECT_TRUE(m_runner.waited.isEmpty());
    EXPECT_EQ(m_selection.rows.size(), 2);
    EXPECT_EQ(Read(Archive()), before);
    EXPECT_EQ(Names(m_root.path()), (QStringList{"cup.zip", "to"}));

    // Without a selection the Delete key says nothing.
    m_selection.rows.clear();
    m_commands.RunCommand(32804);
    EXPECT_EQ(m_prompt.Messages().size(), 7);
}
