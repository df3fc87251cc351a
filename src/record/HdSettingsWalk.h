#pragma once

namespace Mgx {

class MemoryStream;
struct ChapterInfo;
struct WalkState;

// Walks the settings block that HD 4.6 and later write between the save version and the AI block,
// keeping its version, the map ids and (4.6/4.7) the map's name. Throws HeaderError where a text or
// separator is not where the block's version puts it.
void WalkHdSettings(MemoryStream& stream, ChapterInfo& chapter, WalkState& state);

} // namespace Mgx
