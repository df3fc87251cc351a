#include "ScratchFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <signal.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr char Prefix[] = "korvale-fuzz-";

fs::path ScratchParent()
{
    std::error_code error;
    if (fs::is_directory("/dev/shm", error) && access("/dev/shm", W_OK) == 0)
        return "/dev/shm";
    return fs::temp_directory_path();
}

// Folders are named korvale-fuzz-PID-XXXXXX; one whose process is gone was left by a run that was
// killed or crashed, and would only fill the file system the next runs write to.
void RemoveFoldersOfEndedProcesses(const fs::path& parent)
{
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(parent, error)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(Prefix, 0) != 0)
            continue;
        const long pid = std::strtol(name.c_str() + sizeof Prefix - 1, nullptr, 10);
        if (pid > 0 && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
            fs::remove_all(entry.path(), error);
    }
}

std::string MakeOwnFolder(const fs::path& parent)
{
    std::string pattern = (parent / (Prefix + std::to_string(getpid()) + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data())) {
        std::perror("fuzz scratch folder");
        std::abort();
    }
    return pattern;
}

} // namespace

ScratchFile::ScratchFile(const std::string& name)
{
    const fs::path parent = ScratchParent();
    RemoveFoldersOfEndedProcesses(parent);
    m_folder = MakeOwnFolder(parent);
    m_path = Sibling(name);
}

ScratchFile::~ScratchFile()
{
    std::error_code ignored;
    fs::remove_all(m_folder, ignored);
}

bool ScratchFile::Write(const std::uint8_t* data, std::size_t size) const
{
    std::FILE* file = std::fopen(m_path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}
