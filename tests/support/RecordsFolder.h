#pragma once

#include "BuildPaths.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

// Where the real record files are, decided when the tests run rather than when they are built, so
// that one build serves both a clone with the records beside it and one without them.
// KORVALE_RECS_DIR in the environment wins over the folder configured at build time, and
// KORVALE_REQUIRE_RECS (ON or OFF) over whether their absence is a failure.
#ifndef KORVALE_REQUIRE_RECS
#define KORVALE_REQUIRE_RECS 0
#endif

namespace korvale::test {

inline std::filesystem::path RealRecordsDir()
{
    const char* overridden = std::getenv("KORVALE_RECS_DIR");
    return std::filesystem::path(overridden && *overridden ? overridden : korvale::build::RecordsFolder());
}

inline bool RealRecordsRequired()
{
    const char* overridden = std::getenv("KORVALE_REQUIRE_RECS");
    if (!overridden || !*overridden)
        return KORVALE_REQUIRE_RECS;
    const std::string_view value(overridden);
    return value == "ON" || value == "on" || value == "1" || value == "TRUE" || value == "true";
}

// An empty folder counts as missing: that is what CI points the tests at to take a user's path.
inline bool RealRecordsPresent()
{
    std::error_code error;
    return std::filesystem::is_directory(RealRecordsDir(), error)
        && !std::filesystem::is_empty(RealRecordsDir(), error) && !error;
}

inline std::string RealRecordPath(const std::string& name) { return (RealRecordsDir() / name).string(); }

} // namespace korvale::test
