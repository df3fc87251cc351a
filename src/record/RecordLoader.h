#pragma once

#include "ChapterInfo.h"
#include "GameRecord.h"

#include <string>

namespace Mgx {

// Reads one record file (path in the platform's encoding, UTF-8 on Linux). Callers that load many
// files hold one RecordReader instead.
// Throws OpenError when the file cannot be opened, another RecordError when it cannot be read.
GameRecord LoadRecordFile(const std::string& path);

} // namespace Mgx
