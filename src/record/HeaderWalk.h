#pragma once

namespace Mgx {

class MemoryStream;
struct ChapterInfo;

// Walks the inflated header block from position 0 and fills settings, map, players, slots and pre-game chat.
void WalkHeader(MemoryStream& stream, ChapterInfo& chapter);

} // namespace Mgx
