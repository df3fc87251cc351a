#include "PictureTargets.h"

#include "Utf8Path.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr std::array<char, 8> PngSignature = {'\x89', 'P', 'N', 'G', '\r', '\n', '\x1a', '\n'};

bool SameFile(const fs::path& a, const fs::path& b)
{
    std::error_code error;
    return fs::equivalent(a, b, error) && !error;
}

bool StartsLikePng(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::array<char, 8> start {};
    return in.read(start.data(), start.size()) && start == PngSignature;
}

std::optional<std::string> RefusedTarget(const std::string& target, const std::vector<std::string>& records)
{
    const fs::path path = Mgx::PathFromUtf8(target);
    for (const std::string& record : records)
        if (SameFile(path, Mgx::PathFromUtf8(record)))
            return "will not write a picture over " + target + ", a record being read";
    std::error_code error;
    const fs::file_status status = fs::symlink_status(path, error);
    if (error || status.type() == fs::file_type::not_found)
        return std::nullopt;
    if (status.type() != fs::file_type::regular || !StartsLikePng(path))
        return "will not write a picture over " + target + ": it exists and is not a PNG picture";
    return std::nullopt;
}

} // namespace

std::optional<std::string> RefusedPictureTarget(const InfoOptions& options)
{
    const bool several = options.files.size() > 1;
    for (const std::string* option : {&options.mapPng, &options.panelPng}) {
        if (option->empty())
            continue;
        for (const std::string& file : options.files)
            if (std::optional<std::string> refused = RefusedTarget(PicturePath(*option, file, several), options.files))
                return refused;
    }
    return std::nullopt;
}
