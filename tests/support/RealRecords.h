#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

// The folder of real record files is handed in by the build. On a user's fresh clone it may be
// missing: those tests then skip, except in CI, where its absence is a failure.
#ifndef KORVALE_RECS_DIR
#define KORVALE_RECS_DIR ""
#endif
#ifndef KORVALE_REQUIRE_RECS
#define KORVALE_REQUIRE_RECS 0
#endif

namespace korvale::test {

inline std::filesystem::path RealRecordsDir() { return std::filesystem::path(KORVALE_RECS_DIR); }

inline bool RealRecordsPresent() { return std::filesystem::is_directory(RealRecordsDir()); }

inline std::string RealRecordPath(const std::string& name) { return (RealRecordsDir() / name).string(); }

} // namespace korvale::test

// Put first in a test that reads real records.
#define KORVALE_NEED_REAL_RECORDS()                                                                  \
    do {                                                                                             \
        if (!korvale::test::RealRecordsPresent()) {                                                  \
            if (KORVALE_REQUIRE_RECS)                                                                \
                FAIL() << "real record folder missing: " << KORVALE_RECS_DIR;                        \
            GTEST_SKIP() << "real record folder missing (" << KORVALE_RECS_DIR << "); skipping";    \
        }                                                                                            \
    } while (false)
