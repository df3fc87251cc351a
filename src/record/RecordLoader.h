#pragma once

#include "ChapterInfo.h"
#include "GameRecord.h"

#include <string>

namespace Mgx {

class RecordFile;

// Reads one record file (path in the platform's encoding, UTF-8 on Linux).
// Throws OpenError when the file cannot be opened, another RecordError when it cannot be read.
GameRecord LoadRecordFile(const std::string& path);

// Reads one chapter from a file positioned at offset 0; status is Read or HeaderEndMissing.
ChapterInfo ParseChapter(RecordFile& file);

} // namespace Mgx
