#include "RealRecords.h"
#include "RecordLoader.h"
#include "RecordRepair.h"
#include "TemporaryFolder.h"

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
    // A file whose first field is 0, filled with a byte that never starts the pattern, with bytes put at offsets.
    std::string FileWith(std::size_t size, const std::vector<std::pair<std::size_t, std::vector<std::uint8_t>>>& pieces)
    {
        std::vector<std::uint8_t> bytes(size, 0x11);
        std::memset(bytes.data(), 0, 4);
        for (const auto& [offset, piece] : pieces)
            std::copy(piece.begin(), piece.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
        return m_folder.WriteFile("a.mgx", bytes).string();
    }

    Mgx::RepairCode Repair(const std::string& path) { return Mgx::RepairRecordFile(path, Mgx::RepairBackupPath(path)); }

    korvale::test::TemporaryFolder m_folder;
    const fs::path& m_dir = m_folder.Path();
};

const std::vector<std::uint8_t> Pattern = {0xF4, 0x01, 0x00, 0x00};

TEST_F(RepairTest, WritesTheOffsetFourBytesBeforeThePatternAndKeepsABackup)
{
    const std::string path = FileWith(4000, {{1000, Pattern}});
    const auto original = ReadAll(path);
    EXPECT_EQ(Repair(path), Mgx::RepairCode::Repaired);
    EXPECT_EQ(FirstField(path), 996);
    EXPECT_EQ(ReadAll(path + ".bak"), original);
    auto repaired = ReadAll(path);
    std::memset(repaired.data(), 0, 4);
    EXPECT_EQ(repaired, original) << "only the first four bytes change";
}

TEST_F(RepairTest, FindsAPatternThatStraddlesTwoPieces)
{
    const std::string path = FileWith(20000, {{8194, Pattern}});
    EXPECT_EQ(Repair(path), Mgx::RepairCode::Repaired);
    EXPECT_EQ(FirstField(path), 8190);
}

TEST_F(RepairTest, RetriesTheByteThatBrokeAPartialMatch)
{
    const std::string path = FileWith(4000, {{1000, {0xF4, 0xF4, 0x01, 0x00, 0x00}}});
    EXPECT_EQ(Repair(path), Mgx::RepairCode::Repaired);
    EXPECT_EQ(FirstField(path), 997);
}

TEST_F(RepairTest, PassesOverAPatternTooEarlyToBeABody)
{
    const std::string path = FileWith(4000, {{4, Pattern}, {2000, Pattern}});
    EXPECT_EQ(Repair(path), Mgx::RepairCode::Repaired);
    EXPECT_EQ(FirstField(path), 1996);
}

TEST_F(RepairTest, AFileThatNeedsNoRepairIsLeftWithoutBackup)
{
    const std::string path = FileWith(4000, {{0, {0x10, 0, 0, 0}}, {1000, Pattern}});
    EXPECT_EQ(Repair(path), Mgx::RepairCode::NothingToRepair);
    EXPECT_EQ(FirstField(path), 16);
    EXPECT_FALSE(fs::exists(path + ".bak"));
}

TEST_F(RepairTest, AnExistingBackupStopsTheRepairBeforeAnythingIsWritten)
{
    const std::string path = FileWith(4000, {{1000, Pattern}});
    std::ofstream(path + ".bak") << "older backup";
    EXPECT_EQ(Repair(path), Mgx::RepairCode::BackupFailed);
    EXPECT_EQ(FirstField(path), 0);
    std::ifstream backup(path + ".bak");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(backup), {}), "older backup");
}

TEST_F(RepairTest, NoPatternWritesNothingAndSaysSo)
{
    const std::string path = FileWith(30000, {});
    const auto original = ReadAll(path);
    EXPECT_EQ(Repair(path), Mgx::RepairCode::BodyNotFound);
    EXPECT_EQ(ReadAll(path), original);
    EXPECT_FALSE(fs::exists(path + ".bak")) << "the file is untouched, so a backup would only block a later repair";
}

TEST_F(RepairTest, MissingFileCannotBeBackedUp)
{
    EXPECT_EQ(Repair((m_dir / "absent.mgx").string()), Mgx::RepairCode::BackupFailed);
}

// Openers that give the repair a file failing at one step; as root, permissions cannot make it fail.
std::FILE* CannotOpen(const std::string&) { return nullptr; }
std::FILE* OpenWriteOnly(const std::string& path) { return std::fopen(path.c_str(), "ab"); }
std::FILE* OpenReadOnly(const std::string& path) { return std::fopen(path.c_str(), "rb"); }

TEST_F(RepairTest, FailuresBeforeAnythingIsWrittenLeaveTheFileAndNoBackup)
{
    // A backup left behind would make every later repair of the file fail with "cannot back up".
    const struct {
        Mgx::RecordOpener open;
        Mgx::RepairCode expected;
    } cases[] = {{CannotOpen, Mgx::RepairCode::OpenFailed}, {OpenWriteOnly, Mgx::RepairCode::ReadFailed}};
    for (const auto& failing : cases) {
        SCOPED_TRACE(static_cast<int>(failing.expected));
        const std::string path = FileWith(4000, {{1000, Pattern}});
        const auto original = ReadAll(path);
        EXPECT_EQ(Mgx::RepairRecordFile(path, path + ".bak", failing.open), failing.expected);
        EXPECT_EQ(ReadAll(path), original);
        EXPECT_FALSE(fs::exists(path + ".bak"));
    }
}

TEST_F(RepairTest, AFileTooShortForItsFirstFieldIsAReadFailureWithoutBackup)
{
    const std::string path = m_folder.WriteFile("short.mgx", {0, 0, 0}).string();
    EXPECT_EQ(Repair(path), Mgx::RepairCode::ReadFailed);
    EXPECT_FALSE(fs::exists(path + ".bak"));
}

TEST_F(RepairTest, AFailedWriteKeepsTheBackup)
{
    // The write may have reached the file in part: the backup is then the only whole copy.
    const std::string path = FileWith(4000, {{1000, Pattern}});
    const auto original = ReadAll(path);
    EXPECT_EQ(Mgx::RepairRecordFile(path, path + ".bak", OpenReadOnly), Mgx::RepairCode::WriteFailed);
    EXPECT_EQ(ReadAll(path + ".bak"), original);
}

TEST_F(RepairTest, RealUnfinishedRecordLoadsAfterRepair)
{
    KORVALE_NEED_REAL_RECORDS();
    const fs::path path = m_dir / "unfinished.mgx";
    fs::copy_file(korvale::test::RealRecordPath("aoc10a_4v4_headerend0.mgx"), path);
    ASSERT_EQ(Mgx::LoadRecordFile(path.string()).chapters.at(0).status, Mgx::ChapterInfo::HeaderEndMissing);

    EXPECT_EQ(Repair(path.string()), Mgx::RepairCode::Repaired);
    EXPECT_EQ(FirstField(path), 298558);
    const auto record = Mgx::LoadRecordFile(path.string());
    ASSERT_EQ(record.chapters.size(), 1u);
    EXPECT_EQ(record.chapters[0].status, Mgx::ChapterInfo::Read);
    EXPECT_EQ(record.chapters[0].logVersion, 3);
}

TEST(RepairBackupPath, IsThePathWithBakAppended)
{
    EXPECT_EQ(Mgx::RepairBackupPath("/r/a.mgx"), "/r/a.mgx.bak");
}

} // namespace
