#pragma once

#include <cstdint>

class MemoryStream;

namespace Mgx {

struct ChapterInfo;

// Walks player data block p from the current position, filling players[p] and writing object marks.
void WalkPlayerBlock(MemoryStream& stream, ChapterInfo& chapter, int p);

// Walks one object record whose kind byte was just read and writes its mark.
void WalkObjectRecord(MemoryStream& stream, ChapterInfo& chapter, std::uint8_t recordKind);

// The mark an object leaves on the map, or MarkCode::None when it leaves the tile unchanged.
std::uint8_t ObjectMark(const ChapterInfo& chapter, std::uint8_t owner, std::int16_t objectTypeId, std::int16_t resourceKind);

} // namespace Mgx
