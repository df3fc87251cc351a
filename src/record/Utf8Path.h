#pragma once

#include <cstdio>
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

// std::fopen for a UTF-8 path; mode as for std::fopen. Null when the file cannot be opened.
inline std::FILE* OpenFileUtf8(const std::string& utf8, const char* mode)
{
#ifdef _WIN32
    // The C library wants wide paths here.
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(PathFromUtf8(utf8).c_str(), wideMode.c_str());
#else
    return std::fopen(utf8.c_str(), mode);
#endif
}

} // namespace Mgx
