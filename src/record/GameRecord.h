#pragma once

#include "ChapterInfo.h"

#include <string>
#include <vector>

namespace Mgx {

// Everything read from one record file. Holds one chapter for a non-empty file, none for an empty one.
struct GameRecord {
    std::vector<ChapterInfo> chapters;
    std::string fileName; // last path component
    std::string folder;   // the path without its last separator and file name

    std::string FullPath() const;
    bool operator==(const GameRecord&) const = default;
};

} // namespace Mgx
