#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace korvale::test {

// A fresh, empty folder in the system's temporary folder, named after the running test, removed
// with everything in it when the object goes.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

    // Writes bytes to a file in the folder and returns its path. Throws std::runtime_error when it cannot.
    std::filesystem::path WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes) const;

private:
    std::filesystem::path m_path;
};

// A name no other file of this test run has, for a file or folder in the temporary folder.
std::filesystem::path FreshTemporaryPath(const std::string& suffix);

} // namespace korvale::test
