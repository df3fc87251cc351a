#pragma once

#include <string>

// The folders this build was configured with, for tests and benchmarks: the real records (the
// default that KORVALE_RECS_DIR in the environment overrides), the source tree and the build tree.
// Defined in a source CMake writes into the build folder, so that no compile line holds a path.
namespace korvale::build {

const char* RecordsFolder();
const char* SourceFolder();
const char* BuildFolder();

inline std::string SourcePath(const std::string& relative) { return std::string(SourceFolder()) + '/' + relative; }
inline std::string BuildPath(const std::string& relative) { return std::string(BuildFolder()) + '/' + relative; }

} // namespace korvale::build
