#pragma once

#include <cstdint>

namespace Mgx {

class MemoryStream;
struct ChapterInfo;
struct RecordFormat;
struct WalkState;

// Walks player data block playerIndex from the current position, filling players[playerIndex] and writing object marks.
void WalkPlayerBlock(MemoryStream& stream, ChapterInfo& chapter, int playerIndex);
// The same, in the format and with what the walk has learnt so far; records the first block's type count.
void WalkPlayerBlock(MemoryStream& stream, ChapterInfo& chapter, int playerIndex, WalkState& state);

// Walks one object record whose kind byte was just read and writes its mark.
void WalkObjectRecord(MemoryStream& stream, ChapterInfo& chapter, std::uint8_t recordKind);
void WalkObjectRecord(MemoryStream& stream, ChapterInfo& chapter, std::uint8_t recordKind, const RecordFormat& format);

// The mark an object leaves on the map, or MarkCode::None when it leaves the tile unchanged.
std::uint8_t ObjectMark(const ChapterInfo& chapter, std::uint8_t owner, std::int16_t objectTypeId, std::int16_t resourceKind);

} // namespace Mgx
