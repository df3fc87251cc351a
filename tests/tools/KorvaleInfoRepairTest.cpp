// korvale-info --repair: a folder of unfinished records repaired in one go, with the panel's backup
// and outcome codes, finished records left alone, and an exit status scripts can trust.
#include "CommandLineRepair.h"
#include "ProgramRun.h"
#include "RealRecords.h"
#include "RecordLoader.h"

#include <QJsonArray>
#include <QStringList>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>

namespace {

namespace fs = std::filesystem;
using korvale::test::Arg;
using korvale::test::FileBytes;
using korvale::test::ParseJson;
using Mgx::RecordBlueprint;
using Mgx::RecordWriter;
using korvale::test::RunInfo;

class KorvaleInfoRepair : public korvale::test::InfoProgramTest {
protected:
    // A record whose first field was never written, and where its body really begins.
    fs::path WriteUnfinished(const std::string& name, std::int32_t* bodyOffset = nullptr) const
    {
        RecordBlueprint blueprint;
        blueprint.body.operations.push_back(Mgx::TimeStep{1200, 0});
        if (bodyOffset) {
            const std::vector<std::uint8_t> whole = RecordWriter(blueprint).FileBytes();
            std::memcpy(bodyOffset, whole.data(), sizeof *bodyOffset);
        }
        blueprint.headerEnd = 0;
        return Write(name, blueprint);
    }
};

TEST_F(KorvaleInfoRepair, RepairsEachUnfinishedRecordAndKeepsItsBackup)
{
    std::int32_t bodyOffset = 0;
    const fs::path a = WriteUnfinished("a.mgx", &bodyOffset);
    const fs::path b = WriteUnfinished("b.mgx");
    const std::vector<std::uint8_t> before = FileBytes(a);

    const korvale::test::ProgramRun result = RunInfo({"--repair", Arg(a), Arg(b)});
    ASSERT_EQ(result.status, 0) << result.out.toStdString();
    const QStringList lines = QString::fromUtf8(result.out).trimmed().split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], Arg(a) + QString::fromUtf8(": 修复成功!原文件备份保存为:") + Arg(a) + ".bak");
    EXPECT_TRUE(lines[1].startsWith(Arg(b) + QString::fromUtf8(": 修复成功!")));

    EXPECT_EQ(FileBytes(a.string() + ".bak"), before) << "the backup is the file as it was";
    const Mgx::GameRecord repaired = Mgx::LoadRecordFile(a.string());
    EXPECT_EQ(repaired.chapters.front().headerEnd, bodyOffset);
    EXPECT_EQ(repaired.chapters.front().status, 1);
    EXPECT_EQ(repaired.chapters.front().gameTime, 1200);
    EXPECT_TRUE(fs::exists(b.string() + ".bak"));
}

TEST_F(KorvaleInfoRepair, LeavesAFinishedRecordUntouchedAndSaysSo)
{
    const fs::path finished = Write("finished.mgx", RecordBlueprint{});
    const std::vector<std::uint8_t> before = FileBytes(finished);
    // A backup left from an earlier repair must not turn "nothing to do" into a failure.
    std::ofstream(finished.string() + ".bak") << "old backup";

    const korvale::test::ProgramRun result = RunInfo({"--repair", "--json", Arg(finished)});
    EXPECT_EQ(result.status, 0);
    const QJsonObject json = ParseJson(result.out.trimmed());
    EXPECT_EQ(json["file"].toString(), Arg(finished));
    EXPECT_EQ(json["repair"].toInt(), 5);
    EXPECT_TRUE(json["message"].toString().startsWith(QString::fromUtf8("无需修复"))) << result.out.toStdString();
    EXPECT_EQ(FileBytes(finished), before);
    EXPECT_EQ(FileBytes(finished.string() + ".bak").size(), 10u) << "the old backup stays as it was";
}

