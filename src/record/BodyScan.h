#pragma once

#include <cstdint>

namespace Mgx {

class RecordFile;
struct ChapterInfo;

// Scans the body from the file's current position (headerEnd): version, game time, chat and event lines.
// Never fails: a body that is cut off or damaged ends the scan with what was read, and says which
// (ChapterInfo::truncated, ChapterInfo::bodyDamaged).
void ScanBody(RecordFile& file, ChapterInfo& chapter, std::int32_t nextChapterPos);

} // namespace Mgx
