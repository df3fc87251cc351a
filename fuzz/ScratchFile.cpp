#include "ScratchFile.h"

#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace {

std::string ScratchFolder()
{
    std::error_code error;
    if (std::filesystem::is_directory("/dev/shm", error) && access("/dev/shm", W_OK) == 0)
        return "/dev/shm";
    return std::filesystem::temp_directory_path().string();
}

} // namespace

ScratchFile::ScratchFile(const std::string& name)
    : m_path(ScratchFolder() + "/korvale-fuzz-" + std::to_string(getpid()) + "-" + name)
{
}

ScratchFile::~ScratchFile() { std::remove(m_path.c_str()); }

bool ScratchFile::write(const std::uint8_t* data, std::size_t size) const
{
    std::FILE* file = std::fopen(m_path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}