TEST_F(KorvaleInfoRepair, AnyFailedRepairMakesTheExitStatusOneAndAFifoIsRefusedAtOnce)
{
    const fs::path good = WriteUnfinished("good.mgx");
    const fs::path missing = m_dir / "missing.mgx";
    const fs::path fifo = m_dir / "fifo.mgx";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

    const korvale::test::ProgramRun result = RunInfo({"--repair", "--json", Arg(fifo), Arg(good), Arg(missing)});
    EXPECT_EQ(result.status, 1);
    const QList<QByteArray> lines = result.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 3) << "every file gets its line, also after a failure";
    EXPECT_EQ(ParseJson(lines[0])["repair"].toInt(), 2);
    EXPECT_EQ(ParseJson(lines[0])["message"].toString(), QString::fromUtf8("修复失败!源文件无法打开。"));
    EXPECT_EQ(ParseJson(lines[1])["repair"].toInt(), 0);
    EXPECT_EQ(ParseJson(lines[2])["repair"].toInt(), 1);
    EXPECT_FALSE(fs::exists(fifo.string() + ".bak"));
}

TEST_F(KorvaleInfoRepair, ATakenBackupNameIsKeptAndTheRepairSaysWhichItChose)
{
    const fs::path unfinished = WriteUnfinished("u.mgx");
    std::ofstream(unfinished.string() + ".bak") << "an older backup";
    const std::vector<std::uint8_t> before = FileBytes(unfinished);

    const korvale::test::ProgramRun result = RunInfo({"--repair", Arg(unfinished)});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(QString::fromUtf8(result.out.trimmed()),
              Arg(unfinished) + QString::fromUtf8(": 备份文件名 ") + Arg(unfinished) + ".bak"
                  + QString::fromUtf8(" 已被占用，另选了一个。修复成功!原文件备份保存为:") + Arg(unfinished) + ".1.bak");
    EXPECT_EQ(FileBytes(unfinished.string() + ".bak").size(), 15u) << "the older backup stays as it was";
    EXPECT_EQ(FileBytes(unfinished.string() + ".1.bak"), before);
}

TEST_F(KorvaleInfoRepair, AFileWithoutBodyIsNotFoundAndKeepsNoBackup)
{
    const fs::path junk = m_dir / "junk.mgx";
    const char bytes[] = "\0\0\0\0not a record at all";
    std::ofstream(junk, std::ios::binary).write(bytes, sizeof bytes - 1);
    const korvale::test::ProgramRun result = RunInfo({"--repair", Arg(junk)});
    EXPECT_EQ(result.status, 1);
    EXPECT_FALSE(fs::exists(junk.string() + ".bak"));
    EXPECT_EQ(RepairOutcomeText(Mgx::RepairCode::BodyNotFound, junk.string()), "修复失败!未找到可以修复的地方。");
}

TEST_F(KorvaleInfoRepair, RealUnfinishedRecordLoadsAfterItsRepair)
{
    KORVALE_NEED_REAL_RECORDS();
    const fs::path copy = m_dir / "aoc10a_4v4_headerend0.mgx";
    fs::copy_file(korvale::test::RealRecordPath("aoc10a_4v4_headerend0.mgx"), copy);
    fs::permissions(copy, fs::perms::owner_read | fs::perms::owner_write);

    const korvale::test::ProgramRun result = RunInfo({"--repair", "--json", Arg(copy)});
    ASSERT_EQ(result.status, 0) << result.out.toStdString();
    const QJsonObject json = ParseJson(result.out.trimmed());
    EXPECT_EQ(json["repair"].toInt(), 0);
    EXPECT_EQ(json["message"].toString(), QString::fromUtf8("修复成功!原文件备份保存为:") + Arg(copy) + ".bak");

    const Mgx::GameRecord record = Mgx::LoadRecordFile(copy.string());
    const Mgx::ChapterInfo& chapter = record.chapters.front();
    EXPECT_EQ(chapter.headerEnd, 298558);
    EXPECT_EQ(chapter.status, 1);
    EXPECT_EQ(chapter.logVersion, 3);
}

} // namespace
