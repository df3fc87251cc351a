#pragma once

#include <filesystem>
#include <string>

namespace Mgx {

// Paths travel as UTF-8 strings; these convert at the file system's door.
inline std::filesystem::path PathFromUtf8(const std::string& utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8FromPath(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace Mgx
