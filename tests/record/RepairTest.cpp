#include "RealRecords.h"
#include "RecordLoader.h"
#include "RecordRepair.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::int32_t FirstField(const fs::path& path)
{
    const auto bytes = ReadAll(path);
    std::int32_t value = -1;
    if (bytes.size() >= 4)
        std::memcpy(&value, bytes.data(), 4);
    return value;
}

class RepairTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("korvale-repair-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    // A file whose first field is 0, filled with a byte that never starts the pattern, with bytes put at offsets.
    std::string fileWith(std::size_t size, const std::vector<std::pair<std::size_t, std::vector<std::uint8_t>>>& pieces)
    {
        std::vector<std::uint8_t> bytes(size, 0x11);
        std::memset(bytes.data(), 0, 4);
        for (const auto& [offset, piece] : pieces)
            std::copy(piece.begin(), piece.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
        const fs::path path = m_dir / "a.mgx";
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }

    Mgx::RepairCode repair(const std::string& path) { return Mgx::RepairRecordFile(path, Mgx::RepairBackupPath(path)); }

    fs::path m_dir;
};

const std::vector<std::uint8_t> Pattern = {0xF4, 0x01, 0x00, 0x00};

TEST_F(RepairTest, WritesTheOffsetFourBytesBeforeThePatternAndKeepsABackup)
{
    const std::string path = fileWith(4000, {{1000, Pattern}});
    const auto original = ReadAll(path);
    EXPECT_EQ(repair(path), Mgx::RepairCode::Repaired);
    EXPECT_EQ(FirstField(path), 996);
    EXPECT_EQ(ReadAll(path + ".bak"), original);
    auto repaired = ReadAll(path);
    std::memset(repaired.data(), 0, 4);
    EXPECT_EQ(repaired, original) << "only the first four bytes change";
}

TEST_F(RepairTest, FindsAPatternThatStraddlesTwoPieces)
{
    const std::string path = fileWith(20000, {{8194, Pattern}});
    EXPECT_EQ(repair(path), Mgx::RepairCode::Repaired);
    EXPECT_EQ(FirstField(path), 8190);
}

TEST_F(RepairTest, RetriesTheByteThatBrokeAPartialMatch)
{
    const std::string path = fileWith(4000, {{1000, {0xF4, 0xF4, 0x01, 0x00, 0x00}}});
    EXPECT_EQ(repair(path), Mgx::RepairCode::Repaired);
    EXPECT_EQ(FirstField(path), 997);
}

TEST_F(RepairTest, PassesOverAPatternTooEarlyToBeABody)
{
    const std::string path = fileWith(4000, {{4, Pattern}, {2000, Pattern}});
    EXPECT_EQ(repair(path), Mgx::RepairCode::Repaired);
    EXPECT_EQ(FirstField(path), 1996);
}

TEST_F(RepairTest, AFileThatNeedsNoRepairIsLeftWithoutBackup)
{
    const std::string path = fileWith(4000, {{0, {0x10, 0, 0, 0}}, {1000, Pattern}});
    EXPECT_EQ(repair(path), Mgx::RepairCode::NothingToRepair);
    EXPECT_EQ(FirstField(path), 16);
    EXPECT_FALSE(fs::exists(path + ".bak"));
}

TEST_F(RepairTest, AnExistingBackupStopsTheRepairBeforeAnythingIsWritten)
{
    const std::string path = fileWith(4000, {{1000, Pattern}});
    std::ofstream(path + ".bak") << "older backup";
    EXPECT_EQ(repair(path), Mgx::RepairCode::BackupFailed);
    EXPECT_EQ(FirstField(path), 0);
    std::ifstream backup(path + ".bak");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(backup), {}), "older backup");
}

TEST_F(RepairTest, NoPatternWritesNothingAndSaysSo)
{
    const std::string path = fileWith(30000, {});
    const auto original = ReadAll(path);
    EXPECT_EQ(repair(path), Mgx::RepairCode::BodyNotFound);
    EXPECT_EQ(ReadAll(path), original);
    EXPECT_FALSE(fs::exists(path + ".bak")) << "the file is untouched, so a backup would only block a later repair";
}

TEST_F(RepairTest, MissingFileCannotBeBackedUp)
{
    EXPECT_EQ(repair((m_dir / "absent.mgx").string()), Mgx::RepairCode::BackupFailed);
}

TEST_F(RepairTest, RealUnfinishedRecordLoadsAfterRepair)
{
    KORVALE_NEED_REAL_RECORDS();
    const fs::path path = m_dir / "unfinished.mgx";
    fs::copy_file(korvale::test::RealRecordPath("aoc10a_4v4_headerend0.mgx"), path);
    ASSERT_EQ(Mgx::LoadRecordFile(path.string()).chapters.at(0).status, Mgx::ChapterInfo::HeaderEndMissing);

    EXPECT_EQ(repair(path.string()), Mgx::RepairCode::Repaired);
    EXPECT_EQ(FirstField(path), 298558);
    const auto record = Mgx::LoadRecordFile(path.string());
    ASSERT_EQ(record.chapters.size(), 1u);
    EXPECT_EQ(record.chapters[0].status, Mgx::ChapterInfo::Read);
    EXPECT_EQ(record.chapters[0].logVersion, 3);
}

TEST(RepairMessage, OneFixedTextPerOutcome)
{
    EXPECT_EQ(Mgx::RepairMessage(Mgx::RepairCode::Repaired, "/r/a.mgx.bak"), "修复成功!原文件备份保存为:\r\n/r/a.mgx.bak");
    EXPECT_EQ(Mgx::RepairMessage(Mgx::RepairCode::BackupFailed, "x"), "修复失败!备份文件无法创建。");
    EXPECT_EQ(Mgx::RepairMessage(Mgx::RepairCode::OpenFailed, "x"), "修复失败!源文件无法打开。");
    EXPECT_EQ(Mgx::RepairMessage(Mgx::RepairCode::ReadFailed, "x"), "修复失败!文件无法读取。");
    EXPECT_EQ(Mgx::RepairMessage(Mgx::RepairCode::NothingToRepair, "x"), "修复失败!未找到可以修复的地方。");
    EXPECT_EQ(Mgx::RepairMessage(Mgx::RepairCode::BodyNotFound, "x"), "修复失败!未找到可以修复的地方。");
    EXPECT_EQ(Mgx::RepairMessage(Mgx::RepairCode::WriteFailed, "x"), "修复失败!文件无法写入。");
    EXPECT_EQ(Mgx::RepairBackupPath("/r/a.mgx"), "/r/a.mgx.bak");
}

} // namespace
