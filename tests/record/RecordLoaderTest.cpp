// The outer layout of a record file: the two leading fields, the header block, what fails and how.
#include "HeaderInflater.h"
#include "RecordError.h"
#include "RecordLoader.h"
#include "RecordWriter.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>


#include <filesystem>
#include <cstring>
#include <fstream>

namespace {

namespace fs = std::filesystem;

class RecordLoaderTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes)
    {
        return m_folder.WriteFile(name, bytes).string();
    }

    korvale::test::TemporaryFolder m_folder;
    const fs::path& m_dir = m_folder.Path();
};

std::vector<std::uint8_t> LeadingFields(std::int32_t headerEnd, std::int32_t next = 0)
{
    std::vector<std::uint8_t> bytes(8);
    std::memcpy(bytes.data(), &headerEnd, 4);
    std::memcpy(bytes.data() + 4, &next, 4);
    return bytes;
}

TEST_F(RecordLoaderTest, MissingFileIsAnOpenError)
{
    EXPECT_THROW(Mgx::LoadRecordFile((m_dir / "absent.mgx").string()), Mgx::OpenError);
    EXPECT_THROW(Mgx::LoadRecordFile(m_dir.string()), Mgx::OpenError) << "a folder is no record file";
}

TEST_F(RecordLoaderTest, HeaderEndBeyondTheFileFailsAsACutOffBlockWithoutAllocatingIt)
{
    auto bytes = LeadingFields(0x7FFFFFF0);
    bytes.insert(bytes.end(), 100, 0x33);
    EXPECT_THROW(Mgx::LoadRecordFile(Write("huge.mgx", bytes)), Mgx::InflateError);
}

TEST_F(RecordLoaderTest, PathSplitsAtTheLastSeparator)
{
    const std::string path = Write("a.mgx", Mgx::RecordWriter(Mgx::RecordBlueprint{}).FileBytes());
    const auto record = Mgx::LoadRecordFile(path);
    EXPECT_EQ(record.fileName, "a.mgx");
    EXPECT_EQ(record.folder, m_dir.string());
    EXPECT_EQ(record.FullPath(), path);
}

TEST_F(RecordLoaderTest, RelativePathsAreJoinedBackToTheSameFile)
{
    Write("rel.mgx", Mgx::RecordWriter(Mgx::RecordBlueprint{}).FileBytes());
    const fs::path before = fs::current_path();
    fs::current_path(m_dir);
    const auto record = Mgx::LoadRecordFile("rel.mgx");
    fs::current_path(before);
    EXPECT_EQ(record.fileName, "rel.mgx");
    EXPECT_TRUE(fs::equivalent(record.FullPath(), m_dir / "rel.mgx"));
}

TEST(HeaderInflater, ShortBlocksAndCutOffStreamsFail)
{
    const std::uint8_t tiny[7] = {};
    EXPECT_THROW(Mgx::InflateHeaderBlock(tiny, sizeof tiny), Mgx::InflateError) << "fewer than 8 bytes leave no room to inflate into";

    std::vector<std::uint8_t> plain(5000);
    for (std::size_t i = 0; i < plain.size(); ++i)
        plain[i] = static_cast<std::uint8_t>(i * 7);
    const std::vector<std::uint8_t> packed = Mgx::RawDeflate(plain);

    EXPECT_EQ(Mgx::InflateHeaderBlock(packed.data(), packed.size()).ToVector(), plain);
    EXPECT_THROW(Mgx::InflateHeaderBlock(packed.data(), packed.size() / 2), Mgx::InflateError);
}

TEST(HeaderInflater, ADecompressionBombIsRefused)
{
    // 100 MB of zeros compress to about 100 kB; no header block is anywhere near that size.
    const std::size_t size = 100u << 20;
    const std::vector<std::uint8_t> packed = Mgx::RawDeflate(std::vector<std::uint8_t>(size, 0));
    EXPECT_THROW(Mgx::InflateHeaderBlock(packed.data(), packed.size()), Mgx::InflateError);
}

} // namespace
