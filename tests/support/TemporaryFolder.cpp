#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <stdexcept>

#include <unistd.h>

namespace korvale::test {

namespace {

std::string RunningTestName()
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return test ? std::string(test->test_suite_name()) + "." + test->name() : std::string("outside-a-test");
}

} // namespace

std::filesystem::path FreshTemporaryPath(const std::string& suffix)
{
    // Test binaries run side by side under CTest: the process id keeps their names apart.
    static std::atomic<unsigned> counter{0};
    const std::string name = "korvale-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + suffix;
    return std::filesystem::temp_directory_path() / name;
}

TemporaryFolder::TemporaryFolder()
    : m_path(FreshTemporaryPath("-" + RunningTestName()))
{
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
}

TemporaryFolder::~TemporaryFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::filesystem::path TemporaryFolder::WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes) const
{
    const std::filesystem::path file = m_path / name;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
    return file;
}

} // namespace korvale::test
